#include "xml/item_value_validation.h"

#include "rules/enable_chr_table.h"
#include "rules/replacement_table.h"
#include "rules/unicode_list.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"
#include "xml/value_findings.h"

namespace kestrova {
namespace {

bool ChecksUnicodeList() { return g_szRuleSet == kRuleSetCurrent; }

// Runs the tests of one value in order and hands each finding to report, which returns false to
// end the tests there.
template <typename Report>
void RunValueTests(const XMLElementItem& rule, std::u16string_view name,
                   const std::u16string& value, std::u16string_view indent, bool strict,
                   Report report) {
  if (rule.required == 1 && value.empty() && !report(RequiredFinding(indent, name))) {
    return;
  }
  const CharacterSplit split = SplitCharacters(value);
  if (split.count > rule.maxLength && !report(TooLongFinding(indent, name, rule.maxLength))) {
    return;
  }
  const ListedValue listed =
      strict && ChecksUnicodeList() ? ConvertForListTest(value) : ListedValue{};
  const CharSetCodes set(rule.charSet);
  std::u16string description;
  bool described = false;
  for (int k = 0; k < split.count; ++k) {
    if (IsCharacterAllowed(set, split, k, listed, strict)) {
      continue;
    }
    if (!described) {
      description = FindCharSet(rule.charSet).description;
      described = true;
    }
    // Every UTF-16 unit gives one character of the split, so the k-th unit is the character.
    const std::u16string_view character =
        static_cast<size_t>(k) < value.size()
            ? std::u16string_view(value).substr(static_cast<size_t>(k), 1)
            : u"";
    if (!report(ForbiddenCharFinding(indent, name, character, description))) {
      return;
    }
  }
}

}  // namespace

ListedValue ConvertForListTest(const std::u16string& value) {
  ListedValue listed;
  ApplyReplacementTable(value, listed.converted);
  // One question for the whole value gives the same answers as one per unit: without the line
  // feeds, which a unit alone never counts as unlisted, no carriage return is skipped either.
  std::u16string units = listed.converted;
  std::erase(units, u'\n');
  FindUnlistedChars(units, listed.unlisted, units.size() + 1);
  return listed;
}

bool IsCharacterAllowed(const CharSetCodes& set, const CharacterSplit& split, int k,
                        const ListedValue& listed, bool strict) {
  if (k < 0 || k >= split.count) {
    return false;
  }
  if (!set.Contains(split.codes[static_cast<size_t>(k)])) {
    return false;
  }
  if (!strict || !ChecksUnicodeList() || static_cast<size_t>(k) >= listed.converted.size()) {
    return true;
  }
  const char16_t unit = listed.converted[static_cast<size_t>(k)];
  return unit == u'\n' || listed.unlisted.find(unit) == std::u16string::npos;
}

int ValidateValue(const std::u16string& value, const std::u16string& displayName,
                  std::u16string& message) {
  int result = 0;
  RunValueTests(g_managementElementTable.GetRuleAt(0), displayName, value, kTopLevelIndent, false,
                [&](Finding finding) {
                  result = PutFindingInMessage(std::move(finding), message);
                  return false;
                });
  return result;
}

std::vector<Finding> TestItemValue(const XMLElementItem& rule, const std::u16string& value,
                                   std::u16string_view indent) {
  std::vector<Finding> findings;
  RunValueTests(rule, rule.name, value, indent, true, [&](Finding finding) {
    findings.push_back(std::move(finding));
    return true;
  });
  return findings;
}

}  // namespace kestrova
