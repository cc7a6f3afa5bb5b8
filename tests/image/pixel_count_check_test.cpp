#include "image/pixel_count_check.h"

#include <gtest/gtest.h>

#include "platform/text_encoding.h"
#include "run/run_globals.h"
#include "support/guideline_scope.h"
#include "support/recording_host.h"

namespace kestrova {
namespace {

constexpr char16_t kPath[] = u"/媒体/PHOTO/PIC/P0000001.JPG";
constexpr char16_t kH24[] = u"Varnelia平成24年7月";
constexpr char16_t kH28[] = u"Varnelia平成28年7月";
constexpr char16_t kH29[] = u"Varnelia平成29年7月";
constexpr char16_t kR1[] = u"1024-1280/768-1024";
constexpr char16_t kR2[] = u"768-1024/1024-1280";

enum class Line { None, OutOfRange, OutsideGiven, TooLarge, Changed };

std::u16string LineText(Line line) {
  const char16_t* sentence = u"";
  switch (line) {
    case Line::None:
      return u"";
    case Line::OutOfRange:
      sentence = u"工事写真の画素数が1024～1280/768～1024以外になっています。";
      break;
    case Line::OutsideGiven:
      sentence = u"画素数が指定範囲外です。";
      break;
    case Line::TooLarge:
      sentence = u"工事写真の画素数が1280×960Pixel以上になっています。";
      break;
    case Line::Changed:
      sentence = u"工事写真の画素数が変更された可能性があります。";
      break;
  }
  return u"  シリアル番号 7\n    ERR-005053 [要確認] " + std::u16string(sentence) + u"\n" +
         std::u16string(24, u' ') + u"[" + kPath + u"]\n";
}

struct PixelCase {
  const char* name;
  std::u16string ruleSet;
  std::u16string guideline;
  std::u16string category;
  std::u16string r1;
  std::u16string r2;
  std::u16string px;
  std::u16string py;
  std::uint16_t fw;
  std::uint16_t fh;
  int result;
  Line line;
};

TEST(PixelCountTest, BothStagesByRuleSetGuidelineAndCategory) {
  const std::u16string kq4 = u"PHOT_KQ4", kq1 = u"PHOT_KQ1";
  const std::vector<PixelCase> cases = {
      {"h29 completion untested", kq4, kH29, u"完成写真", kR1, kR2, u"5000", u"5000", 5000, 5000, 0,
       Line::None},
      {"h29 disaster untested", kq4, kH29, u"災害写真", kR1, kR2, u"5000", u"5000", 5000, 5000, 0,
       Line::None},
      {"h28 other category untested", kq4, kH28, u"品質管理写真", kR1, kR2, u"5000", u"5000", 5000,
       5000, 0, Line::None},
      {"h28 first range passes", kq4, kH28, u"その他写真", u"0-1280/0-960", u"0-960/0-1280",
       u"1280", u"960", 1280, 960, 0, Line::None},
      {"h28 second range passes", kq4, kH28, u"施工状況写真", u"0-1280/0-960", u"0-960/0-1280",
       u"960", u"1280", 960, 1280, 0, Line::None},
      {"h28 too large", kq4, kH28, u"その他写真", u"0-1280/0-960", u"0-960/0-1280", u"2000",
       u"1500", 2000, 1500, 5053, Line::TooLarge},
      {"h29 exif differs from frame", kq4, kH29, u"着手前写真", u"0-1280/0-960", u"0-960/0-1280",
       u"2000", u"1500", 1000, 750, 5053, Line::Changed},
      {"progressive frame 0 x 0", kq4, kH28, u"検査写真", u"0-1280/0-960", u"0-960/0-1280", u"2000",
       u"1500", 0, 0, 5053, Line::Changed},
      {"missing dimension reads 0", kq4, kH28, u"安全管理写真", u"1-1280/1-960", u"1-960/1-1280",
       u"", u"960", 0, 960, 5053, Line::TooLarge},
      {"h28 second range empty", kq4, kH28, u"その他写真", u"0-1280/0-960", u"", u"2000", u"1500",
       2000, 1500, 5053, Line::OutOfRange},
      {"h24 completion minimum only", kq4, kH24, u"完成写真", kR1, kR2, u"3000", u"2000", 3000,
       2000, 0, Line::None},
      {"h24 before work below both minimums", kq4, kH24, u"着手前写真", kR1, kR2, u"800", u"600",
       800, 600, 5053, Line::OutsideGiven},
      {"h24 before work changed", kq4, kH24, u"着手前写真", kR1, kR2, u"800", u"600", 0, 0, 5053,
       Line::Changed},
      {"h24 inspection second range", kq4, kH24, u"検査写真", kR1, kR2, u"1024", u"1280", 1024,
       1280, 0, Line::None},
      {"h24 inspection out of range", kq4, kH24, u"検査写真", kR1, kR2, u"2000", u"1500", 2000,
       1500, 5053, Line::OutOfRange},
      {"h24 inspection changed", kq4, kH24, u"検査写真", kR1, kR2, u"2000", u"1500", 1000, 750,
       5053, Line::Changed},
      {"h24 empty category skips the first range", kq4, kH24, u"", kR1, kR2, u"1280", u"960", 1280,
       960, 5053, Line::OutOfRange},
      {"h24 other category: no line", kq4, kH24, u"品質管理写真", kR1, kR2, u"1280", u"960", 1280,
       960, 5053, Line::None},
      {"h24 other category, second range empty", kq4, kH24, u"品質管理写真", kR1, u"", u"1280",
       u"960", 1280, 960, 5053, Line::OutOfRange},
      {"older format full range", kq1, u"", u"完成写真", kR1, kR2, u"1280", u"960", 1280, 960, 0,
       Line::None},
      {"older format out of range", kq1, u"", u"完成写真", kR1, kR2, u"2000", u"1500", 2000, 1500,
       5053, Line::OutOfRange},
      {"older format changed", kq1, u"", u"完成写真", kR1, kR2, u"2000", u"1500", 2001, 1500, 5053,
       Line::Changed},
      {"unknown guideline: no line", kq4, u"Varnelia平成30年7月", u"施工状況写真", kR1, kR2,
       u"1280", u"960", 1280, 960, 5053, Line::None},
      {"unknown rule set: no line", u"PHOT_KQ9", kH28, u"施工状況写真", kR1, kR2, u"1280", u"960",
       1280, 960, 5053, Line::None},
      {"unknown rule set, second range empty", u"PHOT_KQ9", kH28, u"施工状況写真", kR1, u"",
       u"1280", u"960", 1280, 960, 5053, Line::OutOfRange},
      {"range text with letters, rational dimension", kq4, kH28, u"施工状況写真",
       u"W1024-1280/H768-1024", kR2, u"1100.50", u"800", 1100, 800, 0, Line::None},
  };
  for (const PixelCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::GuidelineScope scope(c.ruleSet, c.guideline);
    test::RecordingHost host;
    FindingCounters counters;
    std::u16string message;
    CImgLimit row;
    row.pixelRanges = {c.r1, c.r2};
    g_bSerialPending = 1;
    g_szSerialNo = u"7";
    EXPECT_EQ(
        CheckPixelCount(kPath, row, c.category, c.px, c.py, c.fw, c.fh, message, host, counters),
        c.result);
    EXPECT_EQ(Utf16ToUtf8(host.log), Utf16ToUtf8(LineText(c.line)));
    EXPECT_EQ(counters.m_nMustConfirm, c.line == Line::None ? 0 : 1);
    EXPECT_EQ(counters.m_nMustFix, 0);
    EXPECT_TRUE(host.calls.empty());
  }
}

TEST(PixelCountTest, MissingFirstRangeShowsTheMessageBoxOnly) {
  for (const std::u16string category : {u"完成写真", u"施工状況写真"}) {
    test::GuidelineScope scope(u"PHOT_KQ4", kH29);
    test::RecordingHost host;
    FindingCounters counters;
    std::u16string message;
    CImgLimit row;
    row.pixelRanges = {u"", kR2};
    EXPECT_EQ(CheckPixelCount(kPath, row, category, u"9999", u"9999", 9999, 9999, message, host,
                              counters),
              0);
    EXPECT_EQ(host.calls, std::vector<std::u16string>{u"box 0 0 ソフト異常。\n画素数判定基準不明"});
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(counters.m_nMustConfirm, 0);
  }
}

TEST(PixelCountTest, ReadsRangeTexts) {
  struct Case {
    std::u16string text;
    PixelRange range;
  };
  const std::vector<Case> cases = {
      {u"1024-1280/768-1024", {1024, 1280, 768, 1024}},
      {u"W1024-1280/H768-1024", {1024, 1280, 768, 1024}},
      {u" 0 - 1280 / 0 - 960", {0, 1280, 0, 960}},
      {u"1024/768", {1024, 0, 0, 0}},
      {u"", {0, 0, 0, 0}},
      {u"99999999999-1/2-3", {2147483647, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    const PixelRange range = ReadPixelRange(c.text);
    EXPECT_EQ((std::vector<long>{range.xMin, range.xMax, range.yMin, range.yMax}),
              (std::vector<long>{c.range.xMin, c.range.xMax, c.range.yMin, c.range.yMax}))
        << Utf16ToUtf8(c.text);
  }
}

}  // namespace
}  // namespace kestrova
