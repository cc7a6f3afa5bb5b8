// Every rule table loader on the same untrusted file, and the lookups over what they took.
#include <cstddef>
#include <cstdint>

#include "input_file.h"
#include "rules/enable_chr_table.h"
#include "rules/file_struct_table.h"
#include "rules/image_rules.h"
#include "rules/photo_division_table.h"
#include "rules/relation_table.h"
#include "rules/select_table.h"
#include "rules/xml_element_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova;
  const std::u16string path = fuzz::WriteInputFile("TABLE.INI", data, size);

  LoadEnableChrTable(path);
  for (const EnableChrItem& item : g_enableChrTable) {
    IsCodeInCharSet(item.name, u"82a0");
    FindCharSet(item.name);
  }
  LoadFileStructRules(path);
  LoadImageRules(path);
  LoadPhotoDivTable(path);
  for (std::size_t i = 0; i < GetPhotoDivCount(); ++i) {
    const PhotoDivItem item = GetPhotoDivAt(i);
    IsDivisionAllowed(item.name, u"施工状況写真");
  }
  LoadRelationTable(path);
  for (std::size_t i = 0; i < GetRelationCount(); ++i) GetRelationAt(i);

  SelectTable selectTable;
  selectTable.LoadSelectLists(path);
  for (const SelectItem& item : selectTable.items) selectTable.TestSelection(item.name, u"値");
  XMLElementTable elementTable;
  elementTable.LoadElementRules(path);
  for (int i = 0; i < elementTable.GetRuleCount(); ++i) elementTable.GetRuleAt(i);
  return 0;
}
