#include "rules/photo_division_table.h"

#include <algorithm>

#include "rules/rule_table_reader.h"
#include "rules/table_numbers.h"

namespace kestrova {

PhotoDivTable g_photoDivTable;

int LoadPhotoDivTable(const std::u16string& path) {
  g_photoDivTable = PhotoDivTable{};
  RuleTableReader reader;
  if (reader.OpenForLoader(path) != 0) {
    return -1;
  }
  enum class State { Header, Count, Entry, Value } state = State::Header;
  PhotoDivItem item;
  long valueCount = 0;
  for (int read = reader.FirstLine(); read == 0 && !reader.AtEnd(); read = reader.NextLine()) {
    switch (state) {
      case State::Header:
        g_photoDivTable.selectPath = reader.Field(1);
        g_photoDivTable.categoryElement = reader.Field(2);
        g_photoDivTable.divisionElement = reader.Field(3);
        state = State::Count;
        break;
      case State::Count:
        state = State::Entry;
        break;
      case State::Entry:
        item = PhotoDivItem{reader.Field(1), {}};
        // A count that is missing, not a number or below 1 announces no value lines, so the
        // next line is read as the next entry.
        valueCount = ParseTableNumber(reader.Field(2)).value_or(0);
        state = State::Value;
        break;
      case State::Value:
        item.values.push_back(reader.Field(1));
        break;
    }
    if (state == State::Value && static_cast<long>(item.values.size()) >= valueCount) {
      g_photoDivTable.items.push_back(std::move(item));
      state = State::Entry;
    }
  }
  reader.Close();
  return 0;
}

std::size_t GetPhotoDivCount() { return g_photoDivTable.items.size(); }

PhotoDivItem GetPhotoDivAt(std::size_t index) {
  return index < g_photoDivTable.items.size() ? g_photoDivTable.items[index] : PhotoDivItem{};
}

namespace {

const PhotoDivItem* FindEntry(const std::u16string& category) {
  const auto& items = g_photoDivTable.items;
  const auto entry = std::find_if(items.begin(), items.end(),
                                  [&](const PhotoDivItem& item) { return item.name == category; });
  return entry == items.end() ? nullptr : &*entry;
}

}  // namespace

bool HasPhotoDivEntry(const std::u16string& category) { return FindEntry(category) != nullptr; }

bool IsDivisionAllowed(const std::u16string& category, const std::u16string& division) {
  const PhotoDivItem* entry = FindEntry(category);
  return entry &&
         std::find(entry->values.begin(), entry->values.end(), division) != entry->values.end();
}

std::u16string GetPhotoDivSelectPath() { return g_photoDivTable.selectPath; }
std::u16string GetPhotoDivCategoryElement() { return g_photoDivTable.categoryElement; }
std::u16string GetPhotoDivDivisionElement() { return g_photoDivTable.divisionElement; }

}  // namespace kestrova
