// Generates media of 10,000 and 20,000 photo entries (without photo files) and prints the wall
// time and peak memory of checking each with kestrova-check, which must lie beside this program.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_support.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrova::bench;

void WriteMedium(const fs::path& medium, const fs::path& rules, int entries) {
  WriteFile(medium / "PHOT_KQ4.DTD", ReadFile(rules / "PHOT_KQ4.DTD"));
  WriteFile(medium / "PHOTO" / "PHOTO04.DTD", ReadFile(rules / "PHOTO04.DTD"));
  fs::create_directories(medium / "PHOTO" / "PIC");
  fs::create_directories(medium / "PHOTO" / "DRA");
  WriteFile(medium / "PHOTO_KQ.XML",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<!DOCTYPE 工事写真管理 SYSTEM \"PHOT_KQ4.DTD\">\n<工事写真管理><基礎情報>" +
                Element("メディア番号", "1") + Element("メディア総枚数", "1") +
                Element("適用要領基準", "Varnelia平成28年7月") + "</基礎情報><工事件名等>" +
                Element("発注年度", "2024") + Element("工事番号", "2024012345") +
                Element("工事名称", "国道１２号線道路改良工事") +
                Element("工期開始日", "2024-04-01") + Element("工期終了日", "2025-03-31") +
                "</工事件名等><受注者情報>" + Element("受注者名", "北海建設株式会社") +
                "</受注者情報></工事写真管理>\n");
  std::string photo =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE 写真データ SYSTEM \"PHOTO04.DTD\">\n"
      "<写真データ><基礎情報>" +
      Element("写真フォルダ名", "PHOTO/PIC") + Element("参考図フォルダ名", "PHOTO/DRA") +
      Element("適用要領基準", "Varnelia平成28年7月") + "</基礎情報>\n";
  for (int i = 1; i <= entries; ++i) {
    char fileName[32];
    std::snprintf(fileName, sizeof fileName, "P%07d.JPG", i);
    photo += "<写真情報><写真ファイル情報>" + Element("シリアル番号", std::to_string(i)) +
             Element("写真ファイル名", fileName) + Element("メディア番号", "1") +
             "</写真ファイル情報><撮影工種区分>" + Element("写真-大分類", "工事") +
             Element("工種", "道路土工") + Element("種別", "掘削工") + Element("細別", "土砂掘削") +
             "</撮影工種区分>" +
             Element("写真タイトル", "掘削状況（No." + std::to_string(i) + "）") +
             Element("撮影年月日", "2024-06-15") + "</写真情報>\n";
  }
  WriteFile(medium / "PHOTO" / "PHOTO.XML", photo + "</写真データ>\n");
}

}  // namespace

int main() {
  const fs::path programDir = fs::canonical("/proc/self/exe").parent_path();
  const fs::path scratch =
      fs::temp_directory_path() / ("kestrova-bench-" + std::to_string(getpid()));
  double first = 0;
  for (const int entries : {10000, 20000}) {
    const fs::path medium = scratch / std::to_string(entries);
    WriteMedium(medium, programDir / "PHOT_KQ4", entries);
    const Measurement m = Run({(programDir / "kestrova-check").string(), medium.string()});
    if (m.status != 0) {
      std::fprintf(stderr, "kestrova-check ended with status %d on %s\n", m.status, medium.c_str());
    }
    if (entries == 10000) first = m.seconds;
    std::printf("%d photo entries: %.2f s wall, %.1f MiB peak memory", entries, m.seconds,
                m.megabytes);
    if (entries == 20000) std::printf(" (%.2f times the 10,000-entry time)", m.seconds / first);
    std::printf("\n");
  }
  fs::remove_all(scratch);
  return 0;
}
