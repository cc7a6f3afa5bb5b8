// The element rules and selection lists shipped in the program folder: every line is taken,
// the paths that checks recognise by their text are there, every set and list a rule names
// exists, the files and DTD files the rules name are the ones the rule folder holds, and values
// as a delivery writes them pass their rules.
#include <gtest/gtest.h>

#include "support/test_files.h"

#include <algorithm>
#include <filesystem>

#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "platform/text_encoding.h"
#include "platform/utf16_text_file.h"
#include "rules/enable_chr_table.h"
#include "rules/select_table.h"
#include "rules/xml_element_table.h"
#include "run/run_globals.h"
#include "xml/item_value_validation.h"
#include "xml/value_findings.h"

namespace kestrova {
namespace {

std::vector<std::u16string> Paths(const XMLElementTable& table) {
  std::vector<std::u16string> paths;
  for (const XMLElementItem& item : table.items) paths.push_back(item.name);
  return paths;
}

bool Holds(const std::vector<std::u16string>& paths, const std::u16string& path) {
  return std::find(paths.begin(), paths.end(), path) != paths.end();
}

struct Folder {
  std::string name;
  const char16_t* managementDtd;
  const char16_t* photoDtd;
  const char16_t* contractor;
  const char16_t* guideline;
};

const Folder kFolders[] = {
    {"PHOT_KQ4", u"PHOT_KQ4.DTD", u"PHOTO04.DTD", u"受注者名", u"Varnelia平成28年7月"},
    {"PHOT_KQ1", u"PHOT_KQ1.DTD", u"PHOTO03.DTD", u"請負者名", u"Varnelia平成18年7月"},
};

class InstalledElementRules : public ::testing::Test {
 protected:
  void SetUp() override {
    m_savedSets = g_enableChrTable;
    m_savedRuleSet = g_szRuleSet;
    SetProgramFolder(u"" KESTROVA_TEST_PROGRAM_DIR);
  }
  void TearDown() override {
    g_enableChrTable = m_savedSets;
    g_szRuleSet = m_savedRuleSet;
  }
  std::vector<EnableChrItem> m_savedSets;
  std::u16string m_savedRuleSet;
};

TEST_F(InstalledElementRules, TablesLoadWhole) {
  for (const Folder& folder : kFolders) {
    SCOPED_TRACE(folder.name);
    ASSERT_EQ(
        LoadEnableChrTable(FromFsPath(test::InstalledFile(folder.name, "KQD_ENABLE_CHR.ini"))), 0);
    XMLElementTable management;
    XMLElementTable photo;
    SelectTable lists;
    ASSERT_EQ(management.LoadElementRules(
                  FromFsPath(test::InstalledFile(folder.name, "KQD_XML_PHTKQ.ini"))),
              0);
    ASSERT_EQ(
        photo.LoadElementRules(FromFsPath(test::InstalledFile(folder.name, "KQD_XML_PHT.ini"))), 0);
    ASSERT_EQ(lists.LoadSelectLists(FromFsPath(test::InstalledFile(folder.name, "KQD_SELECT.ini"))),
              0);
    EXPECT_EQ(static_cast<size_t>(management.GetRuleCount()) + 3,
              test::LineCount(test::InstalledFile(folder.name, "KQD_XML_PHTKQ.ini")));
    EXPECT_EQ(static_cast<size_t>(photo.GetRuleCount()) + 3,
              test::LineCount(test::InstalledFile(folder.name, "KQD_XML_PHT.ini")));
    EXPECT_EQ(lists.items.size() + 1,
              test::LineCount(test::InstalledFile(folder.name, "KQD_SELECT.ini")));

    EXPECT_EQ(management.xmlFileName, u"PHOTO_KQ.XML");
    EXPECT_EQ(management.dtdFileName, folder.managementDtd);
    EXPECT_EQ(photo.xmlFileName, u"PHOTO/PHOTO.XML");
    EXPECT_EQ(photo.dtdFileName, folder.photoDtd);
    EXPECT_TRUE(std::filesystem::is_regular_file(
        test::InstalledFile(folder.name, Utf16ToUtf8(management.dtdFileName).c_str())));
    EXPECT_TRUE(std::filesystem::is_regular_file(
        test::InstalledFile(folder.name, Utf16ToUtf8(photo.dtdFileName).c_str())));

    // The media number rule comes first: it validates the media values and starts the basic
    // information, whose labels must follow it.
    EXPECT_EQ(management.GetRuleAt(0).name, u"基礎情報/メディア番号");
    EXPECT_EQ(management.GetRuleAt(0).required, 1);
    EXPECT_TRUE(Holds(Paths(management), u"基礎情報/メディア総枚数"));
    EXPECT_TRUE(Holds(Paths(management), u"基礎情報/適用要領基準"));
    EXPECT_TRUE(Holds(Paths(management), u"工事件名等/工事名称"));
    const std::u16string contractor = folder.contractor;
    EXPECT_TRUE(std::any_of(management.items.begin(), management.items.end(),
                            [&](const XMLElementItem& item) {
                              return item.name.find(contractor) != std::u16string::npos;
                            }));

    const std::vector<std::u16string> photoPaths = Paths(photo);
    ASSERT_GT(photo.GetRuleCount(), kPhotoBasicInfoRuleCount);
    const std::vector<std::u16string> basicInfo(photoPaths.begin(),
                                                photoPaths.begin() + kPhotoBasicInfoRuleCount);
    const std::vector<std::u16string> perPhoto(photoPaths.begin() + kPhotoBasicInfoRuleCount,
                                               photoPaths.end());
    for (const std::u16string& path : basicInfo) {
      EXPECT_TRUE(path.starts_with(u"基礎情報/")) << Utf16ToUtf8(path);
    }
    EXPECT_TRUE(Holds(basicInfo, u"基礎情報/参考図フォルダ名"));
    for (const char16_t* path :
         {u"写真ファイル情報/シリアル番号", u"写真ファイル情報/写真ファイル名",
          u"写真ファイル情報/メディア番号", u"撮影工種区分/写真-大分類", u"撮影工種区分/写真区分",
          u"撮影工種区分/工種", u"撮影工種区分/種別", u"撮影工種区分/細別",
          u"付加情報/参考図ファイル名"}) {
      EXPECT_TRUE(Holds(perPhoto, path)) << Utf16ToUtf8(path);
    }

    for (const XMLElementTable* table : {&management, &photo}) {
      for (const XMLElementItem& item : table->items) {
        EXPECT_GT(item.maxLength, 0) << Utf16ToUtf8(item.name);
        EXPECT_EQ(FindCharSet(item.charSet).name, item.charSet) << Utf16ToUtf8(item.name);
        if (!item.selectName.empty()) {
          EXPECT_FALSE(lists.FindSelectList(item.selectName).values.empty())
              << Utf16ToUtf8(item.selectName);
        }
      }
    }
    EXPECT_EQ(lists.TestSelection(u"写真-大分類", u"工事"), std::nullopt);
    EXPECT_EQ(lists.TestSelection(u"適用要領基準", folder.guideline), std::nullopt);
  }
}

TEST_F(InstalledElementRules, ValuesAsDeliveredPassTheirRules) {
  struct Sample {
    const char16_t* path;
    const char16_t* value;
  };
  const Sample samples[] = {
      {u"基礎情報/写真フォルダ名", u"PHOTO/PIC"},
      {u"基礎情報/参考図フォルダ名", u"PHOTO/DRA"},
      {u"基礎情報/作成年月日", u"2017-09-30"},
      {u"写真ファイル情報/シリアル番号", u"1234567"},
      {u"写真ファイル情報/写真ファイル名", u"P0000001.JPG"},
      {u"写真ファイル情報/メディア番号", u"1"},
      {u"撮影工種区分/写真-大分類", u"工事"},
      {u"撮影工種区分/写真区分", u"出来形管理写真"},
      {u"撮影工種区分/工種", u"道路土工"},
      {u"写真タイトル", u"床掘り状況（No.15＋20.0付近）　幅 2.5m"},
      {u"付加情報/参考図ファイル名", u"D0000001.TIF"},
      {u"撮影年月日", u"2017-04-02"},
      {u"代表写真", u"1"},
  };
  for (const Folder& folder : kFolders) {
    SCOPED_TRACE(folder.name);
    g_szRuleSet = Utf8ToUtf16(folder.name);
    ASSERT_EQ(
        LoadEnableChrTable(FromFsPath(test::InstalledFile(folder.name, "KQD_ENABLE_CHR.ini"))), 0);
    XMLElementTable photo;
    ASSERT_EQ(
        photo.LoadElementRules(FromFsPath(test::InstalledFile(folder.name, "KQD_XML_PHT.ini"))), 0);
    for (const Sample& sample : samples) {
      const auto rule =
          std::find_if(photo.items.begin(), photo.items.end(),
                       [&](const XMLElementItem& item) { return item.name == sample.path; });
      ASSERT_NE(rule, photo.items.end()) << Utf16ToUtf8(sample.path);
      for (const Finding& finding : TestItemValue(*rule, sample.value, kPhotoEntryIndent)) {
        ADD_FAILURE() << Utf16ToUtf8(finding.text);
      }
    }
  }
}

}  // namespace
}  // namespace kestrova
