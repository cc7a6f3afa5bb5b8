// Media built by tests: the management file, the photo attribute file, the DTD files of the
// installation, and the folders of photos and drawings.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace kestrova::test {

struct FixtureEntry {
  std::string serial = "1";
  std::string fileName = "P0000001.JPG";
  std::string mediaNumber = "1";
  std::string major = "工事";
  std::string category;    // 写真区分; empty: no element
  std::string workType;    // 工種; empty: no element
  std::string workKind;    // 種別
  std::string workDetail;  // 細別
  std::string title = "着手前全景";
  std::vector<std::string> drawings;  // 参考図ファイル名
  std::string date = "2024-05-01";
};

struct FixtureMedium {
  std::string ruleSet = "PHOT_KQ4";
  std::string mediaNumber = "1";
  std::string mediaTotal = "1";
  std::string guideline = "Varnelia平成28年7月";
  std::string projectName = "国道１２号線道路改良工事";
  std::string drawingFolderName = "PHOTO/DRA";  // empty: no element
  bool drawingFolder = true;                    // PHOTO/DRA exists
  bool writePhotoFiles = true;  // MinimalPhotoBytes for every photo file name of this medium
  std::vector<FixtureEntry> entries = {FixtureEntry{}};
  // Further files below the medium folder (path relative to it, bytes), written last: a photo
  // file given here replaces the written one.
  std::vector<std::pair<std::string, std::string>> files;
};

// Writes the medium into folder, taking the DTD files from the rule folders of programDir.
void WriteFixtureMedium(const std::filesystem::path& folder,
                        const std::filesystem::path& programDir, const FixtureMedium& medium);

// A medium of the 平成29 guideline with count entries (施工状況写真, P0000001.JPG, …) whose photo
// files are left to LinkSealedPhotos.
FixtureMedium SealedPhotoMedium(int count);

// Gives every photo of the medium written into folder the same sealed photo of the 平成29 sample
// medium, as hard links to one copy beside the medium folder.
void LinkSealedPhotos(const std::filesystem::path& folder, const FixtureMedium& medium);

// A JPEG photo of 1280 × 960 pixels with EXIF information of version 2.3 and no GNSS
// information: what a photo entry without a category needs to pass.
std::string MinimalPhotoBytes();

// The photo attribute file's text for the medium (UTF-8).
std::string PhotoXmlText(const FixtureMedium& medium);

}  // namespace kestrova::test
