// KQD_SELECT.ini: named lists of the values some elements may hold.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrova {

struct SelectItem {
  std::u16string name;                 // as element rules name the list
  std::vector<std::u16string> values;  // in file order; repeats kept
};

class SelectTable {
 public:
  // Reads the table anew: 0 when the file was read (whatever it held), -1 when it cannot be
  // opened (the table is then empty). Line 1 holds the number of lists to take (0, a negative
  // number or no number: all of them); each further line is a list: name, number of values M,
  // then the M values (missing ones read as empty values).
  int LoadSelectLists(const std::u16string& path);

  // A copy of the first list of exactly that name; an empty list when there is none.
  SelectItem FindSelectList(const std::u16string& name) const;

  // The selection test: nothing when the value equals one of the list's values exactly,
  // otherwise the list text for the finding, 'a','b','c' ('' for a missing or empty list, which
  // admits no value at all).
  std::optional<std::u16string> TestSelection(const std::u16string& listName,
                                              const std::u16string& value) const;

  std::vector<SelectItem> items;  // in file order
  std::u16string ruleFilePath = u"NONE";

 private:
  const SelectItem* Find(const std::u16string& name) const;
};

extern SelectTable g_selectTable;

}  // namespace kestrova
