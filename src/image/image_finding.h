// The finding lines of the photo and drawing file checks: written below the photo entry's serial
// number line, counted by their tag, and reported with the file's absolute path.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "run/finding.h"
#include "run/finding_counters.h"
#include "run/run_host.h"

namespace kestrova {

// Blanks before the bracketed path of the second line of most findings.
inline constexpr std::size_t kPathIndent = 24;

// The finding of a kind with a second line holding the path in brackets after indent blanks.
Finding PathFinding(FindingKind kind, const std::u16string& path,
                    std::initializer_list<std::u16string_view> values = {},
                    std::size_t indent = kPathIndent);

// Writes the finding about the file at path for the current photo entry, leaves its text in
// message and returns its code.
int AppendFileFinding(Finding finding, const std::u16string& path, std::u16string& message,
                      RunHost& host, FindingCounters& counters);

}  // namespace kestrova
