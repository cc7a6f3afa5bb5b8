#include "check/file_structure_check.h"

#include "platform/file_access.h"
#include "rules/file_struct_table.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

bool IsPattern(std::u16string_view entry) { return entry.find(u'n') != std::u16string_view::npos; }

bool MatchesEntry(std::u16string_view name, std::u16string_view entry) {
  if (!IsPattern(entry)) {
    return UpperCaseName(name) == UpperCaseName(entry);
  }
  std::u16string_view rest = name;
  std::u16string_view pattern = entry;
  for (size_t t; (t = pattern.find(u'n')) != std::u16string_view::npos;) {
    if (rest.substr(0, t) != pattern.substr(0, t)) break;
    if (t >= rest.size() || rest[t] < u'0' || rest[t] > u'9') break;
    rest.remove_prefix(t + 1);
    pattern.remove_prefix(t + 1);
  }
  return UpperCaseName(rest) == UpperCaseName(pattern);
}

// A structure finding: its sentence, then the path in full-width brackets on the next line.
// Returns its code.
int PutStructureFinding(FindingKind kind, const std::u16string& path, std::u16string& message) {
  Finding finding = MakeFinding(kind, {}, {u"                     ［" + path + u"］"});
  finding.filePath = path;
  PutFindingInMessage(std::move(finding), message);
  return RecordOf(kind).code;
}

}  // namespace

bool MatchesFileRule(std::u16string_view name, const std::vector<std::u16string>& entries) {
  for (const auto& entry : entries) {
    if (MatchesEntry(name, entry)) return true;
  }
  return false;
}

int CheckFileStructure(const std::u16string& mediaPath, std::u16string& message) {
  g_bDrawingFolder = 1;
  for (const FileStructItem& item : g_fileStructTable) {
    std::u16string_view folder = item.folder;
    if (!folder.empty() && folder.front() == u'/') folder.remove_prefix(1);
    const std::u16string folderPath = folder.empty() ? mediaPath : JoinPath(mediaPath, folder);

    for (const auto& entry : item.entries) {
      if (IsPattern(entry)) continue;
      const std::u16string path = JoinPath(folderPath, entry);
      if (ResolvePathIgnoringCase(ToFsPath(path))) continue;
      if (entry == u"DRA") {
        g_bDrawingFolder = 0;
        continue;
      }
      if (entry == u"PHOTO04.XSL" || entry == u"PHOT_KQ4.XSL") continue;
      return PutStructureFinding(FindingKind::RequiredFileMissing, path, message);
    }

    const auto resolvedFolder = ResolvePathIgnoringCase(ToFsPath(folderPath));
    if (!resolvedFolder) continue;
    // A folder that is there but cannot be listed hides what it holds: the medium cannot pass.
    const auto listing = ReadDirectory(*resolvedFolder);
    if (!listing) {
      return PutStructureFinding(FindingKind::FolderUnreadable, FromFsPath(*resolvedFolder),
                                 message);
    }
    // The listing order puts names that differ only in letter case side by side; on the media's
    // own file systems they are one name, so the second of them is not allowed either.
    std::u16string previousUpper;
    for (const DirEntry& found : *listing) {
      std::u16string upper = UpperCaseName(found.name);
      if (!MatchesFileRule(found.name, item.entries) || upper == previousUpper) {
        return PutStructureFinding(FindingKind::NamingRuleBroken,
                                   JoinPath(FromFsPath(*resolvedFolder), found.name), message);
      }
      previousUpper = std::move(upper);
    }
  }
  return 0;
}

}  // namespace kestrova
