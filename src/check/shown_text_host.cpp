#include "check/shown_text_host.h"

#include "platform/text_encoding.h"

namespace kestrova {

void ShownTextHost::AppendLog(const std::u16string& text) { m_host.AppendLog(ShownText(text)); }

void ShownTextHost::SetFieldText(ControlId field, const std::u16string& text) {
  m_host.SetFieldText(field, ShownText(text));
}

void ShownTextHost::EnableControl(ControlId control, bool enabled) {
  m_host.EnableControl(control, enabled);
}

void ShownTextHost::SetFocus(ControlId control) { m_host.SetFocus(control); }

MessageAnswer ShownTextHost::ShowMessageBox(const std::u16string& text, MessageIcon icon,
                                            MessageButtons buttons) {
  return m_host.ShowMessageBox(ShownText(text), icon, buttons);
}

std::optional<std::u16string> ShownTextHost::ChooseNextMediumFolder(const std::u16string& prompt) {
  return m_host.ChooseNextMediumFolder(ShownText(prompt));
}

void ShownTextHost::ReportProgress(int done, int total) { m_host.ReportProgress(done, total); }

void ShownTextHost::ReportFinding(const Finding& finding) {
  Finding shown = finding;
  shown.sentence = ShownText(finding.sentence);
  for (std::u16string& detail : shown.details) detail = ShownText(detail);
  shown.text = ShownText(finding.text);
  if (shown.serialNumber) shown.serialNumber = ShownText(*shown.serialNumber);
  m_host.ReportFinding(shown);
}

void ShownTextHost::ReportMediumChecked(const CheckedMedium& medium) {
  m_host.ReportMediumChecked(medium);
}

}  // namespace kestrova
