// The command line's RunHost: the result log goes to standard output as it is written, message
// boxes and prompts to standard error, and prompts for a next medium are answered from a list.
#pragma once

#include <cstdio>
#include <deque>
#include <string>

#include "run/run_host.h"

namespace kestrova {

class JsonReport;

class ConsoleHost : public RunHost {
 public:
  // With out null the log is only kept, not written (--quiet).
  ConsoleHost(std::FILE* out, std::FILE* err, std::deque<std::u16string> nextMedia);

  // The report that receives every finding and medium of the run, if any.
  void SetReport(JsonReport* report) { m_report = report; }

  void AppendLog(const std::u16string& text) override;
  void SetFieldText(ControlId field, const std::u16string& text) override;
  void EnableControl(ControlId control, bool enabled) override;
  void SetFocus(ControlId control) override;
  MessageAnswer ShowMessageBox(const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons) override;
  std::optional<std::u16string> ChooseNextMediumFolder(const std::u16string& prompt) override;
  void ReportProgress(int done, int total) override;
  void ReportFinding(const Finding& finding) override;
  void ReportMediumChecked(const CheckedMedium& medium) override;

  // Everything appended to the result log so far, exactly as written.
  const std::u16string& LogText() const { return m_log; }

  // Ends the log on standard output with its final line feed; false when any of the log could
  // not be written there (a closed pipe, a full disc).
  bool FinishLog();

 private:
  void WriteToOutput(const std::u16string& text);
  void WriteToError(const std::u16string& text);
  void ClearProgressLine();

  std::FILE* m_out;
  std::FILE* m_err;
  bool m_outIsTerminal;
  bool m_errIsTerminal;
  bool m_outFailed = false;
  bool m_progressShown = false;
  std::deque<std::u16string> m_nextMedia;
  std::u16string m_log;
  JsonReport* m_report = nullptr;
};

}  // namespace kestrova
