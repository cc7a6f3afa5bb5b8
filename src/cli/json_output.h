// JSON as the command line writes it: keys in the order they were added.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace kestrova {

using Json = nlohmann::ordered_json;

// The value on one line. Text that is not valid UTF-8 (a file name given in another encoding)
// is written with U+FFFD in place of the bytes that do not decode.
std::string DumpJsonLine(const Json& value);

}  // namespace kestrova
