// The tests of one element value against its element rule: must it have a value, how many
// characters may it have, and may each of its characters be used.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/enable_chr_table.h"
#include "rules/xml_element_table.h"
#include "run/finding.h"
#include "xml/character_split.h"

namespace kestrova {

// A value as the Unicode character list judges it (rule set PHOT_KQ4 only): the value after
// ApplyReplacementTable, and the units of it that the list lacks, asked of the list once.
struct ListedValue {
  std::u16string converted;
  std::u16string unlisted;
};

ListedValue ConvertForListTest(const std::u16string& value);

// True when the k-th character of the split lies in the enabled-character set. With
// strict set, under the rule set PHOT_KQ4, the k-th unit of the converted value must also be in
// the Unicode character list (the answer FindUnlistedChars gives for that unit alone); the
// converted value has no k-th unit when the replacements shortened it, and then only the set
// decides.
bool IsCharacterAllowed(const CharSetCodes& set, const CharacterSplit& split, int k,
                        const ListedValue& listed, bool strict);

// Tests the value with the first rule of the management file's table, as the media number and
// total are tested: required, then length, then characters (not strict); the first test that
// fails ends it. Returns 0, or 5034, 5032 or 5033 with its finding, in the top-level form under
// the display name, written into message (left alone when the value passes).
int ValidateValue(const std::u16string& value, const std::u16string& displayName,
                  std::u16string& message);

// The required, length and character tests (strict) of one value of an element of the XML files,
// as the content checks make them: every test runs, every forbidden character gives a finding of
// its own. The findings name the rule's element path and begin with the indent; the caller
// appends and counts them. The selection test is not among them.
std::vector<Finding> TestItemValue(const XMLElementItem& rule, const std::u16string& value,
                                   std::u16string_view indent);

}  // namespace kestrova
