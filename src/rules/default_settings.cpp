#include "rules/default_settings.h"

#include <algorithm>

#include "platform/file_access.h"
#include "platform/utf16_text_file.h"

namespace kestrova {

DefaultSettings g_defaultSettings;

namespace {

// The file is read in pieces of at most 255 characters; a piece ends after a line feed or at
// that length, and a longer line goes on as a piece of its own.
constexpr size_t kPieceLength = 255;

struct Key {
  std::u16string_view text;
  std::u16string DefaultSettings::*field;
};

constexpr Key kKeys[] = {
    {u"MEDHIA_NO_ELM=", &DefaultSettings::MEDHIA_NO_ELM},
    {u"MEDHIA_ALL_ELM=", &DefaultSettings::MEDHIA_ALL_ELM},
    {u"RESULT_OUT_DIR=", &DefaultSettings::RESULT_OUT_DIR},
    {u"ERR_F=", &DefaultSettings::ERR_F},
    {u"ERR_W=", &DefaultSettings::ERR_W},
    {u"ERR_T=", &DefaultSettings::ERR_T},
    {u"RULE_ELM=", &DefaultSettings::RULE_ELM},
};

void ApplyPiece(std::u16string_view piece, DefaultSettings& settings) {
  for (const Key& key : kKeys) {
    if (piece.substr(0, key.text.size()) == key.text) {
      std::u16string_view value = piece.substr(key.text.size());
      if (!value.empty() && value.back() == u'\n') {
        value.remove_suffix(1);
      }
      settings.*key.field = std::u16string(value);
      return;
    }
  }
}

}  // namespace

int LoadDefaultSettings(const std::u16string& path) {
  const auto resolved = ResolvePathIgnoringCase(ToFsPath(path));
  const auto text = resolved ? ReadUtf16TextFile(*resolved) : std::nullopt;
  if (!text) {
    return 1;
  }
  const std::u16string_view all(*text);
  size_t start = 0;
  while (start < all.size()) {
    const size_t lineFeed = all.find(u'\n', start);
    size_t length =
        lineFeed == std::u16string_view::npos ? all.size() - start : lineFeed - start + 1;
    length = std::min(length, kPieceLength);
    ApplyPiece(all.substr(start, length), g_defaultSettings);
    start += length;
  }
  return 0;
}

DefaultSettings GetDefaultSettings() { return g_defaultSettings; }

}  // namespace kestrova
