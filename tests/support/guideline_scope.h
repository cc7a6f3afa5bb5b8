// Sets the rule-set name and the applicable guideline for a test and restores both afterwards.
#pragma once

#include <string>
#include <utility>

#include "check/rule_set_texts.h"
#include "run/run_globals.h"

namespace kestrova::test {

class GuidelineScope {
 public:
  GuidelineScope(std::u16string ruleSet, std::u16string_view guideline)
      : m_savedRuleSet(std::exchange(g_szRuleSet, std::move(ruleSet))),
        m_savedGuideline(g_strGuideline) {
    SetGuideline(guideline);
  }
  ~GuidelineScope() {
    g_szRuleSet = std::move(m_savedRuleSet);
    SetGuideline(m_savedGuideline);
  }
  GuidelineScope(const GuidelineScope&) = delete;
  GuidelineScope& operator=(const GuidelineScope&) = delete;

 private:
  std::u16string m_savedRuleSet;
  std::u16string m_savedGuideline;
};

}  // namespace kestrova::test
