// One finding of a check run, as the log writes it and as the host is told of it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "run/finding_register.h"

namespace kestrova {

struct Finding {
  FindingKind kind = FindingKind::RuleFileUnreadable;
  int code = 0;
  std::u16string tag;       // "[要修正]", "[要確認]", "[システムエラー]", or empty
  std::u16string indent;    // the blanks in front of the code
  std::u16string sentence;  // the first line's sentence with its values filled in
  // The lines under the first one, each with its own indentation and without its line feed.
  std::vector<std::u16string> details;
  // Everything the finding appends to the log (the serial number line in front aside).
  std::u16string text;
  int mediaNumber = 0;  // the medium's number; 0 while it has not been read
  // The photo entry's serial number, for a finding that belongs to an entry.
  std::optional<std::u16string> serialNumber;
  std::u16string elementPath;  // the element, for a finding about a value
  std::u16string filePath;     // the absolute path, for a finding about a photo or drawing file
};

}  // namespace kestrova
