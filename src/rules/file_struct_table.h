// KQD_FILE_STRUCT.ini: per folder of a medium, the names that must be there and the names
// allowed at all.
#pragma once

#include <list>
#include <string>
#include <vector>

namespace kestrova {

struct FileStructItem {
  // The folder below the medium root as written: "/" for the root, "/PHOTO" for a folder.
  std::u16string folder;
  // Required names, and naming patterns in which every "n" stands for one decimal digit.
  std::vector<std::u16string> entries;
};

extern std::list<FileStructItem> g_fileStructTable;

// 0, or -1 when the file cannot be opened. A group is added once its announced number of entry
// lines has been read.
int LoadFileStructRules(const std::u16string& path);

}  // namespace kestrova
