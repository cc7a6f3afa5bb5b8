// The fonts of the desktop program: a Japanese font for the dialogs and a fixed-pitch Japanese
// font for the result log, each falling back to what the system offers.
#pragma once

#include <QFont>

namespace kestrova {

// "Noto Sans CJK JP" at 9 points, else the application's font at 9 points.
QFont DialogFont();

// "Noto Sans Mono CJK JP" at 9 points (12 pixels at 96 dpi), else the system's fixed font.
QFont LogFont();

}  // namespace kestrova
