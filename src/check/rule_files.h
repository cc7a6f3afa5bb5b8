// Paths of the installation files of the current rule set.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// program folder / rule-set name / file name.
std::u16string RuleFilePath(std::u16string_view fileName);

}  // namespace kestrova
