// KQD_XML_PHTKQ.ini and KQD_XML_PHT.ini: the XML file a table describes, the DTD file it must
// declare, and one rule per element to check.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrova {

struct XMLElementItem {
  std::u16string name;  // element path, e.g. "基礎情報/メディア番号"; also its name in messages
  std::u16string charSet;      // enabled-character set every character must belong to
  std::int32_t maxLength = 0;  // largest number of characters (code page 932 characters)
  std::int32_t required = 0;   // 1: the value must not be empty
  std::u16string selectName;   // selection list of the allowed values; empty: no list
};

class XMLElementTable {
 public:
  // Reads the table anew: 0 when the file was read (whatever it held), -1 when it cannot be
  // opened (the table is then empty). Line 1 names the XML file, line 2 its DTD file, line 3
  // the number of element lines to take (0, a negative number or no number: all of them).
  int LoadElementRules(const std::u16string& path);

  // A copy of the rule at the index; a default rule when there is none there.
  XMLElementItem GetRuleAt(int index) const;
  int GetRuleCount() const;

  std::vector<XMLElementItem> items;  // in file order
  std::u16string xmlFileName;         // relative to the medium root
  std::u16string dtdFileName;         // the SYSTEM identifier the XML file must give
  std::u16string ruleFilePath = u"NONE";
};

// The management file's rules; rule 0 also validates the media number and total.
extern XMLElementTable g_managementElementTable;
// The photo attribute file's rules: 0 to kPhotoBasicInfoRuleCount-1 document-wide, the rest
// per photo entry, relative to each 写真情報 element.
extern XMLElementTable g_photoElementTable;

inline constexpr int kPhotoBasicInfoRuleCount = 8;

}  // namespace kestrova
