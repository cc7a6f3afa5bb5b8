// Names of the files that keep the result log: the default name of a saved result and the
// check that a chosen name ends in ".txt".
#pragma once

#include <QString>
#include <string>

#include "platform/local_time.h"

namespace kestrova {

// "Kestrova結果_YYYYMMDDhhmmss.txt".
std::u16string ResultFileName(const LocalTime& time);

// The path with ".txt" appended, unless its last four characters already are ".txt" in any
// letter case.
QString WithTxtExtension(const QString& path);

}  // namespace kestrova
