#include "check/advisories.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/file_access.h"
#include "xml/xml_parser.h"

namespace kestrova {
namespace {

constexpr char16_t kPhotoFolder[] = u"PHOTO/PIC";
constexpr char16_t kDrawingFolder[] = u"PHOTO/DRA";

struct EntryNames {
  std::u16string serialNumber;
  std::u16string mediaNumber;
  std::u16string photoFile;
  std::vector<std::u16string> drawingFiles;
};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// True when the text, without surrounding white space, is the decimal number given.
bool NamesMedium(std::u16string_view text, int mediaNumber) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 9) return false;
  int value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
  }
  return value == mediaNumber;
}

std::u16string FirstValue(const CXmlParser& parser, const CXmlNode& entry,
                          const std::u16string& path) {
  std::vector<CXmlElementValue> values;
  std::u16string message;
  if (parser.GetChildNameValues(entry, path, values, message) != 0 || values.empty()) return {};
  return values.front().value;
}

std::vector<EntryNames> ReadEntries(const CXmlParser& parser) {
  std::vector<EntryNames> entries;
  CXmlNodeList nodes;
  std::u16string message;
  if (parser.SelectNodes(nodes, message, u"写真情報") != 0) return entries;
  std::vector<CXmlElementValue> drawings;
  for (int i = 0; i < nodes.GetLength(); ++i) {
    const CXmlNode node = nodes.GetItem(i);
    EntryNames entry{FirstValue(parser, node, u"写真ファイル情報/シリアル番号"),
                     FirstValue(parser, node, u"写真ファイル情報/メディア番号"),
                     FirstValue(parser, node, u"写真ファイル情報/写真ファイル名"),
                     {}};
    if (parser.GetChildNameValues(node, u"付加情報/参考図ファイル名", drawings, message) == 0) {
      for (const CXmlElementValue& drawing : drawings) entry.drawingFiles.push_back(drawing.value);
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

// The regular files of a folder of the medium, by their upper-cased names.
std::map<std::u16string, std::u16string> FolderFiles(const std::u16string& mediaPath,
                                                     const std::u16string& folder) {
  std::map<std::u16string, std::u16string> files;
  const auto located = ResolvePathIgnoringCase(ToFsPath(JoinPath(mediaPath, folder)));
  if (!located) return files;
  for (const DirEntry& entry : ListDirectory(*located)) {
    if (entry.isRegularFile) files.emplace(UpperCaseName(entry.name), entry.name);
  }
  return files;
}

void AddUnnamed(std::vector<Advisory>& advisories, AdvisoryKind kind, int mediaNumber,
                const std::u16string& folder, const std::map<std::u16string, std::u16string>& files,
                const std::set<std::u16string>& named) {
  for (const auto& [upper, name] : files) {
    if (!named.contains(upper)) {
      advisories.push_back({kind, mediaNumber, JoinPath(folder, name), {}});
    }
  }
}

}  // namespace

std::string_view AdvisoryId(AdvisoryKind kind) {
  switch (kind) {
    case AdvisoryKind::UnnamedPhoto:
      return "unnamed-photo";
    case AdvisoryKind::UnnamedDrawing:
      return "unnamed-drawing";
    case AdvisoryKind::FileNamedTwice:
      return "file-named-twice";
    case AdvisoryKind::SerialRepeated:
      return "serial-repeated";
    case AdvisoryKind::NoEntries:
      return "no-entries";
  }
  return "";
}

std::vector<Advisory> CollectAdvisories(const std::u16string& mediaPath, int mediaNumber) {
  std::vector<Advisory> advisories;
  CPhotoXmlParser parser;
  std::u16string message;
  if (parser.Load(JoinPath(mediaPath, u"PHOTO/PHOTO.XML"), message, mediaPath) != 0) {
    return advisories;
  }
  const std::vector<EntryNames> entries = ReadEntries(parser);

  std::set<std::u16string> serials;
  std::set<std::u16string> photos;
  std::set<std::u16string> drawings;
  bool anyEntry = false;
  for (const EntryNames& entry : entries) {
    if (mediaNumber == 1 && !entry.serialNumber.empty() &&
        !serials.insert(entry.serialNumber).second) {
      advisories.push_back({AdvisoryKind::SerialRepeated, mediaNumber, {}, entry.serialNumber});
    }
    if (!NamesMedium(entry.mediaNumber, mediaNumber)) continue;
    anyEntry = true;
    if (!entry.photoFile.empty() && !photos.insert(UpperCaseName(entry.photoFile)).second) {
      advisories.push_back({AdvisoryKind::FileNamedTwice, mediaNumber,
                            JoinPath(kPhotoFolder, entry.photoFile), entry.serialNumber});
    }
    for (const std::u16string& drawing : entry.drawingFiles) {
      drawings.insert(UpperCaseName(drawing));
    }
  }

  const auto photoFiles = FolderFiles(mediaPath, kPhotoFolder);
  if (!anyEntry && !photoFiles.empty()) {
    advisories.push_back({AdvisoryKind::NoEntries, mediaNumber, u"PHOTO/PHOTO.XML", {}});
  }
  AddUnnamed(advisories, AdvisoryKind::UnnamedPhoto, mediaNumber, kPhotoFolder, photoFiles, photos);
  AddUnnamed(advisories, AdvisoryKind::UnnamedDrawing, mediaNumber, kDrawingFolder,
             FolderFiles(mediaPath, kDrawingFolder), drawings);
  return advisories;
}

}  // namespace kestrova
