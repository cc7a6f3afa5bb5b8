// What a run shows without waiting for the window: log text, field texts, enabling, focus,
// progress. The worker thread records its changes here; the window thread takes them in batches
// and shows each batch at once. Only the final state of a batch is ever seen, so a batch keeps
// the log text whole and in order, and of everything else only the last value.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "run/finding.h"
#include "run/run_host.h"

namespace kestrova {

// A finding as the findings panel lists it.
struct ShownFinding {
  Finding finding;
  size_t logPosition = 0;  // where its first line starts in the log, counted in UTF-16 units
  bool checkSeal = false;  // the run asked the tamper-check library about its photos
};

struct DisplayBatch {
  std::u16string log;                          // appended text, in the order appended
  std::map<ControlId, std::u16string> fields;  // the last text of each field
  std::map<ControlId, bool> enabling;          // the last enabling of each control
  std::optional<ControlId> focus;              // the last control given the focus
  // The last stage line of the log, without its stars and "を調べています。"; set when one was
  // appended in this batch. A new stage empties the progress of the one before.
  std::optional<std::u16string> stage;
  std::optional<std::pair<int, int>> progress;  // the last photo entries done, out of total
  std::vector<ShownFinding> findings;           // in the order reported

  bool empty() const;
};

class DisplayChanges {
 public:
  // Each returns true when the batch was empty before: the window thread must then be told.
  bool AppendLog(const std::u16string& text);
  bool SetFieldText(ControlId field, const std::u16string& text);
  bool EnableControl(ControlId control, bool enabled);
  bool SetFocus(ControlId control);
  bool ReportProgress(int done, int total);
  // Called right after the finding's text was appended.
  bool ReportFinding(const Finding& finding, bool checkSeal);
  // The log was emptied: positions count from its start again.
  void ClearLog();

  // Everything recorded since the last call; the batch starts empty again.
  DisplayBatch Take();

 private:
  template <typename Change>
  bool Record(Change change);

  std::mutex m_mutex;
  DisplayBatch m_batch;
  size_t m_logLength = 0;  // of everything appended since the log was emptied
};

// The stage that a progress line of the log names (" ＊＊PHOTO.XMLの内容を調べています。" names
// "PHOTO.XMLの内容"), of the last such line in text; empty when text holds none.
std::optional<std::u16string> LastStage(std::u16string_view text);

}  // namespace kestrova
