// A RunHost for tests: records every call and answers prompts from scripts.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "run/run_host.h"

namespace kestrova::test {

class RecordingHost : public RunHost {
 public:
  void AppendLog(const std::u16string& text) override { log += text; }
  void SetFieldText(ControlId field, const std::u16string& text) override;
  void EnableControl(ControlId control, bool enabled) override;
  void SetFocus(ControlId control) override;
  MessageAnswer ShowMessageBox(const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons) override;
  std::optional<std::u16string> ChooseNextMediumFolder(const std::u16string& prompt) override;
  void ReportProgress(int done, int total) override;
  void ReportFinding(const Finding& finding) override { findings.push_back(finding); }

  std::u16string log;
  // "enable 1001", "disable 1000", "focus 1027", "field 1034=3", "box ...", "browse ...".
  std::vector<std::u16string> calls;
  std::deque<MessageAnswer> boxAnswers;               // default Ok
  std::deque<std::optional<std::u16string>> folders;  // default cancelled
  std::vector<std::pair<int, int>> progress;
  std::vector<Finding> findings;
};

}  // namespace kestrova::test
