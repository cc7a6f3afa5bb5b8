#include "rules/replacement_table.h"

#include <gtest/gtest.h>

#include "platform/cached_file.h"

#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "platform/text_encoding.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using namespace std::chrono_literals;

class ReplacementTableTest : public ::testing::Test {
 protected:
  void SetUp() override { SetProgramFolder(FromFsPath(m_dir.path())); }
  void TearDown() override { SetProgramFolder(u"" KESTROVA_TEST_PROGRAM_DIR); }
  // The file as the installation names it, in another letter case than the one the table asks.
  std::filesystem::path File() const { return m_dir.path() / "PHOT_KQ4" / "KQD_ENABLE_CHR.ini"; }
  static std::u16string Apply(const std::u16string& text) {
    std::u16string output = u"old";
    EXPECT_EQ(ApplyReplacementTable(text, output), 1);
    return output;
  }
  test::ScratchDir m_dir;
};

TEST_F(ReplacementTableTest, PairsOfTheCharacterSetFileReplaceCharacters) {
  test::WriteUtf16File(File(),
                       "2\n"
                       "KQD_数字,半角数字,1\n"
                       "0030,0039\n"
                       "KQD_置換,置換文字,3\n"
                       "～,〜\n"
                       "－,−\n"
                       ",,ab,,XYZ\n");
  EXPECT_EQ(Apply(u"～１"), u"〜１");
  EXPECT_EQ(Apply(u"－ab－a"), u"−XYZ−a");
  EXPECT_EQ(Apply(u"KQD_数字0030"), u"KQD_数字0030");  // headers and codes are no pairs
  std::u16string output = u"old";
  EXPECT_EQ(ApplyReplacementTable(u"", output), 0);
  EXPECT_EQ(output, u"");
}

TEST_F(ReplacementTableTest, KeysSharingTheirFirstCharacterAllFindTheirEntry) {
  std::string content = "a,1\nab,2\nac,3\na,4\n";
  for (char c = 'd'; c <= 'z'; ++c) {
    content += std::string("x") + c + "," + static_cast<char>(c - 0x20) + "\n";
  }
  test::WriteUtf16File(File(), content);
  EXPECT_EQ(Apply(u"abacada"), u"231d1");  // a two-character key wins; "a" is the first "a"
  EXPECT_EQ(Apply(u"xdxmxzxax"), u"DMZx1x");
}

TEST_F(ReplacementTableTest, LinesThatAreNoPairsAndEntriesPastTheHundredthAreIgnored) {
  std::string content = "abc,1\nb,123456\nc\nd,12345,more\n";
  for (int k = 0; k < 101; ++k) {
    content += Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(0x4E00 + k))) + ",v\n";
  }
  test::WriteUtf16File(File(), content);
  EXPECT_EQ(Apply(u"abcd"), u"abc12345");
  // d's entry and 99 of the 101 make 100 entries: the last two are not taken.
  EXPECT_EQ(Apply(u"\u4E00\u4E62\u4E63\u4E64"), u"vv\u4E63\u4E64");
}

TEST_F(ReplacementTableTest, NoReplacementWithoutFileOrByteOrderMark) {
  EXPECT_EQ(Apply(u"～"), u"～");
  test::WriteBytes(File(), std::string("~\0,\0b\0", 6));
  EXPECT_EQ(Apply(u"~"), u"~");
}

TEST_F(ReplacementTableTest, AChangedFileIsReadAgain) {
  test::WriteUtf16File(File(), "～,〜\n");
  EXPECT_EQ(Apply(u"～"), u"〜");
  test::WriteUtf16File(File(), "～,~~\n");
  // A later change: one within the same tick of the file system's clock keeps the time.
  std::filesystem::last_write_time(File(), std::filesystem::last_write_time(File()) + 2s);
  ForgetFileStamps();  // as the next check run does; within a run a change is seen later
  EXPECT_EQ(Apply(u"～"), u"~~");
  // Replaced by a file of another letter case: still found.
  std::filesystem::remove(File());
  test::WriteUtf16File(m_dir.path() / "PHOT_KQ4" / "kqd_enable_chr.INI", "～,!\n");
  ForgetFileStamps();
  EXPECT_EQ(Apply(u"～"), u"!");
  std::filesystem::remove(m_dir.path() / "PHOT_KQ4" / "kqd_enable_chr.INI");
  ForgetFileStamps();
  EXPECT_EQ(Apply(u"～"), u"～");
}

}  // namespace
}  // namespace kestrova
