// The host as a run talks to it: every text that is shown (log, fields, message boxes, prompts)
// has the bytes of file names that are not UTF-8 shown as U+FFFD, while the engine keeps them in
// its paths so that the files are still found.
#pragma once

#include "run/run_host.h"

namespace kestrova {

class ShownTextHost : public RunHost {
 public:
  explicit ShownTextHost(RunHost& host) : m_host(host) {}

  void AppendLog(const std::u16string& text) override;
  void SetFieldText(ControlId field, const std::u16string& text) override;
  void EnableControl(ControlId control, bool enabled) override;
  void SetFocus(ControlId control) override;
  MessageAnswer ShowMessageBox(const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons) override;
  std::optional<std::u16string> ChooseNextMediumFolder(const std::u16string& prompt) override;
  void ReportProgress(int done, int total) override;
  // The finding with its texts as the log shows them; its file path stays the engine's.
  void ReportFinding(const Finding& finding) override;
  void ReportMediumChecked(const CheckedMedium& medium) override;

 private:
  RunHost& m_host;
};

}  // namespace kestrova
