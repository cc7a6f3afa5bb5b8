#include "rules/unicode_list.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/cached_file.h"
#include "platform/file_access.h"
#include "platform/program_folder.h"

namespace kestrova {
namespace {

using UnitList = std::optional<std::vector<char16_t>>;

// The units of the file in ascending order (a shorter file gives the units it holds); nothing
// when it cannot be read.
UnitList ReadUnitList(const std::optional<std::filesystem::path>& path) {
  if (!path || !IsRegularFile(*path)) {
    return std::nullopt;
  }
  std::ifstream in(*path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  char bytes[kUnicodeListLength * 2];
  in.read(bytes, sizeof bytes);
  if (in.bad()) {
    return std::nullopt;
  }
  const auto count = static_cast<size_t>(in.gcount()) / 2;
  std::vector<char16_t> units(count);
  for (size_t i = 0; i < count; ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  std::sort(units.begin(), units.end());
  return units;
}

CachedFileContent<UnitList> g_unitList(ReadUnitList);

}  // namespace

int FindUnlistedChars(const std::u16string& text, std::u16string& output, size_t size) {
  if (size < 2) {
    return 0;
  }
  if (text.empty()) {
    output.clear();
    return 0;
  }
  const auto list =
      g_unitList.Get(JoinPath(JoinPath(ProgramFolder(), u"PHOT_KQ4"), u"unicode_list.dat"));
  if (!*list) {
    return 0;
  }
  std::u16string unlisted;
  for (size_t i = 0; i < text.size() && unlisted.size() < size - 1; ++i) {
    const char16_t c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++i;
      continue;
    }
    if (c == u'\n' || std::binary_search((*list)->begin(), (*list)->end(), c) ||
        unlisted.find(c) != std::u16string::npos) {
      continue;
    }
    unlisted.push_back(c);
  }
  output = std::move(unlisted);
  return 1;
}

}  // namespace kestrova
