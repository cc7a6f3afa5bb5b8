#include "rules/replacement_table.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "platform/cached_file.h"
#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "platform/utf16_text_file.h"

namespace kestrova {
namespace {

constexpr size_t kMaxEntries = 100;
constexpr size_t kMaxKeyLength = 2;
constexpr size_t kMaxValueLength = 5;

struct Replacement {
  std::u16string key;
  std::u16string value;
};

bool StartsWithByteOrderMark(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  char mark[2] = {};
  return in.read(mark, 2) && mark[0] == '\xFF' && mark[1] == '\xFE';
}

// The first two non-empty tokens of a line, split at commas.
std::vector<std::u16string_view> LeadingTokens(std::u16string_view line) {
  std::vector<std::u16string_view> tokens;
  size_t start = 0;
  while (tokens.size() < 2 && start <= line.size()) {
    const size_t comma = std::min(line.find(u',', start), line.size());
    if (comma > start) {
      tokens.push_back(line.substr(start, comma - start));
    }
    start = comma + 1;
  }
  return tokens;
}

// The entries of the file sorted by key; equal keys keep their file order.
std::vector<Replacement> ReadReplacements(const std::optional<std::filesystem::path>& path) {
  std::vector<Replacement> entries;
  if (!path || !StartsWithByteOrderMark(*path)) {
    return entries;
  }
  const auto text = ReadUtf16TextFile(*path);
  if (!text) {
    return entries;
  }
  const std::u16string_view all(*text);
  for (size_t start = 0; start < all.size() && entries.size() < kMaxEntries;) {
    const size_t end = std::min(all.find(u'\n', start), all.size());
    const auto tokens = LeadingTokens(all.substr(start, end - start));
    if (tokens.size() == 2 && tokens[0].size() <= kMaxKeyLength &&
        tokens[1].size() <= kMaxValueLength) {
      entries.push_back({std::u16string(tokens[0]), std::u16string(tokens[1])});
    }
    start = end + 1;
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Replacement& a, const Replacement& b) { return a.key < b.key; });
  return entries;
}

CachedFileContent<std::vector<Replacement>> g_replacements(ReadReplacements);

// The entry that applies at text[i]: among the keys that start with text[i], a two-character key
// that matches text[i + 1] as well, otherwise a one-character key; nullptr when none applies.
const Replacement* FindReplacement(const std::vector<Replacement>& entries,
                                   std::u16string_view text, size_t i) {
  const auto first = std::partition_point(
      entries.begin(), entries.end(), [c = text[i]](const Replacement& r) { return r.key[0] < c; });
  const Replacement* single = nullptr;
  for (auto it = first; it != entries.end() && it->key[0] == text[i]; ++it) {
    if (it->key.size() == 2) {
      if (i + 1 < text.size() && it->key[1] == text[i + 1]) {
        return &*it;
      }
    } else if (!single) {
      single = &*it;
    }
  }
  return single;
}

}  // namespace

int ApplyReplacementTable(const std::u16string& text, std::u16string& output) {
  if (text.empty()) {
    output.clear();
    return 0;
  }
  const auto entries =
      g_replacements.Get(JoinPath(JoinPath(ProgramFolder(), u"PHOT_KQ4"), u"KQD_ENABLE_CHR.INI"));
  std::u16string replaced;
  replaced.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const Replacement* entry = FindReplacement(*entries, text, i);
    if (!entry) {
      replaced.push_back(text[i]);
      continue;
    }
    replaced += entry->value;
    i += entry->key.size() - 1;
  }
  output = std::move(replaced);
  return 1;
}

}  // namespace kestrova
