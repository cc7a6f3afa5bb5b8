// The character replacement table: pairs of the file PHOT_KQ4/KQD_ENABLE_CHR.INI of the program
// folder, applied to a value before its characters are looked up in the Unicode character list.
#pragma once

#include <string>

namespace kestrova {

// Writes the text with the replacements applied into output: 1, or 0 (output empty) when the text
// is empty. The table is the file's lines whose first token has 1 or 2 characters and whose
// second token has 1 to 5 (tokens split at commas and line feeds, empty ones skipped), at most
// 100 of them; no replacement takes place when the file is missing or lacks the byte order mark.
// At each position the entries whose key starts with that character are tried: a two-character
// key that matches the next character as well wins over a one-character key, and among equal keys
// the first in the file. The file is read again only when it changed.
int ApplyReplacementTable(const std::u16string& text, std::u16string& output);

}  // namespace kestrova
