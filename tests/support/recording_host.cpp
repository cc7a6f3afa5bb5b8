#include "support/recording_host.h"

#include "platform/text_encoding.h"

namespace kestrova::test {

void RecordingHost::SetFieldText(ControlId field, const std::u16string& text) {
  calls.push_back(u"field " + DecimalText(static_cast<int>(field)) + u"=" + text);
}

void RecordingHost::EnableControl(ControlId control, bool enabled) {
  calls.push_back((enabled ? u"enable " : u"disable ") + DecimalText(static_cast<int>(control)));
}

void RecordingHost::SetFocus(ControlId control) {
  calls.push_back(u"focus " + DecimalText(static_cast<int>(control)));
}

MessageAnswer RecordingHost::ShowMessageBox(const std::u16string& text, MessageIcon icon,
                                            MessageButtons buttons) {
  calls.push_back(u"box " + DecimalText(static_cast<int>(icon)) + u" " +
                  DecimalText(static_cast<int>(buttons)) + u" " + text);
  if (boxAnswers.empty()) {
    return MessageAnswer::Ok;
  }
  const MessageAnswer answer = boxAnswers.front();
  boxAnswers.pop_front();
  return answer;
}

std::optional<std::u16string> RecordingHost::ChooseNextMediumFolder(const std::u16string& prompt) {
  calls.push_back(u"browse " + prompt);
  if (folders.empty()) {
    return std::nullopt;
  }
  auto folder = folders.front();
  folders.pop_front();
  return folder;
}

void RecordingHost::ReportProgress(int done, int total) { progress.emplace_back(done, total); }

}  // namespace kestrova::test
