// The values of the management file that the check sequence reads before anything else: the
// total number of media, this medium's number and the applicable guideline, found with the
// element paths of the default settings.
#pragma once

#include <functional>
#include <string>

#include "xml/xml_parser.h"

namespace kestrova {

// Tests one value under a display name: 0, or an error code with its finding in the message
// text. The check sequence passes the value validation of the management file's first element
// rule.
using ValueValidator = std::function<int(
    const std::u16string& value, const std::u16string& displayName, std::u16string& message)>;

// The number of the last value of MEDHIA_ALL_ELM, each value validated first (display name:
// the path). 0 when the element is missing or cannot be read; when a value fails, the number
// of the value before it (0 for the first). Findings are left in the message text.
int GetMediaTotal(const CPhotoKQXmlParser& parser, const ValueValidator& validate,
                  std::u16string& message);

// As GetMediaTotal, with MEDHIA_NO_ELM.
int GetMediaNumber(const CPhotoKQXmlParser& parser, const ValueValidator& validate,
                   std::u16string& message);

// The last value of RULE_ELM as written; empty when there is none or it cannot be read.
std::u16string GetGuidelineText(const CPhotoKQXmlParser& parser, std::u16string& message);

}  // namespace kestrova
