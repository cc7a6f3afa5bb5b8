#include "check/file_structure_check.h"

#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "rules/file_struct_table.h"
#include "run/run_globals.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

constexpr char kRules[] =
    "3\n"
    "/,4\nPHOTO_KQ.XML\nPHOT_KQ4.DTD\nPHOT_KQ4.XSL\nPHOTO\n"
    "/PHOTO,4\nPHOTO.XML\nPHOTO04.XSL\nPIC\nDRA\n"
    "/PHOTO/PIC,1\nPnnnnnnn.JPG\n";

class FileStructureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteUtf16File(m_dir.path() / "KQD_FILE_STRUCT.ini", kRules);
    ASSERT_EQ(LoadFileStructRules(FromFsPath(m_dir.path() / "KQD_FILE_STRUCT.ini")), 0);
    m_medium = m_dir.path() / "媒体";
    for (const char* file : {"PHOTO_KQ.XML", "PHOT_KQ4.DTD", "PHOTO/PHOTO.XML",
                             "PHOTO/PIC/P0000001.JPG", "PHOTO/DRA/D0000001.TIF"}) {
      test::WriteBytes(m_medium / file, "x");
    }
  }
  int Check() {
    m_message.clear();
    return CheckFileStructure(JoinPath(FromFsPath(m_medium), u""), m_message);
  }
  std::string Message() const { return Utf16ToUtf8(m_message); }

  test::ScratchDir m_dir;
  std::filesystem::path m_medium;
  std::u16string m_message;
};

TEST_F(FileStructureTest, CompleteMediumWithoutOptionalFiles) {
  // The two style sheets are missing: no finding.
  EXPECT_EQ(Check(), 0) << Message();
  EXPECT_EQ(g_bDrawingFolder, 1);
  EXPECT_TRUE(m_message.empty());
}

TEST_F(FileStructureTest, MissingDrawingFolderIsNoFinding) {
  std::filesystem::remove_all(m_medium / "PHOTO" / "DRA");
  EXPECT_EQ(Check(), 0);
  EXPECT_EQ(g_bDrawingFolder, 0);
}

TEST_F(FileStructureTest, MissingRequiredFile) {
  std::filesystem::remove(m_medium / "PHOTO" / "PHOTO.XML");
  EXPECT_EQ(Check(), 5012);
  EXPECT_EQ(Message(),
            "  ERR-005012 [要修正] 必要なファイルが存在しません。\n"
            "                     ［" +
                (m_medium / "PHOTO" / "PHOTO.XML").string() + "］");
}

TEST_F(FileStructureTest, NamesDifferingInCaseAreAllowedAndFound) {
  std::filesystem::rename(m_medium / "PHOTO_KQ.XML", m_medium / "photo_kq.xml");
  std::filesystem::rename(m_medium / "PHOTO", m_medium / "Photo");
  EXPECT_EQ(Check(), 0) << Message();
}

TEST_F(FileStructureTest, DisallowedNameGivesItsFullPath) {
  test::WriteBytes(m_medium / "PHOTO" / "PIC" / "メモ.txt", "x");
  EXPECT_EQ(Check(), 5013);
  EXPECT_EQ(Message(),
            "  ERR-005013 [要修正] ファイルの命名規則に反しています。\n"
            "                     ［" +
                (m_medium / "PHOTO" / "PIC" / "メモ.txt").string() + "］");
}

TEST_F(FileStructureTest, NamesCollidingIgnoringCaseGiveTheSecondsFullPath) {
  const struct {
    const char* second;  // beside the name of the medium in another letter case
    bool folder;
  } cases[] = {
      {"PHOTO/pic", true},
      {"photo", true},
      {"PHOTO/PIC/P0000001.jpg", false},
      {"photo_kq.xml", false},
  };
  for (const auto& c : cases) {
    const auto second = m_medium / c.second;
    if (c.folder) {
      std::filesystem::create_directory(second);
    } else {
      test::WriteBytes(second, "x");
    }
    EXPECT_EQ(Check(), 5013) << c.second;
    EXPECT_EQ(Message(),
              "  ERR-005013 [要修正] ファイルの命名規則に反しています。\n"
              "                     ［" +
                  second.string() + "］");
    std::filesystem::remove_all(second);
  }
  EXPECT_EQ(Check(), 0) << Message();
}

TEST(MatchesFileRule, PatternsAndRequiredNames) {
  const std::vector<std::u16string> entries = {u"Pnnnnnnn.JPG", u"PHOTO.XML"};
  const std::vector<std::pair<std::u16string, bool>> cases = {
      {u"P0000001.JPG", true},  {u"P0000001.jpg", true},   {u"p0000001.JPG", false},
      {u"P000001A.JPG", false}, {u"P00000012.JPG", false}, {u"P000001.JPG", false},
      {u"photo.xml", true},     {u"PHOTO.XM", false},      {u"", false},
  };
  for (const auto& [name, matches] : cases) {
    EXPECT_EQ(MatchesFileRule(name, entries), matches) << Utf16ToUtf8(name);
  }
}

TEST(LoadFileStructRules, HeaderWithoutEntriesDropsTheRest) {
  test::ScratchDir dir;
  test::WriteUtf16File(dir.path() / "t.ini", "2\n/,1\nA\n/X,0\nB\n/Y,1\nC\n");
  ASSERT_EQ(LoadFileStructRules(FromFsPath(dir.path() / "t.ini")), 0);
  ASSERT_EQ(g_fileStructTable.size(), 1u);
  EXPECT_EQ(g_fileStructTable.front().entries, std::vector<std::u16string>{u"A"});
  EXPECT_EQ(LoadFileStructRules(FromFsPath(dir.path() / "none.ini")), -1);
  EXPECT_TRUE(g_fileStructTable.empty());
}

}  // namespace
}  // namespace kestrova
