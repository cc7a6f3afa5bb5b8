// The program's version. Its one definition is written when the build is configured, so that a
// new version recompiles that file alone.
#pragma once

namespace kestrova {

// The version of this build, e.g. "0.1.0".
extern const char kVersion[];

}  // namespace kestrova
