// The rule table reader with each table loader on an untrusted file, and the lookups over what the
// loader took. The first input byte picks the loader, the rest is the file: one loader per run
// keeps the runs fast and lets the fuzzer learn each table's layout on its own.
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "input_file.h"
#include "rules/enable_chr_table.h"
#include "rules/file_struct_table.h"
#include "rules/image_rules.h"
#include "rules/photo_division_table.h"
#include "rules/relation_table.h"
#include "rules/select_table.h"
#include "rules/xml_element_table.h"

namespace {

using namespace kestrova;

void LoadEnableChr(const std::u16string& path) {
  LoadEnableChrTable(path);
  for (const EnableChrItem& item : g_enableChrTable) {
    IsCodeInCharSet(item.name, u"82a0");
    FindCharSet(item.name);
  }
}

void LoadPhotoDivision(const std::u16string& path) {
  LoadPhotoDivTable(path);
  for (std::size_t i = 0; i < GetPhotoDivCount(); ++i) {
    IsDivisionAllowed(GetPhotoDivAt(i).name, u"施工状況写真");
  }
}

void LoadRelation(const std::u16string& path) {
  LoadRelationTable(path);
  for (std::size_t i = 0; i < GetRelationCount(); ++i) GetRelationAt(i);
}

void LoadSelect(const std::u16string& path) {
  SelectTable table;
  table.LoadSelectLists(path);
  for (const SelectItem& item : table.items) table.TestSelection(item.name, u"値");
}

void LoadElements(const std::u16string& path) {
  XMLElementTable table;
  table.LoadElementRules(path);
  for (int i = 0; i < table.GetRuleCount(); ++i) table.GetRuleAt(i);
}

void LoadFileStruct(const std::u16string& path) { LoadFileStructRules(path); }

void LoadImage(const std::u16string& path) { LoadImageRules(path); }

constexpr void (*kLoaders[])(const std::u16string&) = {
    LoadEnableChr, LoadFileStruct, LoadImage,    LoadPhotoDivision,
    LoadRelation,  LoadSelect,     LoadElements,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t loader = data[0] % std::size(kLoaders);
  kLoaders[loader](fuzz::WriteInputFile("TABLE.INI", data + 1, size - 1));
  return 0;
}
