#include "rules/enable_chr_table.h"

#include <algorithm>

#include "rules/rule_table_reader.h"
#include "rules/table_numbers.h"

namespace kestrova {

std::vector<EnableChrItem> g_enableChrTable;

namespace {

constexpr std::u16string_view kSetNamePrefix = u"KQD_";

const EnableChrItem* FindFirstSet(const std::u16string& name) {
  const auto it = std::find_if(g_enableChrTable.begin(), g_enableChrTable.end(),
                               [&name](const EnableChrItem& item) { return item.name == name; });
  return it == g_enableChrTable.end() ? nullptr : &*it;
}

bool NamesSet(const CSJISCodeRange& range) { return range.from.starts_with(kSetNamePrefix); }

}  // namespace

int LoadEnableChrTable(const std::u16string& path) {
  g_enableChrTable.clear();
  RuleTableReader reader;
  if (reader.OpenForLoader(path) != 0) {
    return -1;
  }
  enum class State { Count, Header, Range } state = State::Count;
  EnableChrItem item;
  long count = 0;
  for (reader.FirstLine(); !reader.AtEnd(); reader.NextLine()) {
    switch (state) {
      case State::Count:
        state = State::Header;
        break;
      case State::Header:
        count = ParseTableNumber(reader.Field(3)).value_or(0);
        if (count >= 1) {
          item = EnableChrItem{reader.Field(1), reader.Field(2), {}};
          state = State::Range;
        }
        break;
      case State::Range:
        item.ranges.push_back({reader.Field(1), reader.Field(2)});
        if (static_cast<long>(item.ranges.size()) == count) {
          g_enableChrTable.push_back(std::move(item));
          state = State::Header;
        }
        break;
    }
  }
  reader.Close();
  return 0;
}

bool IsCodeInCharSet(const std::u16string& setName, const std::u16string& code) {
  return CharSetCodes(setName).Contains(code);
}

CharSetCodes::CharSetCodes(const std::u16string& setName) {
  // A walk over the sets that the named one reaches, each visited once; an explicit stack keeps
  // long chains of names from deepening the call stack.
  // Kept between values so that gathering allocates only the list of ranges.
  thread_local std::vector<const EnableChrItem*> visited;
  thread_local std::vector<const EnableChrItem*> pending;
  visited.clear();
  pending.clear();
  if (const EnableChrItem* first = FindFirstSet(setName)) {
    pending.push_back(first);
  }
  while (!pending.empty()) {
    const EnableChrItem* set = pending.back();
    pending.pop_back();
    if (std::find(visited.begin(), visited.end(), set) != visited.end()) {
      continue;
    }
    visited.push_back(set);
    for (const CSJISCodeRange& range : set->ranges) {
      if (!NamesSet(range)) {
        m_ranges.push_back(&range);
      } else if (const EnableChrItem* named = FindFirstSet(range.from)) {
        pending.push_back(named);
      }
    }
  }
}

bool CharSetCodes::Contains(const std::u16string& code) const {
  return std::any_of(m_ranges.begin(), m_ranges.end(), [&code](const CSJISCodeRange* range) {
    return range->from <= code && code <= range->to;
  });
}

EnableChrItem FindCharSet(const std::u16string& setName) {
  const EnableChrItem* set = FindFirstSet(setName);
  return set ? *set : EnableChrItem{};
}

}  // namespace kestrova
