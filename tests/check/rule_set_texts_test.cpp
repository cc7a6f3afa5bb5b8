#include "check/rule_set_texts.h"

#include <gtest/gtest.h>

#include "support/guideline_scope.h"

namespace kestrova {
namespace {

TEST(RuleSetTextsTest, TheGuidelineIsReadWithoutBlanksAndIdeographicSpaces) {
  const struct {
    std::u16string_view text;
    std::u16string_view kept;
    Guideline guideline;
  } cases[] = {
      {u"Varnelia平成24年7月", u"Varnelia平成24年7月", Guideline::H24},
      {u"Varnelia 平成28年7月", u"Varnelia平成28年7月", Guideline::H28},
      {u" Varnelia\u3000平成29年 7月 ", u"Varnelia平成29年7月", Guideline::H29},
      // Only blanks and ideographic spaces go; any other difference names no known guideline.
      {u"Varnelia\t平成29年7月", u"Varnelia\t平成29年7月", Guideline::Unknown},
      {u"varnelia平成29年7月", u"varnelia平成29年7月", Guideline::Unknown},
      {u"Varnelia平成30年7月", u"Varnelia平成30年7月", Guideline::Unknown},
      {u"Varnelia平成29年7月版", u"Varnelia平成29年7月版", Guideline::Unknown},
      {u"", u"", Guideline::Unknown},
  };
  test::GuidelineScope scope(u"PHOT_KQ4", u"");
  for (const auto& c : cases) {
    SetGuideline(c.text);
    EXPECT_EQ(g_strGuideline, c.kept);
    EXPECT_EQ(g_guideline, c.guideline) << static_cast<int>(c.guideline);
    const GuidelineTexts* texts = GuidelineTextsOf(c.guideline);
    EXPECT_EQ(texts != nullptr, c.guideline != Guideline::Unknown);
    if (texts) {
      EXPECT_EQ(texts->name, c.kept);
    }
  }
}

TEST(RuleSetTextsTest, ARuleSetOfNeitherFormatHasNoTexts) {
  EXPECT_TRUE(RuleSetTextsOf(u"PHOT_KQ4").readsGuideline);
  EXPECT_EQ(RuleSetTextsOf(u"PHOT_KQ1").photoDtdFileName, u"PHOTO03.DTD");
  for (const std::u16string_view other : {u"PHOT_KQ5", u""}) {
    const RuleSetTexts& texts = RuleSetTextsOf(other);
    EXPECT_FALSE(texts.readsGuideline);
    EXPECT_TRUE(texts.guidelineLine.empty());
    EXPECT_TRUE(texts.managementDtdLine.empty());
    EXPECT_TRUE(texts.photoDtdFileName.empty());
    EXPECT_TRUE(texts.photoDocumentTypeLine.empty());
  }
}

}  // namespace
}  // namespace kestrova
