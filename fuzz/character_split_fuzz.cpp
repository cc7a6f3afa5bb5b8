// Splitting values into code page 932 characters, with the replacement table applied first. The
// input up to the first 0x00 0x00 pair is the replacement table file, the rest the value as
// UTF-16LE; the whole input is also split as code page 932 bytes.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "input_file.h"
#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "rules/replacement_table.h"
#include "xml/character_split.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova;
  static const bool prepared = [] {
    SetProgramFolder(fuzz::InputFolder());
    std::filesystem::create_directories(ToFsPath(JoinPath(fuzz::InputFolder(), u"PHOT_KQ4")));
    return true;
  }();
  (void)prepared;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::size_t split = bytes.find(std::string_view("\0\0", 2));
  if (split == std::string_view::npos) split = size;
  fuzz::WriteInputFile("PHOT_KQ4/KQD_ENABLE_CHR.INI", data, split);
  std::u16string value;
  for (std::size_t i = split + 2; i + 1 < size; i += 2) {
    value.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  std::u16string replaced;
  ApplyReplacementTable(value, replaced);
  SplitCharacters(replaced);
  SplitCharacters(value);
  SplitCp932Bytes(bytes);
  return 0;
}
