// A check run: from the start button to the completion message, over one medium or a set.
#pragma once

#include <cstdint>
#include <string>

#include "check/shown_text_host.h"
#include "run/finding_counters.h"
#include "run/run_host.h"

namespace kestrova {

// Final result of a run, and result of checking one medium.
enum MediumResult : int {
  kResultClean = 0,
  kResultFindings = 1,
  kResultStop = 2,
  kResultCancelled = -1,
  kResultWrongMedium = 99,
};

class CheckRun {
 public:
  explicit CheckRun(RunHost& host) : m_shownHost(host), m_host(m_shownHost) {}
  virtual ~CheckRun() = default;
  CheckRun(const CheckRun&) = delete;
  CheckRun& operator=(const CheckRun&) = delete;

  // The whole run: header, rule set, the media loop with its prompts, summary, completion
  // message and the enabling of the controls afterwards. The final result is left in
  // m_nFinalResult.
  void RunCheck();

  // Checks the medium at m_szMediaPath; a medium result code.
  virtual int CheckMedium();

  // Finds the rule set from the first "*.DTD" file of the medium root; false when there is none
  // or no rule folder of that name lies beside the program.
  bool FindRuleSet();

  // Loads the rule tables of the rule folder in their fixed order; 0, or the result of the first
  // loader that failed.
  int LoadRuleFiles();

  // Asks the host for the next medium's folder; 0 with m_szMediaPath replaced, -1 when cancelled.
  int BrowseNextMediaFolder(const std::u16string& prompt);

  std::u16string m_szMediaPath;  // root of the medium, ending in a separator
  std::u16string m_strTarget;    // the target text shown in the path field and the log header
  std::int32_t m_nLastMediaNo = 0;
  std::int32_t m_nMediaTotal = 0;
  FindingCounters m_counters;
  int m_nFinalResult = kResultClean;

 private:
  ShownTextHost m_shownHost;

 protected:
  RunHost& m_host;

 private:
  int RunMediaLoop();
  bool PromptForMedium(bool wrongMedium);
  void AppendSummary(int finalResult);
  void ShowCompletionMessage(int finalResult);
  void EnableControlsAfterRun();
};

}  // namespace kestrova
