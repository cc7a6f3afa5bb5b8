#include "rules/rule_table_reader.h"

#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using test::ScratchDir;

std::vector<std::u16string> Fields(RuleTableReader& reader) {
  std::vector<std::u16string> fields;
  for (int n = 1;; ++n) {
    std::u16string field;
    if (reader.GetColumn(n, field, RuleTableReader::kLoaderFieldSize) != 0) break;
    fields.push_back(field);
  }
  return fields;
}

std::u16string PathText(const std::filesystem::path& path) { return FromFsPath(path); }

TEST(RuleTableReader, SplitsAndUnquotesFieldsAsTheLoadersReceiveThem) {
  struct Case {
    const char* line;
    std::vector<std::u16string> fields;
  };
  const std::vector<Case> cases = {
      {"a,b,", {u"a", u"b", u""}},
      {"\"x,y\",z", {u"x,y", u"z"}},
      {"\"a\"\"b\",c", {u"a\"b", u"c"}},
      {"\"ab\"cd,e", {u"abcd", u"e"}},
      {"ab\"c,d\"", {u"ab\"c", u"d\""}},
      {" \"q\"", {u" \"q\""}},
      {"\"open,end", {u"open,end"}},
      {"", {u""}},
      {"工種,種別,\"細別,その他\"", {u"工種", u"種別", u"細別,その他"}},
  };
  ScratchDir dir;
  std::string content;
  for (const auto& c : cases) content += std::string(c.line) + "\n";
  test::WriteUtf16File(dir.path() / "KQD_TEST.ini", content);

  RuleTableReader reader;
  ASSERT_EQ(reader.OpenForLoader(PathText(dir.path() / "KQD_TEST.ini")), 0);
  reader.FirstLine();
  for (const auto& c : cases) {
    ASSERT_FALSE(reader.AtEnd()) << c.line;
    EXPECT_EQ(Fields(reader), c.fields) << c.line;
    reader.NextLine();
  }
  EXPECT_TRUE(reader.AtEnd());
}

TEST(RuleTableReader, ColumnsCanBeTakenInAnyOrder) {
  ScratchDir dir;
  test::WriteUtf16File(dir.path() / "t.ini", "1,2,3,4,5,6\n\n");
  RuleTableReader reader;
  ASSERT_EQ(reader.OpenForLoader(PathText(dir.path() / "t.ini")), 0);
  reader.FirstLine();
  std::u16string field = u"stale";
  EXPECT_EQ(reader.GetColumn(0, field, 1024), -1);
  EXPECT_EQ(field, u"");
  EXPECT_EQ(reader.GetColumn(5, field, 1024), 0);
  EXPECT_EQ(field, u"5");
  EXPECT_EQ(reader.GetColumn(2, field, 1024), 0);
  EXPECT_EQ(field, u"2");
  EXPECT_EQ(reader.GetColumn(2, field, 1024), 0);
  EXPECT_EQ(reader.GetColumn(7, field, 1024), -1);
  EXPECT_EQ(field, u"");
  EXPECT_EQ(reader.GetColumn(6, field, 1024), 0);
  EXPECT_EQ(field, u"6");
  reader.NextLine();  // the empty line: one empty field
  EXPECT_EQ(reader.GetColumn(2, field, 1024), -1);
  EXPECT_EQ(reader.GetColumn(1, field, 1024), 0);
  EXPECT_EQ(field, u"");
}

TEST(RuleTableReader, WithoutLastFieldOptionTheTextAfterTheLastCommaIsNoField) {
  ScratchDir dir;
  test::WriteUtf16File(dir.path() / "t.ini", "a,b");
  RuleTableReader reader;
  ASSERT_EQ(reader.Open(PathText(dir.path() / "t.ini"), RuleTableReader::kModeRead, 0), 0);
  reader.FirstLine();
  std::u16string field;
  EXPECT_EQ(reader.GetColumn(1, field, 1024), 0);
  EXPECT_EQ(reader.GetColumn(2, field, 1024), -1);
}

TEST(RuleTableReader, LongFieldsAreCutTo1023Characters) {
  ScratchDir dir;
  test::WriteUtf16File(dir.path() / "t.ini", std::string(2000, 'x') + ",y");
  RuleTableReader reader;
  ASSERT_EQ(reader.OpenForLoader(PathText(dir.path() / "t.ini")), 0);
  reader.FirstLine();
  std::u16string field;
  EXPECT_EQ(reader.GetColumn(1, field, 1024), -1);
  EXPECT_EQ(field, std::u16string(1023, u'x'));
  EXPECT_EQ(reader.Field(2), u"y");
}

TEST(RuleTableReader, ByteOrderMarkIsSkippedByPositionAndEmptyFilesEndAtOnce) {
  ScratchDir dir;
  // Without the mark, the first character is lost.
  test::WriteBytes(dir.path() / "nobom.ini", std::string("a\0b\0,\0c\0", 8));
  test::WriteBytes(dir.path() / "bomonly.ini", "\xFF\xFE");
  test::WriteBytes(dir.path() / "empty.ini", "");
  test::WriteBytes(dir.path() / "odd.ini", std::string("\xFF\xFE"
                                                       "a",
                                                       3));

  RuleTableReader reader;
  ASSERT_EQ(reader.OpenForLoader(PathText(dir.path() / "nobom.ini")), 0);
  reader.FirstLine();
  EXPECT_EQ(reader.Field(1), u"b");
  EXPECT_EQ(reader.Field(2), u"c");

  for (const char* name : {"bomonly.ini", "empty.ini", "odd.ini"}) {
    ASSERT_EQ(reader.OpenForLoader(PathText(dir.path() / name)), 0) << name;
    EXPECT_EQ(reader.FirstLine(), 0);
    EXPECT_TRUE(reader.AtEnd()) << name;
  }
}

TEST(RuleTableReader, MissingFileFailsAndClosedReaderRefusesEverything) {
  ScratchDir dir;
  RuleTableReader reader;
  EXPECT_EQ(reader.OpenForLoader(PathText(dir.path() / "missing.ini")), -1);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.FirstLine(), -1);
  std::u16string field;
  EXPECT_EQ(reader.GetColumn(1, field, 1024), -1);
  EXPECT_EQ(reader.Close(), 0);
}

TEST(RuleTableReader, FileIsFoundIgnoringLetterCase) {
  ScratchDir dir;
  test::WriteUtf16File(dir.path() / "フォルダ" / "KQD_ENABLE_CHR.ini", "x\r\ny");
  RuleTableReader reader;
  ASSERT_EQ(reader.OpenForLoader(PathText(dir.path() / "フォルダ" / "KQD_ENABLE_CHR.INI")), 0);
  reader.FirstLine();
  EXPECT_EQ(reader.Field(1), u"x");
  reader.NextLine();
  EXPECT_EQ(reader.Field(1), u"y");
  reader.NextLine();
  EXPECT_TRUE(reader.AtEnd());
}

}  // namespace
}  // namespace kestrova
