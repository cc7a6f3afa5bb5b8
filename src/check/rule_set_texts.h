// The texts that differ by rule set and by guideline: the stage lines of the log, the photo DTD's
// file name, the guideline names and the rule files a guideline replaces.
#pragma once

#include <string_view>

#include "run/run_globals.h"

namespace kestrova {

struct RuleSetTexts {
  std::u16string_view name;
  // The medium's management file names the guideline (the current format); otherwise the
  // guideline line below, if any, is written once for the run.
  bool readsGuideline = false;
  std::u16string_view guidelineLine;
  std::u16string_view managementDtdLine;
  std::u16string_view managementDocumentTypeLine;
  std::u16string_view photoDtdFileName;
  std::u16string_view photoDtdLine;
  std::u16string_view photoDocumentTypeLine;
};

// The texts of the rule set; all empty for a rule set that is neither format.
const RuleSetTexts& RuleSetTextsOf(std::u16string_view ruleSet);

struct GuidelineTexts {
  Guideline guideline;
  std::u16string_view name;  // as the management file gives it, blanks removed
  std::u16string_view stageLine;
  bool needsTamperCheck = false;
  // The rule files that replace the rule set's own image rules and relation table; empty for
  // none.
  std::u16string_view imageRulesFileName;
  std::u16string_view relationTableFileName;
};

// The texts of a known guideline; null for Guideline::Unknown.
const GuidelineTexts* GuidelineTextsOf(Guideline guideline);

// The guideline that a name (blanks removed) gives; Unknown for any other text.
Guideline ParseGuideline(std::u16string_view name);

// Takes the management file's guideline text: g_strGuideline becomes the text without blanks and
// ideographic spaces, g_guideline the guideline it names.
void SetGuideline(std::u16string_view text);

}  // namespace kestrova
