#include "json_output.h"

namespace kestrova {

std::string DumpJsonLine(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace kestrova
