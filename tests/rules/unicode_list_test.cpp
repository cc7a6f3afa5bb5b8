#include "rules/unicode_list.h"

#include <gtest/gtest.h>

#include "platform/cached_file.h"

#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using namespace std::chrono_literals;

class UnicodeListTest : public ::testing::Test {
 protected:
  void SetUp() override { SetProgramFolder(FromFsPath(m_dir.path())); }
  void TearDown() override { SetProgramFolder(u"" KESTROVA_TEST_PROGRAM_DIR); }
  std::filesystem::path File() const { return m_dir.path() / "PHOT_KQ4" / "unicode_list.dat"; }
  // A list of 7043 units from first upwards.
  void WriteList(char16_t first) {
    std::string bytes;
    for (size_t k = 0; k < kUnicodeListLength; ++k) {
      const auto unit = static_cast<char16_t>(first + k);
      bytes.push_back(static_cast<char>(unit & 0xFF));
      bytes.push_back(static_cast<char>(unit >> 8));
    }
    test::WriteBytes(File(), bytes);
  }
  // Moves the modification time on, as a later change would: a change within one tick of the
  // file system's clock keeps the time it had.
  static void MarkChanged(const std::filesystem::path& path) {
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + 2s);
  }
  test::ScratchDir m_dir;
};

TEST_F(UnicodeListTest, ReportsEachUnlistedCharacterOnceInOrder) {
  WriteList(u'\u3000');  // U+3000 .. U+4B82
  struct Case {
    std::u16string text;
    std::u16string unlisted;
  };
  const Case cases[] = {
      {u"あ", u""},
      {u"A", u"A"},
      {u"AあAxA", u"Ax"},
      {u"\u3000\u4B82\u4B83\u2FFF", u"\u4B83\u2FFF"},  // the ends of the list
      {u"\r\n\n\rあ", u"\r"},                          // line ends are skipped, a lone CR is not
  };
  for (const auto& c : cases) {
    std::u16string output = u"old";
    EXPECT_EQ(FindUnlistedChars(c.text, output, 256), 1);
    EXPECT_EQ(output, c.unlisted);
  }
}

TEST_F(UnicodeListTest, TheOutputAreaLimitsTheAnswer) {
  WriteList(u'\u3000');
  std::u16string output = u"old";
  EXPECT_EQ(FindUnlistedChars(u"ABC", output, 3), 1);
  EXPECT_EQ(output, u"AB");
  output = u"old";
  EXPECT_EQ(FindUnlistedChars(u"ABC", output, 1), 0);
  EXPECT_EQ(output, u"old");
  EXPECT_EQ(FindUnlistedChars(u"", output, 2), 0);
  EXPECT_EQ(output, u"");
}

TEST_F(UnicodeListTest, WithoutTheFileNothingIsReportedAndAChangedFileIsReadAgain) {
  std::u16string output = u"old";
  EXPECT_EQ(FindUnlistedChars(u"A", output, 2), 0);
  EXPECT_EQ(output, u"old");

  WriteList(u'\u3000');
  MarkChanged(m_dir.path());  // the folder where the file appeared
  ForgetFileStamps();         // as the next check run does; within a run a change is seen later
  EXPECT_EQ(FindUnlistedChars(u"A", output, 2), 1);
  EXPECT_EQ(output, u"A");

  WriteList(u'\u0020');
  MarkChanged(File());
  ForgetFileStamps();
  EXPECT_EQ(FindUnlistedChars(u"A", output, 2), 1);
  EXPECT_EQ(output, u"");
}

}  // namespace
}  // namespace kestrova
