// KQD_PHOTO_DIVISION.ini: per major category (写真-大分類) the photo divisions (写真区分) allowed
// under it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestrova {

struct PhotoDivItem {
  std::u16string name;                 // a major category value
  std::vector<std::u16string> values;  // the divisions allowed under it, in file order
};

struct PhotoDivTable {
  std::u16string selectPath;       // selects, by containment, the element rules taking part
  std::u16string categoryElement;  // element holding the major category
  std::u16string divisionElement;  // element holding the photo division
  std::vector<PhotoDivItem> items;
};

extern PhotoDivTable g_photoDivTable;

// Replaces the table with the file's content: 0, or -1 when the file cannot be opened (the table
// is empty then). An entry whose count is not a number of 1 or more is complete at once, with no
// division; an entry cut short by the end of the file is dropped.
int LoadPhotoDivTable(const std::u16string& path);

std::size_t GetPhotoDivCount();
// A copy of entry index; an empty entry past the end.
PhotoDivItem GetPhotoDivAt(std::size_t index);
// True when an entry is named like the category.
bool HasPhotoDivEntry(const std::u16string& category);
// True when the first entry named like the category lists the division.
bool IsDivisionAllowed(const std::u16string& category, const std::u16string& division);

std::u16string GetPhotoDivSelectPath();
std::u16string GetPhotoDivCategoryElement();
std::u16string GetPhotoDivDivisionElement();

}  // namespace kestrova
