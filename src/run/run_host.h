// Everything a check run does to the program around it goes through RunHost: the desktop program
// carries each call out on its window thread and waits, the command line does it on the console.
#pragma once

#include <optional>
#include <string>

#include "run/finding.h"
#include "run/medium_result.h"

namespace kestrova {

// The dialog's controls that a run touches, by their control IDs.
enum class ControlId : int {
  MediaSelect = 1000,
  Start = 1001,
  Exit = 1002,
  Cancel = 1027,
  ResultGroup = 1028,
  Print = 1029,
  FileOutput = 1030,
  ResultLog = 1032,
  TargetPath = 1033,
  MediaNumber = 1034,
  SerialNumber = 1037,
};

enum class MessageIcon { Exclamation, Stop, Information };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

inline constexpr char16_t kMessageCaption[] = u"Kestrovaシステム";

// One medium as the run checked it.
struct CheckedMedium {
  std::u16string folder;  // the medium path, ending in a separator
  int mediaNumber = 0;    // its media number; 0 when it did not pass the media number test
  int mediaTotal = 0;     // the total its management file gave; 0 with no media number
  MediumResult result = MediumResult::Clean;
};

class RunHost {
 public:
  virtual ~RunHost() = default;

  // Appends text at the end of the result log.
  virtual void AppendLog(const std::u16string& text) = 0;
  virtual void SetFieldText(ControlId field, const std::u16string& text) = 0;
  virtual void EnableControl(ControlId control, bool enabled) = 0;
  virtual void SetFocus(ControlId control) = 0;
  // A message box with the caption kMessageCaption, modal to the dialog.
  virtual MessageAnswer ShowMessageBox(const std::u16string& text, MessageIcon icon,
                                       MessageButtons buttons) = 0;
  // Asks for the folder of the next medium with the prompt; empty when the user cancels.
  virtual std::optional<std::u16string> ChooseNextMediumFolder(const std::u16string& prompt) = 0;
  // Photo entries of the current medium checked so far, out of its total.
  virtual void ReportProgress(int done, int total) = 0;
  // Every finding as it is written into the log, in the same order.
  virtual void ReportFinding(const Finding& /*finding*/) {}
  // Every medium after its check, before the prompt for the next one.
  virtual void ReportMediumChecked(const CheckedMedium& /*medium*/) {}
};

}  // namespace kestrova
