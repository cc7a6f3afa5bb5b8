#include "rules/file_struct_table.h"

#include "rules/rule_table_reader.h"
#include "rules/table_numbers.h"

namespace kestrova {

std::list<FileStructItem> g_fileStructTable;

int LoadFileStructRules(const std::u16string& path) {
  g_fileStructTable.clear();
  RuleTableReader reader;
  if (reader.OpenForLoader(path) != 0) {
    return -1;
  }
  enum class State { First, Header, Entry } state = State::First;
  FileStructItem item;
  long count = 0;
  long taken = 0;
  for (reader.FirstLine(); !reader.AtEnd(); reader.NextLine()) {
    switch (state) {
      case State::First:
        state = State::Header;
        break;
      case State::Header:
        item.folder = reader.Field(1);
        count = ParseTableNumber(reader.Field(2)).value_or(count);
        item.entries.clear();
        taken = 0;
        state = State::Entry;
        break;
      case State::Entry:
        item.entries.push_back(reader.Field(1));
        if (++taken == count) {
          g_fileStructTable.push_back(item);
          state = State::Header;
        }
        break;
    }
  }
  reader.Close();
  return 0;
}

}  // namespace kestrova
