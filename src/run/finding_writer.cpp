#include "run/finding_writer.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "platform/text_encoding.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

// The finding last put into a message text, until the message is written.
std::optional<Finding> g_messageFinding;

std::u16string FillSentence(std::u16string_view pattern,
                            std::initializer_list<std::u16string_view> values) {
  std::u16string sentence;
  auto value = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's' &&
        value != values.end()) {
      sentence += *value++;
      ++i;
    } else {
      sentence.push_back(pattern[i]);
    }
  }
  return sentence;
}

Finding Compose(std::u16string indent, FindingKind kind,
                std::initializer_list<std::u16string_view> values,
                std::vector<std::u16string> details) {
  const FindingRecord& record = RecordOf(kind);
  Finding finding;
  finding.kind = kind;
  finding.code = record.code;
  finding.tag = TagText(record.tag);
  finding.indent = std::move(indent);
  finding.sentence = FillSentence(record.sentence, values);
  finding.details = std::move(details);

  std::u16string& text = finding.text;
  if (record.breaks == FindingBreaks::Before) text += u'\n';
  text += finding.indent;
  text += ErrorCodeText(finding.code);
  if (!finding.tag.empty()) text += u' ' + finding.tag;
  text += u' ' + finding.sentence;
  for (const std::u16string& detail : finding.details) text += u'\n' + detail;
  if (record.breaks == FindingBreaks::After) text += u'\n';
  return finding;
}

void Count(const Finding& finding, FindingCounters& counters) {
  switch (RecordOf(finding.kind).counter) {
    case FindingCounter::MustFix:
      ++counters.m_nMustFix;
      break;
    case FindingCounter::MustConfirm:
      ++counters.m_nMustConfirm;
      break;
    case FindingCounter::None:
      break;
  }
}

}  // namespace

std::u16string ErrorCodeText(int code) {
  char text[32];
  std::snprintf(text, sizeof text, "ERR-%06d", code);
  return Utf8ToUtf16(text);
}

Finding MakeFinding(FindingKind kind, std::initializer_list<std::u16string_view> values,
                    std::vector<std::u16string> details) {
  const int indent = RecordOf(kind).indent;
  return Compose(std::u16string(static_cast<size_t>(indent), u' '), kind, values,
                 std::move(details));
}

Finding MakeFindingAt(std::u16string_view indent, FindingKind kind,
                      std::initializer_list<std::u16string_view> values,
                      std::vector<std::u16string> details) {
  return Compose(std::u16string(indent), kind, values, std::move(details));
}

std::u16string WriteFinding(Finding finding, RunHost& host, FindingCounters& counters,
                            FindingPlace place, Counting counting) {
  finding.mediaNumber = g_nMediaNumber;
  if (place == FindingPlace::PhotoEntry) {
    finding.serialNumber = g_szSerialNo;
    if (g_bSerialPending) {
      g_bSerialPending = 0;
      host.AppendLog(u"  シリアル番号 " + g_szSerialNo + u"\n");
    }
  }
  host.AppendLog(finding.text);
  if (counting == Counting::Counted) Count(finding, counters);
  host.ReportFinding(finding);
  return std::move(finding.text);
}

int PutFindingInMessage(Finding finding, std::u16string& message) {
  message = finding.text;
  const int code = finding.code;
  g_messageFinding = std::move(finding);
  return code;
}

void WriteMessage(const std::u16string& message, RunHost& host, FindingCounters& counters,
                  Counting counting) {
  std::optional<Finding> finding = std::exchange(g_messageFinding, std::nullopt);
  if (finding && finding->text == message) {
    WriteFinding(std::move(*finding), host, counters, FindingPlace::Medium, Counting::NotCounted);
  } else {
    host.AppendLog(message);
  }
  if (counting == Counting::Counted) ++counters.m_nMustFix;
}

}  // namespace kestrova
