// The program's icon, compiled into the program as a resource.
#pragma once

#include <QIcon>

namespace kestrova {

// The icon of the title bar, the task bar and the version dialog. Registers the resource on the
// first call: the linker keeps a static library's resources only when something refers to them.
QIcon ProgramIcon();

}  // namespace kestrova
