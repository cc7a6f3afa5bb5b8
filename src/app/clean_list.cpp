#include "clean_list.h"

#include <algorithm>
#include <filesystem>

#include "platform/file_access.h"
#include "platform/utf16_text_file.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;

// True when path names an entry inside base (base itself excluded), following the links of the
// folders on the way, so that neither "..", an absolute name nor a linked folder leads out.
bool LiesInside(const fs::path& base, const fs::path& path) {
  const fs::path name = path.filename();
  if (name.empty() || name == "." || name == "..") {
    return false;
  }
  std::error_code error;
  const fs::path parent = fs::weakly_canonical(path.parent_path(), error);
  if (error) {
    return false;
  }
  return std::mismatch(base.begin(), base.end(), parent.begin(), parent.end()).first == base.end();
}

// Deletes the file that the listed name gives; false when it exists but could not be deleted.
bool DeleteListedFile(const fs::path& base, std::u16string name) {
  // The list is a Windows-style file: its names separate folders with backslashes.
  std::replace(name.begin(), name.end(), u'\\', kPathSeparator);
  if (name.empty()) {
    return true;
  }
  const fs::path wanted = (base / ToFsPath(name)).lexically_normal();
  if (!LiesInside(base, wanted)) {
    return true;
  }
  const auto found = ResolvePathIgnoringCase(wanted);
  if (!found || !LiesInside(base, *found)) {
    return true;
  }
  std::error_code error;
  const fs::file_status status = fs::symlink_status(*found, error);
  if (error || fs::is_directory(status)) {
    return false;
  }
  return fs::remove(*found, error) && !error;
}

}  // namespace

void ProcessCleanList(const std::u16string& programFolder,
                      const std::function<void(const std::u16string&)>& showMessage) {
  std::error_code error;
  const fs::path base = fs::weakly_canonical(ToFsPath(programFolder) / ".", error);
  if (error) {
    return;
  }
  const fs::path listPath = base / ToFsPath(kCleanListName);
  if (!fs::exists(fs::symlink_status(listPath, error))) {
    return;
  }
  const auto text = ReadUnicodeTextFile(listPath);
  if (!text) {
    showMessage(u"UNICODEFILE OPEN失敗");
    return;
  }
  bool allDeleted = true;
  size_t start = 0;
  while (start < text->size()) {
    size_t end = text->find(u'\n', start);
    if (end == std::u16string::npos) {
      end = text->size();
    }
    if (!DeleteListedFile(base, text->substr(start, end - start))) {
      allDeleted = false;
    }
    start = end + 1;
  }
  if (allDeleted) {
    fs::remove(listPath, error);
  }
}

}  // namespace kestrova
