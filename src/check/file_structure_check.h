// The folder and file structure check of a medium against KQD_FILE_STRUCT.ini.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrova {

// 0, or 5012 (a required name is missing, or a folder of the table that exists cannot be
// listed) or 5013 (a name no rule allows) with the finished message in message. Stops at the
// first finding.
int CheckFileStructure(const std::u16string& mediaPath, std::u16string& message);

// True when the name matches one of the entries: a required name ignoring letter case, or a
// pattern in which each "n" stands for one decimal digit.
bool MatchesFileRule(std::u16string_view name, const std::vector<std::u16string>& entries);

}  // namespace kestrova
