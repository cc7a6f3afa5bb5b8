// The findings of the item value tests, as they stand in the result log. Each begins with an
// indent: two blanks for the management file and the basic information of the photo attribute
// file, four for the elements of a photo entry. The explanation line of a two-line finding
// stands 20 blanks deeper than the indent. Each names its element as the finding's element path.
#pragma once

#include <string>
#include <string_view>

#include "run/finding.h"

namespace kestrova {

inline constexpr std::u16string_view kTopLevelIndent = u"  ";
inline constexpr std::u16string_view kPhotoEntryIndent = u"    ";

// 5034: a required element without a value.
Finding RequiredFinding(std::u16string_view indent, std::u16string_view name);

// 5032: more characters than the rule allows.
Finding TooLongFinding(std::u16string_view indent, std::u16string_view name, int maxLength);

// 5033: a character outside the element's character set; character is the offending UTF-16
// unit, description the set's description.
Finding ForbiddenCharFinding(std::u16string_view indent, std::u16string_view name,
                             std::u16string_view character, std::u16string_view description);

// 5035: a value that is not in the element's selection list; listText as the selection test
// gives it ('a','b','c'). One line, never shortened.
Finding NotInListFinding(std::u16string_view indent, std::u16string_view name,
                         std::u16string_view listText);

}  // namespace kestrova
