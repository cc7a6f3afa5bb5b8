#include "console_host.h"

#include <unistd.h>

#include "json_report.h"
#include "platform/text_encoding.h"
#include "platform/utf16_text_file.h"
#include "terminal_text.h"

namespace kestrova {

ConsoleHost::ConsoleHost(std::FILE* out, std::FILE* err, std::deque<std::u16string> nextMedia)
    : m_out(out),
      m_err(err),
      m_outIsTerminal(out != nullptr && ::isatty(::fileno(out)) != 0),
      m_errIsTerminal(::isatty(::fileno(err)) != 0),
      m_nextMedia(std::move(nextMedia)) {}

void ConsoleHost::AppendLog(const std::u16string& text) {
  m_log += text;
  WriteToOutput(text);
}

bool ConsoleHost::FinishLog() {
  if (m_out == nullptr) return true;
  WriteToOutput(u"\n");
  if (!m_outFailed && (std::fflush(m_out) != 0 || std::ferror(m_out))) {
    m_outFailed = true;
  }
  return !m_outFailed;
}

void ConsoleHost::WriteToOutput(const std::u16string& text) {
  // Once standard output failed, the run goes on for the result file and the exit status.
  if (m_out == nullptr || m_outFailed) {
    return;
  }
  const std::string bytes = Utf16ToUtf8(m_outIsTerminal ? VisibleControls(text) : text);
  if (std::fwrite(bytes.data(), 1, bytes.size(), m_out) != bytes.size() || std::ferror(m_out)) {
    m_outFailed = true;
  }
}

void ConsoleHost::SetFieldText(ControlId, const std::u16string&) {}
void ConsoleHost::EnableControl(ControlId, bool) {}
void ConsoleHost::SetFocus(ControlId) {}

MessageAnswer ConsoleHost::ShowMessageBox(const std::u16string& text, MessageIcon,
                                          MessageButtons buttons) {
  WriteToError(text);
  // A console cannot swap a disc: a prompt with a Cancel button is answered with Cancel.
  return buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
}

std::optional<std::u16string> ConsoleHost::ChooseNextMediumFolder(const std::u16string& prompt) {
  WriteToError(prompt);
  if (m_nextMedia.empty()) {
    return std::nullopt;
  }
  std::u16string folder = std::move(m_nextMedia.front());
  m_nextMedia.pop_front();
  return folder;
}

void ConsoleHost::ReportProgress(int done, int total) {
  if (!m_errIsTerminal) {
    return;
  }
  if (m_out) std::fflush(m_out);
  std::fprintf(m_err, "\r  %d/%d", done, total);
  std::fflush(m_err);
  m_progressShown = true;
  if (done >= total) {
    ClearProgressLine();
  }
}

void ConsoleHost::ReportFinding(const Finding& finding) {
  if (m_report) m_report->AddFinding(finding);
}

void ConsoleHost::ReportMediumChecked(const CheckedMedium& medium) {
  if (m_report) m_report->AddMedium(medium);
}

void ConsoleHost::ClearProgressLine() {
  if (m_progressShown) {
    std::fputs("\r\033[K", m_err);
    m_progressShown = false;
  }
}

void ConsoleHost::WriteToError(const std::u16string& text) {
  if (m_out) std::fflush(m_out);
  ClearProgressLine();
  const std::u16string lines = DropCarriageReturns(text);
  const std::string bytes = Utf16ToUtf8(m_errIsTerminal ? VisibleControls(lines) : lines) + "\n";
  std::fwrite(bytes.data(), 1, bytes.size(), m_err);
  std::fflush(m_err);
}

}  // namespace kestrova
