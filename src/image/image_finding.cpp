#include "image/image_finding.h"

#include "run/message_lines.h"

namespace kestrova {

void AppendImageFinding(int code, FindingTag tag, std::u16string_view text, std::u16string& message,
                        RunHost& host, FindingCounters& counters) {
  const bool mustFix = tag == FindingTag::MustFix;
  message = u"    " + ErrorCodeText(code) + (mustFix ? u" [要修正] " : u" [要確認] ");
  message += text;
  message += u'\n';
  AppendFindingLine(message, host, true);
  ++(mustFix ? counters.m_nMustFix : counters.m_nMustConfirm);
}

void AppendFileFinding(int code, FindingTag tag, std::u16string_view sentence,
                       const std::u16string& path, std::u16string& message, RunHost& host,
                       FindingCounters& counters, std::size_t indent) {
  std::u16string text(sentence);
  text += u'\n';
  text.append(indent, u' ');
  text += u'[' + path + u']';
  AppendImageFinding(code, tag, text, message, host, counters);
}

}  // namespace kestrova
