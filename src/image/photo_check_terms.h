// The photo categories (写真区分) that the photo file checks tell apart, compared by exact text.
#pragma once

#include <initializer_list>
#include <string_view>

namespace kestrova {

inline constexpr char16_t kCategoryBeforeWork[] = u"着手前写真";
inline constexpr char16_t kCategoryCompletion[] = u"完成写真";
inline constexpr char16_t kCategoryProgress[] = u"施工状況写真";
inline constexpr char16_t kCategoryInspection[] = u"検査写真";
inline constexpr char16_t kCategorySafety[] = u"安全管理写真";
inline constexpr char16_t kCategoryOther[] = u"その他写真";
inline constexpr char16_t kCategoryDisaster[] = u"災害写真";

inline bool IsOneOf(std::u16string_view text, std::initializer_list<std::u16string_view> texts) {
  for (const std::u16string_view candidate : texts) {
    if (text == candidate) return true;
  }
  return false;
}

}  // namespace kestrova
