#include "rules/xml_element_table.h"

#include "rules/rule_table_reader.h"
#include "rules/table_numbers.h"

namespace kestrova {

XMLElementTable g_managementElementTable;
XMLElementTable g_photoElementTable;

int XMLElementTable::LoadElementRules(const std::u16string& path) {
  items.clear();
  xmlFileName.clear();
  dtdFileName.clear();
  ruleFilePath = u"NONE";
  RuleTableReader reader;
  if (reader.OpenForLoader(path) != 0) {
    return -1;
  }
  enum class State { XmlFile, DtdFile, Count, Element, Ignored } state = State::XmlFile;
  long count = 0;
  long taken = 0;
  for (reader.FirstLine(); !reader.AtEnd(); reader.NextLine()) {
    switch (state) {
      case State::XmlFile:
        xmlFileName = reader.Field(1);
        state = State::DtdFile;
        break;
      case State::DtdFile:
        dtdFileName = reader.Field(1);
        state = State::Count;
        break;
      case State::Count:
        count = ParseTableNumber(reader.Field(1)).value_or(0);
        state = State::Element;
        break;
      case State::Element: {
        XMLElementItem item;
        item.name = reader.Field(1);
        item.charSet = reader.Field(2);
        item.maxLength = static_cast<std::int32_t>(ParseTableNumber(reader.Field(3)).value_or(0));
        item.required = static_cast<std::int32_t>(ParseTableNumber(reader.Field(4)).value_or(0));
        item.selectName = reader.Field(5);
        items.push_back(std::move(item));
        if (++taken == count) {
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

XMLElementItem XMLElementTable::GetRuleAt(int index) const {
  if (index < 0 || index >= GetRuleCount()) {
    return XMLElementItem{};
  }
  return items[static_cast<size_t>(index)];
}

int XMLElementTable::GetRuleCount() const { return static_cast<int>(items.size()); }

}  // namespace kestrova
