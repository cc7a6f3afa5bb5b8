// KQD_ENABLE_CHR.ini: named sets of Shift-JIS character codes that element values may use. A set
// is a list of code ranges; a range may instead name another set, so that sets combine.
#pragma once

#include <string>
#include <vector>

namespace kestrova {

// Codes are four lowercase hexadecimal digits (82a0 for a double-byte character, 0041 for a
// single byte) and are compared as texts, ordinally.
struct CSJISCodeRange {
  std::u16string from;  // lowest code, or the name of another set (a text beginning "KQD_")
  std::u16string to;    // highest code; ignored when from names a set
};

struct EnableChrItem {
  std::u16string name;                 // as the element rules name the set (exact text)
  std::u16string description;          // the words a finding shows for the set
  std::vector<CSJISCodeRange> ranges;  // in file order
};

// The sets in file order; refilled by every load.
extern std::vector<EnableChrItem> g_enableChrTable;

// Reads the table anew: 0 when the file was read (whatever it held), -1 when it cannot be opened
// (the table is then empty). Line 1 holds the number of sets (not used); then each set is a
// header line (name, description, number n of range lines) followed by n range lines (from, to).
// A set whose range lines stop before n is not taken. A header whose count is not a number of 1
// or more gives no set, and the line after it is read as a header again.
int LoadEnableChrTable(const std::u16string& path);

// True when the code lies in a range of the first set of exactly that name, or in a set that it
// names, directly or through further names. A set reached a second time (a reference cycle, or
// a set named twice) adds nothing new, so the answer is whether any set reachable from the named
// one admits the code. False when no set bears the name.
bool IsCodeInCharSet(const std::u16string& setName, const std::u16string& code);

// The code ranges of the first set of exactly that name and of every set it reaches, gathered
// once, so that the many characters of a value are each tested without a search of the table.
// Contains answers as IsCodeInCharSet does. It points into the table: a load or change of the
// table ends its use.
class CharSetCodes {
 public:
  explicit CharSetCodes(const std::u16string& setName);
  bool Contains(const std::u16string& code) const;

 private:
  std::vector<const CSJISCodeRange*> m_ranges;  // code ranges only, never names of sets
};

// A copy of the first set of exactly that name; an empty set when there is none.
EnableChrItem FindCharSet(const std::u16string& setName);

}  // namespace kestrova
