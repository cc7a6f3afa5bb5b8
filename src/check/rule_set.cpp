#include <algorithm>

#include "check/check_run.h"
#include "check/rule_files.h"
#include "platform/cached_file.h"
#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "rules/default_settings.h"
#include "rules/enable_chr_table.h"
#include "rules/file_struct_table.h"
#include "rules/image_rules.h"
#include "rules/photo_division_table.h"
#include "rules/relation_table.h"
#include "rules/select_table.h"
#include "rules/xml_element_table.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

struct RuleFile {
  std::u16string_view fileName;
  int (*load)(const std::u16string& path);
};

// The rule tables in the order they are loaded; the first failure stops the loading.
constexpr RuleFile kLoadOrder[] = {
    {u"KQD_FILE_STRUCT.ini", LoadFileStructRules},
    {u"KQD_XML_PHTKQ.ini",
     [](const std::u16string& path) { return g_managementElementTable.LoadElementRules(path); }},
    {u"KQD_XML_PHT.ini",
     [](const std::u16string& path) { return g_photoElementTable.LoadElementRules(path); }},
    {u"KQD_SELECT.ini",
     [](const std::u16string& path) { return g_selectTable.LoadSelectLists(path); }},
    {u"KQD_ENABLE_CHR.ini", LoadEnableChrTable},
    {u"KQD_IMG.ini", LoadImageRules},
    {u"KQD_RELATION.ini", LoadRelationTable},
    {u"KQD_PHOTO_DIVISION.ini", LoadPhotoDivTable},
    {u"KQD_DEFAULT.ini", LoadDefaultSettings},
};

bool EndsWithDtd(const std::u16string& name) {
  const std::u16string upper = UpperCaseName(name);
  return upper.size() > 4 && upper.compare(upper.size() - 4, 4, u".DTD") == 0;
}

// A rule-set name names a folder beside the program: only a plain name does, never ".", ".." or
// a name with a separator ("/", or a backslash and ":" as Windows reads them), which would lead
// to another folder.
bool IsPlainName(std::u16string_view name) {
  return !name.empty() && name != u"." && name != u".." &&
         name.find_first_of(u"/\\:") == std::u16string_view::npos;
}

}  // namespace

std::u16string RuleFilePath(std::u16string_view fileName) {
  return JoinPath(JoinPath(ProgramFolder(), g_szRuleSet), fileName);
}

bool CheckRun::FindRuleSet() {
  const auto entries = ListDirectory(ToFsPath(m_szMediaPath));
  const auto dtd = std::find_if(entries.begin(), entries.end(), [](const DirEntry& entry) {
    return entry.isRegularFile && EndsWithDtd(entry.name);
  });
  if (dtd == entries.end()) {
    return false;
  }
  const std::u16string name = dtd->name.substr(0, dtd->name.size() - 4);
  if (!IsPlainName(name)) {
    return false;
  }
  g_szRuleSet = name;
  const auto folder = ResolvePathIgnoringCase(ToFsPath(JoinPath(ProgramFolder(), g_szRuleSet)));
  return folder && IsDirectory(*folder);
}

int CheckRun::LoadRuleFiles() {
  ForgetFileStamps();
  for (const RuleFile& file : kLoadOrder) {
    if (const int result = file.load(RuleFilePath(file.fileName)); result != 0) {
      return result;
    }
  }
  return 0;
}

}  // namespace kestrova
