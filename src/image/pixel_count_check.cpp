#include "image/pixel_count_check.h"

#include "image/image_finding.h"
#include "image/photo_check_terms.h"
#include "rules/table_numbers.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

constexpr int kPixelCountCode = RecordOf(FindingKind::PixelsChanged).code;

constexpr FindingKind kOutOfRange = FindingKind::PixelsOutsideStandardRange;
constexpr FindingKind kOutsideGivenRange = FindingKind::PixelsOutsideGivenRange;
constexpr FindingKind kTooLarge = FindingKind::PixelsTooMany;
constexpr FindingKind kChanged = FindingKind::PixelsChanged;

enum class RangeTest { None, Full, Minimum };

// What the rule set, the guideline and the category ask for: the test of each stage and the
// line of a failed second stage when the EXIF size agrees with the frame. A row without a test
// in the second stage ends there with 5053 and no line.
struct PixelRule {
  bool acceptUntested = false;
  RangeTest first = RangeTest::None;
  RangeTest second = RangeTest::None;
  FindingKind sameSizeLine = kOutOfRange;
};

PixelRule RuleFor(std::u16string_view category) {
  if (g_szRuleSet == kRuleSetOlder) return {false, RangeTest::Full, RangeTest::Full, kOutOfRange};
  if (g_szRuleSet != kRuleSetCurrent) return {};
  if (g_guideline == Guideline::H24) {
    if (IsOneOf(category, {kCategoryBeforeWork, kCategoryCompletion})) {
      return {false, RangeTest::Minimum, RangeTest::Minimum, kOutsideGivenRange};
    }
    if (IsOneOf(category, {kCategoryProgress, kCategoryInspection, kCategorySafety, kCategoryOther,
                           kCategoryDisaster})) {
      return {false, RangeTest::Full, RangeTest::Full, kOutOfRange};
    }
    if (category.empty()) return {false, RangeTest::None, RangeTest::Full, kOutOfRange};
    return {};
  }
  if (g_guideline == Guideline::H28 || g_guideline == Guideline::H29) {
    if (IsOneOf(category, {kCategoryBeforeWork, kCategoryProgress, kCategoryInspection,
                           kCategorySafety, kCategoryOther})) {
      return {false, RangeTest::Full, RangeTest::Full, kTooLarge};
    }
    return {true};
  }
  return {};
}

bool Passes(RangeTest test, const PixelRange& range, long px, long py) {
  const bool minimum = px >= range.xMin && py >= range.yMin;
  switch (test) {
    case RangeTest::Full:
      return minimum && px <= range.xMax && py <= range.yMax;
    case RangeTest::Minimum:
      return minimum;
    case RangeTest::None:
      break;
  }
  return false;
}

}  // namespace

PixelRange ReadPixelRange(std::u16string_view text) {
  const std::u16string padded = std::u16string(text) + u'/';
  long numbers[4] = {};
  const char16_t separators[4] = {u'-', u'/', u'-', u'/'};
  std::size_t position = 0;
  for (int i = 0; i < 4; ++i) {
    while (position < padded.size() && (padded[position] < u'0' || padded[position] > u'9')) {
      ++position;
    }
    std::size_t end = padded.find(separators[i], position);
    if (end == std::u16string::npos) end = padded.size();
    const std::u16string_view number(padded.data() + position, end - position);
    numbers[i] = ParseTableNumber(number).value_or(0);
    position = end;
  }
  return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

int CheckPixelCount(const std::u16string& path, const CImgLimit& row,
                    const std::u16string& category, const std::u16string& pixelXDimension,
                    const std::u16string& pixelYDimension, std::uint16_t frameWidth,
                    std::uint16_t frameHeight, std::u16string& message, RunHost& host,
                    FindingCounters& counters) {
  const std::u16string& firstRange = row.pixelRanges[0];
  const std::u16string& secondRange = row.pixelRanges[1];
  if (firstRange.empty()) {
    host.ShowMessageBox(u"ソフト異常。\n画素数判定基準不明", MessageIcon::Exclamation,
                        MessageButtons::Ok);
    return 0;
  }
  const long px = ParseTableNumber(pixelXDimension).value_or(0);
  const long py = ParseTableNumber(pixelYDimension).value_or(0);
  const PixelRule rule = RuleFor(category);
  if (rule.acceptUntested) return 0;
  if (rule.first != RangeTest::None && Passes(rule.first, ReadPixelRange(firstRange), px, py)) {
    return 0;
  }

  auto report = [&](FindingKind kind) {
    return AppendFileFinding(PathFinding(kind, path), path, message, host, counters);
  };
  if (secondRange.empty()) return report(kOutOfRange);
  if (rule.second == RangeTest::None) return kPixelCountCode;
  if (Passes(rule.second, ReadPixelRange(secondRange), px, py)) return 0;
  const bool sameAsFrame = px == frameWidth && py == frameHeight;
  return report(sameAsFrame ? rule.sameSizeLine : kChanged);
}

}  // namespace kestrova
