#include "relations/relation_checks.h"

#include "rules/photo_division_table.h"
#include "rules/relation_table.h"
#include "run/finding_writer.h"

namespace kestrova {

namespace {

enum class State {
  NoCategory,  // no major category with an entry in the rules yet
  Category,    // a major category with an entry has been seen
  Division,    // and a photo division after it
};

}  // namespace

int CheckPhotoDivision(std::u16string& message, const ElementPairs& pairs, RunHost& host,
                       FindingCounters& counters) {
  const std::u16string categoryElement = GetPhotoDivCategoryElement();
  const std::u16string divisionElement = GetPhotoDivDivisionElement();

  State state = State::NoCategory;
  std::u16string category = kUndefinedValue;
  std::u16string division = kUndefinedValue;
  int result = 0;
  const auto rejected = [&] { return !IsDivisionAllowed(category, division); };

  for (const auto& [name, value] : pairs) {
    if (name == categoryElement) {
      if (state == State::Division && rejected()) {
        result = AppendRelationFinding(
            MakeFinding(FindingKind::PhotoDivisionWrong, {},
                        {RelationDetailLine({{u"大分類", category}, {u"写真区分", division}})}),
            message, host, counters);
      }
      state = State::NoCategory;
      if (HasPhotoDivEntry(value)) {
        category = value;
        division = kUndefinedValue;
        state = State::Category;
      }
    } else if (name == divisionElement && state == State::Category) {
      division = value.empty() ? std::u16string(kUndefinedValue) : value;
      state = State::Division;
    }
  }
  if (state == State::Division && rejected()) {
    result = AppendRelationFinding(
        MakeFinding(FindingKind::PhotoDivisionWrongOnOneLine, {category, division}), message, host,
        counters);
  }
  return result;
}

}  // namespace kestrova
