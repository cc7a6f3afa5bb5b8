// The clean-up list: files named in "Clean.ini" in the program folder are deleted at start-up.
#pragma once

#include <functional>
#include <string>

namespace kestrova {

inline constexpr char16_t kCleanListName[] = u"Clean.ini";

// Deletes every file that the list in programFolder names (one name a line, relative to the
// program folder), then the list itself when every named file is gone. Names that would reach
// outside the program folder are left alone. When the list exists but cannot be read,
// showMessage receives "UNICODEFILE OPEN失敗".
void ProcessCleanList(const std::u16string& programFolder,
                      const std::function<void(const std::u16string&)>& showMessage);

}  // namespace kestrova
