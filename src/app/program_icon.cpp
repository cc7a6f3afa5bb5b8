#include "program_icon.h"

// Resources are registered by a function in the global namespace.
static void RegisterIconResource() { Q_INIT_RESOURCE(kestrova); }

namespace kestrova {

QIcon ProgramIcon() {
  static const bool registered = (RegisterIconResource(), true);
  (void)registered;
  return QIcon(QStringLiteral(":/kestrova.png"));
}

}  // namespace kestrova
