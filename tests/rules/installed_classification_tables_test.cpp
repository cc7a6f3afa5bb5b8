// The classification tables shipped in the program folder: every line of each file belongs to a
// complete entry, no entry is empty, and the tables carry the element names of the photo attribute
// file.
#include <gtest/gtest.h>

#include "support/test_files.h"

#include <algorithm>
#include <filesystem>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "platform/utf16_text_file.h"
#include "rules/photo_division_table.h"
#include "rules/relation_table.h"

namespace kestrova {
namespace {

TEST(InstalledClassificationTables, RelationFilesLoadWhole) {
  for (const char* folder : {"PHOT_KQ4", "PHOT_KQ1"}) {
    for (const char* file : {"KQD_RELATION.ini", "KQD_RELATION24.ini"}) {
      SCOPED_TRACE(std::string(folder) + "/" + file);
      const auto path = test::InstalledFile(folder, file);
      ASSERT_EQ(LoadRelationTable(FromFsPath(path)), 0);
      EXPECT_EQ(GetRelationSelectPath(), u"撮影工種区分");
      EXPECT_EQ(GetRelationHeadElement(), u"写真-大分類");
      EXPECT_EQ(GetWorkTypeElement(), u"工種");
      EXPECT_EQ(GetWorkKindElement(), u"種別");
      EXPECT_EQ(GetWorkDetailElement(), u"細別");
      size_t lines = 2;  // header and count
      for (size_t i = 0; i < GetRelationCount(); ++i) {
        const AllRelationItem top = GetRelationAt(i);
        ++lines;
        EXPECT_FALSE(top.relations.empty()) << Utf16ToUtf8(top.name);
        for (const RelationItem& type : top.relations) {
          ++lines;
          EXPECT_FALSE(type.children.empty()) << Utf16ToUtf8(type.name);
          for (const ChildRelationItem& kind : type.children) {
            lines += 1 + kind.values.size();
            EXPECT_FALSE(kind.values.empty()) << Utf16ToUtf8(kind.name);
          }
        }
      }
      EXPECT_EQ(lines, test::LineCount(path));
      EXPECT_TRUE(MatchRelation(u"工事", u"道路土工", u"掘削工", u"土砂掘削"));
      EXPECT_TRUE(MatchRelation(u"工事", u"橋梁上部工", kUndefinedValue, kUndefinedValue));
    }
  }
}

TEST(InstalledClassificationTables, PhotoDivisionFilesLoadWhole) {
  for (const char* folder : {"PHOT_KQ4", "PHOT_KQ1"}) {
    SCOPED_TRACE(folder);
    const auto path = test::InstalledFile(folder, "KQD_PHOTO_DIVISION.ini");
    ASSERT_EQ(LoadPhotoDivTable(FromFsPath(path)), 0);
    EXPECT_EQ(GetPhotoDivSelectPath(), u"撮影工種区分");
    EXPECT_EQ(GetPhotoDivCategoryElement(), u"写真-大分類");
    EXPECT_EQ(GetPhotoDivDivisionElement(), u"写真区分");
    size_t lines = 2;
    for (size_t i = 0; i < GetPhotoDivCount(); ++i) {
      const PhotoDivItem item = GetPhotoDivAt(i);
      lines += 1 + item.values.size();
      EXPECT_FALSE(item.values.empty()) << Utf16ToUtf8(item.name);
    }
    EXPECT_EQ(lines, test::LineCount(path));
    for (const char16_t* division : {u"着手前写真", u"施工状況写真", u"安全管理写真", u"その他写真",
                                     u"災害写真", u"検査写真", u"完成写真"}) {
      EXPECT_TRUE(IsDivisionAllowed(u"工事", division)) << Utf16ToUtf8(division);
    }
  }
}

}  // namespace
}  // namespace kestrova
