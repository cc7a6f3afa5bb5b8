#include "support/fixture_medium.h"

#include <cstdio>

#include "image/image_bytes.h"
#include "platform/cp932.h"
#include "platform/text_encoding.h"
#include "support/test_files.h"

namespace kestrova::test {
namespace {

std::string Element(const std::string& name, const std::string& value) {
  return "<" + name + ">" + value + "</" + name + ">";
}

std::string OptionalElement(const std::string& name, const std::string& value) {
  return value.empty() ? std::string() : Element(name, value);
}

bool OlderFormat(const FixtureMedium& medium) { return medium.ruleSet == "PHOT_KQ1"; }

std::string Declaration(const FixtureMedium& medium) {
  return OlderFormat(medium) ? "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
                             : "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
}

// The text in the medium's encoding: Shift_JIS for the older format.
std::string Encoded(const FixtureMedium& medium, const std::string& utf8) {
  if (!OlderFormat(medium)) return utf8;
  std::string bytes;
  for (const char16_t unit : Utf8ToUtf16(utf8)) bytes += EncodeCp932Unit(unit);
  return bytes;
}

// The older format names the contractor 請負者.
std::string Contractor(const FixtureMedium& medium) {
  const std::string role = OlderFormat(medium) ? "請負者" : "受注者";
  return "<" + role + "情報>" + Element(role + "名", "北海建設株式会社") + "</" + role + "情報>";
}

std::string ManagementXmlText(const FixtureMedium& medium) {
  return Declaration(medium) + "<!DOCTYPE 工事写真管理 SYSTEM \"" + medium.ruleSet +
         ".DTD\">\n<工事写真管理>\n<基礎情報>" + Element("メディア番号", medium.mediaNumber) +
         Element("メディア総枚数", medium.mediaTotal) + Element("適用要領基準", medium.guideline) +
         "</基礎情報>\n<工事件名等>" + Element("発注年度", "2024") +
         Element("工事番号", "2024012345") + Element("工事名称", medium.projectName) +
         Element("工期開始日", "2024-04-01") + Element("工期終了日", "2025-03-31") +
         "</工事件名等>\n" + Contractor(medium) + "\n</工事写真管理>\n";
}

}  // namespace

std::string MinimalPhotoBytes() {
  std::vector<std::vector<TiffEntry>> ifds = {
      {Pointer(0x8769)}, {Undefined(0x9000, "0230"), Long(0xA002, 1280), Long(0xA003, 960)}};
  return Jpeg(App0Jfif() + App1Exif(TiffBytes({false, ifds})) + Frame(0xC0, 1280, 960));
}

std::string PhotoXmlText(const FixtureMedium& medium) {
  const std::string dtd = OlderFormat(medium) ? "PHOTO03.DTD" : "PHOTO04.DTD";
  std::string text = Declaration(medium) + "<!DOCTYPE 写真データ SYSTEM \"" + dtd +
                     "\">\n<写真データ>\n<基礎情報>" + Element("写真フォルダ名", "PHOTO/PIC") +
                     OptionalElement("参考図フォルダ名", medium.drawingFolderName) +
                     Element("適用要領基準", medium.guideline) + "</基礎情報>\n";
  for (const FixtureEntry& entry : medium.entries) {
    text += "<写真情報><写真ファイル情報>" + Element("シリアル番号", entry.serial) +
            Element("写真ファイル名", entry.fileName) + Element("メディア番号", entry.mediaNumber) +
            "</写真ファイル情報><撮影工種区分>" + Element("写真-大分類", entry.major) +
            OptionalElement("写真区分", entry.category) + OptionalElement("工種", entry.workType) +
            OptionalElement("種別", entry.workKind) + OptionalElement("細別", entry.workDetail) +
            "</撮影工種区分>" + Element("写真タイトル", entry.title);
    for (const std::string& drawing : entry.drawings) {
      text += "<付加情報>" + Element("参考図ファイル名", drawing) + "</付加情報>";
    }
    text += Element("撮影年月日", entry.date) + "</写真情報>\n";
  }
  return text + "</写真データ>\n";
}

void WriteFixtureMedium(const std::filesystem::path& folder,
                        const std::filesystem::path& programDir, const FixtureMedium& medium) {
  const auto rules = programDir / medium.ruleSet;
  const std::string photoDtd = OlderFormat(medium) ? "PHOTO03.DTD" : "PHOTO04.DTD";
  WriteBytes(folder / (medium.ruleSet + ".DTD"), ReadBytes(rules / (medium.ruleSet + ".DTD")));
  WriteBytes(folder / "PHOTO" / photoDtd, ReadBytes(rules / photoDtd));
  WriteBytes(folder / "PHOTO_KQ.XML", Encoded(medium, ManagementXmlText(medium)));
  WriteBytes(folder / "PHOTO" / "PHOTO.XML", Encoded(medium, PhotoXmlText(medium)));
  std::filesystem::create_directories(folder / "PHOTO" / "PIC");
  if (medium.drawingFolder) std::filesystem::create_directories(folder / "PHOTO" / "DRA");
  if (medium.writePhotoFiles) {
    for (const FixtureEntry& entry : medium.entries) {
      if (entry.mediaNumber == medium.mediaNumber) {
        WriteBytes(folder / "PHOTO" / "PIC" / entry.fileName, MinimalPhotoBytes());
      }
    }
  }
  for (const auto& [path, bytes] : medium.files) WriteBytes(folder / path, bytes);
}

FixtureMedium SealedPhotoMedium(int count) {
  FixtureMedium medium;
  medium.guideline = "Varnelia平成29年7月";
  medium.writePhotoFiles = false;
  medium.entries.clear();
  for (int i = 1; i <= count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%07d.JPG", i);
    FixtureEntry entry;
    entry.serial = std::to_string(i);
    entry.fileName = name;
    entry.category = "施工状況写真";
    medium.entries.push_back(entry);
  }
  return medium;
}

void LinkSealedPhotos(const std::filesystem::path& folder, const FixtureMedium& medium) {
  const auto sealed = folder.parent_path() / (folder.filename().string() + "_SEALED.JPG");
  WriteBytes(sealed, ReadBytes(std::filesystem::path(KESTROVA_TEST_SOURCE_DIR) /
                               "examples/sample-medium-h29/PHOTO/PIC/P0000001.JPG"));
  for (const FixtureEntry& entry : medium.entries) {
    std::filesystem::create_hard_link(sealed, folder / "PHOTO" / "PIC" / entry.fileName);
  }
}

}  // namespace kestrova::test
