#include "rules/select_table.h"

#include <algorithm>

#include "rules/rule_table_reader.h"
#include "rules/table_numbers.h"

namespace kestrova {

SelectTable g_selectTable;

int SelectTable::LoadSelectLists(const std::u16string& path) {
  items.clear();
  ruleFilePath = u"NONE";
  RuleTableReader reader;
  if (reader.OpenForLoader(path) != 0) {
    return -1;
  }
  enum class State { Count, List, Ignored } state = State::Count;
  // A count field without a number keeps the count read before it, as one number shared by
  // the list count and the value counts; a first line without a number means no limit.
  long count = 0;
  long listCount = 0;
  long taken = 0;
  for (reader.FirstLine(); !reader.AtEnd(); reader.NextLine()) {
    switch (state) {
      case State::Count:
        count = ParseTableNumber(reader.Field(1)).value_or(count);
        listCount = count;
        state = State::List;
        break;
      case State::List: {
        SelectItem item;
        item.name = reader.Field(1);
        count = ParseTableNumber(reader.Field(2)).value_or(count);
        // Values past the last field of the line are empty; one empty value stands for all
        // of them, so that a count far beyond the line cannot fill the memory.
        for (long k = 0; k < count; ++k) {
          std::u16string value;
          const bool missing = reader.GetColumn(static_cast<int>(k + 3), value,
                                                RuleTableReader::kLoaderFieldSize) != 0 &&
                               value.empty();
          item.values.push_back(std::move(value));
          if (missing) break;
        }
        items.push_back(std::move(item));
        if (++taken == listCount) {
          state = State::Ignored;
        }
        break;
      }
      case State::Ignored:
        break;
    }
  }
  reader.Close();
  ruleFilePath = path;
  return 0;
}

const SelectItem* SelectTable::Find(const std::u16string& name) const {
  const auto it = std::find_if(items.begin(), items.end(),
                               [&name](const SelectItem& item) { return item.name == name; });
  return it == items.end() ? nullptr : &*it;
}

SelectItem SelectTable::FindSelectList(const std::u16string& name) const {
  const SelectItem* item = Find(name);
  return item ? *item : SelectItem{};
}

std::optional<std::u16string> SelectTable::TestSelection(const std::u16string& listName,
                                                         const std::u16string& value) const {
  const SelectItem* item = Find(listName);
  if (item && std::find(item->values.begin(), item->values.end(), value) != item->values.end()) {
    return std::nullopt;
  }
  std::u16string text = u"'";
  if (item) {
    for (size_t i = 0; i < item->values.size(); ++i) {
      if (i > 0) text += u"','";
      text += item->values[i];
    }
  }
  return text + u"'";
}

}  // namespace kestrova
