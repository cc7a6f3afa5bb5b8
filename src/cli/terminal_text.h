// Text shown on a terminal: control characters that come with a medium's names and values could
// move the cursor, rewrite the screen or hide findings, so they are shown as visible escapes.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// The text with every control character but the line feed written as an escape: "\x1B" for the
// C0 controls and DEL, "\u009B" for the C1 controls.
std::u16string VisibleControls(std::u16string_view text);

}  // namespace kestrova
