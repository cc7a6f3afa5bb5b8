#include "display_changes.h"

#include <algorithm>

namespace kestrova {
namespace {

constexpr std::u16string_view kStageMark = u"＊＊";
constexpr std::u16string_view kStageEnd = u"を調べています。";

}  // namespace

bool DisplayBatch::empty() const {
  return log.empty() && fields.empty() && enabling.empty() && !focus && !stage && !progress &&
         findings.empty();
}

template <typename Change>
bool DisplayChanges::Record(Change change) {
  const std::lock_guard lock(m_mutex);
  const bool wasEmpty = m_batch.empty();
  change(m_batch);
  return wasEmpty;
}

bool DisplayChanges::AppendLog(const std::u16string& text) {
  std::optional<std::u16string> stage = LastStage(text);
  return Record([&](DisplayBatch& batch) {
    batch.log += text;
    m_logLength += text.size();
    if (stage) {
      batch.stage = std::move(stage);
      batch.progress.reset();
    }
  });
}

bool DisplayChanges::SetFieldText(ControlId field, const std::u16string& text) {
  return Record([&](DisplayBatch& batch) { batch.fields[field] = text; });
}

bool DisplayChanges::EnableControl(ControlId control, bool enabled) {
  return Record([&](DisplayBatch& batch) { batch.enabling[control] = enabled; });
}

bool DisplayChanges::SetFocus(ControlId control) {
  return Record([&](DisplayBatch& batch) { batch.focus = control; });
}

bool DisplayChanges::ReportProgress(int done, int total) {
  return Record([&](DisplayBatch& batch) { batch.progress = {done, total}; });
}

bool DisplayChanges::ReportFinding(const Finding& finding, bool checkSeal) {
  // The line feeds a text starts with stand before its first line.
  const size_t leading = std::min(finding.text.find_first_not_of(u'\n'), finding.text.size());
  return Record([&](DisplayBatch& batch) {
    const size_t start = m_logLength - std::min(m_logLength, finding.text.size());
    batch.findings.push_back({finding, start + leading, checkSeal});
  });
}

void DisplayChanges::ClearLog() {
  const std::lock_guard lock(m_mutex);
  m_logLength = 0;
}

DisplayBatch DisplayChanges::Take() {
  const std::lock_guard lock(m_mutex);
  return std::exchange(m_batch, DisplayBatch{});
}

std::optional<std::u16string> LastStage(std::u16string_view text) {
  const size_t mark = text.rfind(kStageMark);
  if (mark == std::u16string_view::npos) {
    return std::nullopt;
  }
  // Only a line that starts with the stars, after its indentation, is a progress line.
  size_t lineStart = text.find_last_of(u'\n', mark);
  lineStart = lineStart == std::u16string_view::npos ? 0 : lineStart + 1;
  if (text.substr(lineStart, mark - lineStart).find_first_not_of(u' ') !=
      std::u16string_view::npos) {
    return LastStage(text.substr(0, lineStart));
  }
  std::u16string_view stage = text.substr(mark + kStageMark.size());
  stage = stage.substr(0, stage.find(u'\n'));
  if (stage.ends_with(kStageEnd)) {
    stage.remove_suffix(kStageEnd.size());
  }
  return std::u16string(stage);
}

}  // namespace kestrova
