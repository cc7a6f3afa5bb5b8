// A check run: from the start button to the completion message, over one medium or a set.
#pragma once

#include <cstdint>
#include <string>

#include "check/shown_text_host.h"
#include "run/finding_counters.h"
#include "run/finding_writer.h"
#include "run/medium_result.h"
#include "run/run_host.h"

namespace kestrova {

class CheckRun {
 public:
  explicit CheckRun(RunHost& host) : m_shownHost(host), m_host(m_shownHost) {}
  virtual ~CheckRun() = default;
  CheckRun(const CheckRun&) = delete;
  CheckRun& operator=(const CheckRun&) = delete;

  // The whole run: header, rule set, the media loop with its prompts, summary, completion
  // message and the enabling of the controls afterwards. The final result is left in
  // m_finalResult.
  void RunCheck();

  // Checks the medium at m_szMediaPath, stage after stage.
  virtual MediumResult CheckMedium();

  // Finds the rule set from the first "*.DTD" file of the medium root; false when there is none
  // or no rule folder of that name lies beside the program.
  bool FindRuleSet();

  // Loads the rule tables of the rule folder in their fixed order; 0, or the result of the first
  // loader that failed.
  int LoadRuleFiles();

  // Asks the host for the next medium's folder; true with m_szMediaPath replaced, false when
  // cancelled.
  bool BrowseNextMediaFolder(const std::u16string& prompt);

  std::u16string m_szMediaPath;  // root of the medium, ending in a separator
  std::u16string m_strTarget;    // the target text shown in the path field and the log header
  std::int32_t m_nLastMediaNo = 0;
  std::int32_t m_nMediaTotal = 0;
  FindingCounters m_counters;
  MediumResult m_finalResult = MediumResult::Clean;

 private:
  ShownTextHost m_shownHost;

 protected:
  RunHost& m_host;

 private:
  // What the stages of one medium's check share.
  struct MediumState;
  // How a stage ends: the next stage follows, or the check of the medium ends here.
  enum class [[nodiscard]] StageEnd{Next, MediumEnds};
  using Stage = StageEnd (CheckRun::*)(MediumState&);

  // The stages of CheckMedium, in order. Each writes its stage lines and its findings; a stage
  // that ends the medium with a stop or a wrong medium leaves that result in the state.
  StageEnd LoadMediumFiles(MediumState& medium);
  StageEnd ReadMediaNumbers(MediumState& medium);
  StageEnd CheckGuideline(MediumState& medium);
  StageEnd CheckStructure(MediumState& medium);
  StageEnd CheckManagementFile(MediumState& medium);
  StageEnd CheckPhotoFile(MediumState& medium);
  StageEnd CheckPhotoEntryList(MediumState& medium);

  // Writes the failure text the last check left, counted or not, and ends the medium with a stop.
  StageEnd StopWithMessage(MediumState& medium, Counting counting);
  // Writes the finding and ends the medium with a stop.
  StageEnd StopWithFinding(MediumState& medium, FindingKind kind, Counting counting);
  // Ends the medium when the run was cancelled or an error limit was exceeded.
  StageEnd Poll() const;

  MediumResult RunMediaLoop();
  bool PromptForMedium(bool wrongMedium);
  void AppendSummary(MediumResult finalResult);
  void ShowCompletionMessage(MediumResult finalResult);
  void EnableControlsAfterRun();
};

}  // namespace kestrova
