// The finding lines of the photo and drawing file checks: appended below the photo entry's serial
// number line and counted by their tag.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "run/finding_counters.h"
#include "run/run_host.h"

namespace kestrova {

enum class FindingTag { MustFix, MustConfirm };

// Blanks before the bracketed path of the second line of most findings.
inline constexpr std::size_t kPathIndent = 24;

// Puts "    ERR-%06d [tag] " + text + "\n" into message, appends it with the serial number line of
// the photo entry going first when still pending, and counts it.
void AppendImageFinding(int code, FindingTag tag, std::u16string_view text, std::u16string& message,
                        RunHost& host, FindingCounters& counters);

// The same for a finding of one file: the sentence, then a second line holding the path in
// brackets after indent blanks.
void AppendFileFinding(int code, FindingTag tag, std::u16string_view sentence,
                       const std::u16string& path, std::u16string& message, RunHost& host,
                       FindingCounters& counters, std::size_t indent = kPathIndent);

}  // namespace kestrova
