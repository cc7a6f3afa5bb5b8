// kestrova-check --list-codes: the register of findings as text.
#pragma once

#include <cstdio>
#include <string>

namespace kestrova {

// One line per finding kind: "ERR-%06d", the tag (empty for none) and the sentence, separated by
// tabs; "%s" in a sentence stands for a value filled in when the line is written.
std::string CodeListText();

// The same as a JSON array: per finding kind its code, "ERR-%06d", tag (null for none), sentence
// and indentation (blanks before the code; null where the writer of the line gives it).
std::string CodeListJson();

void PrintCodeList(std::FILE* out, bool json);

}  // namespace kestrova
