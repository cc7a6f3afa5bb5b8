// The default settings reader on an untrusted file.
#include <cstddef>
#include <cstdint>

#include "input_file.h"
#include "rules/default_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova;
  g_defaultSettings = DefaultSettings{};
  LoadDefaultSettings(fuzz::WriteInputFile("KQD_DEFAULT.ini", data, size));
  GetDefaultSettings();
  return 0;
}
