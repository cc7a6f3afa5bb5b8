#include "check/rule_set_texts.h"

#include <algorithm>

namespace kestrova {
namespace {

constexpr RuleSetTexts kRuleSets[] = {
    {
        .name = kRuleSetCurrent,
        .readsGuideline = true,
        .guidelineLine = {},
        .managementDtdLine = u" ＊＊PHOT_KQ4.DTDの内容を調べています。\n",
        .managementDocumentTypeLine = u" ＊＊PHOTO_KQ.XMLとPHOT_KQ4.DTDの関係を調べています。\n",
        .photoDtdFileName = u"PHOTO04.DTD",
        .photoDtdLine = u" ＊＊PHOTO04.DTDの内容を調べています。\n",
        .photoDocumentTypeLine = u" ＊＊PHOTO.XMLとPHOTO4.DTDの関係を調べています。\n",
    },
    {
        .name = kRuleSetOlder,
        .readsGuideline = false,
        .guidelineLine = u"   適用要領：Varnelia　平成18年7月\n",
        .managementDtdLine = u" ＊＊PHOT_KQ1.DTDの内容を調べています。\n",
        .managementDocumentTypeLine = u" ＊＊PHOTO_KQ.XMLとPHOT_KQ1.DTDの関係を調べています。\n",
        .photoDtdFileName = u"PHOTO03.DTD",
        .photoDtdLine = u" ＊＊PHOTO01.DTDの内容を調べています。\n",
        .photoDocumentTypeLine = u" ＊＊PHOTO.XMLとPHOTO1.DTDの関係を調べています。\n",
    },
};

constexpr RuleSetTexts kOtherRuleSet{};

constexpr GuidelineTexts kGuidelines[] = {
    {
        .guideline = Guideline::H24,
        .name = u"Varnelia平成24年7月",
        .stageLine = u"   適用要領：Varnelia  平成24年7月\n\n",
        .needsTamperCheck = false,
        .imageRulesFileName = u"KQD_IMG24.ini",
        .relationTableFileName = u"KQD_RELATION24.ini",
    },
    {
        .guideline = Guideline::H28,
        .name = u"Varnelia平成28年7月",
        .stageLine = u"   適用要領：Varnelia  平成28年7月\n\n",
        .needsTamperCheck = false,
        .imageRulesFileName = {},
        .relationTableFileName = {},
    },
    {
        .guideline = Guideline::H29,
        .name = u"Varnelia平成29年7月",
        .stageLine = u"   適用要領：Varnelia  平成29年7月\n\n",
        .needsTamperCheck = true,
        .imageRulesFileName = {},
        .relationTableFileName = {},
    },
};

}  // namespace

const RuleSetTexts& RuleSetTextsOf(std::u16string_view ruleSet) {
  const auto found = std::find_if(std::begin(kRuleSets), std::end(kRuleSets),
                                  [&](const RuleSetTexts& texts) { return texts.name == ruleSet; });
  return found == std::end(kRuleSets) ? kOtherRuleSet : *found;
}

const GuidelineTexts* GuidelineTextsOf(Guideline guideline) {
  const auto found =
      std::find_if(std::begin(kGuidelines), std::end(kGuidelines),
                   [&](const GuidelineTexts& texts) { return texts.guideline == guideline; });
  return found == std::end(kGuidelines) ? nullptr : found;
}

Guideline ParseGuideline(std::u16string_view name) {
  const auto found = std::find_if(std::begin(kGuidelines), std::end(kGuidelines),
                                  [&](const GuidelineTexts& texts) { return texts.name == name; });
  return found == std::end(kGuidelines) ? Guideline::Unknown : found->guideline;
}

void SetGuideline(std::u16string_view text) {
  g_strGuideline.clear();
  for (const char16_t c : text) {
    if (c != u' ' && c != u'\u3000') g_strGuideline.push_back(c);
  }
  g_guideline = ParseGuideline(g_strGuideline);
}

}  // namespace kestrova
