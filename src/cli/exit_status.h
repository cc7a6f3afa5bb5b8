// The exit statuses of kestrova-check. The status when the program folder is not known,
// kExitProgramFolderUnknown, is the desktop program's too (platform/program_folder.h).
#pragma once

#include "check/check_run.h"

namespace kestrova {

inline constexpr int kExitUsage = 64;
inline constexpr int kExitCannotWrite = 74;

// The status of a run that ended with finalResult: 0 nothing found, 1 findings, 2 the run
// stopped, 3 cancelled.
int ExitStatusOf(MediumResult finalResult);

}  // namespace kestrova
