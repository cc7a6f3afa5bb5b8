#include "bench_support.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace kestrova::bench {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Element(const std::string& name, const std::string& value) {
  return "<" + name + ">" + value + "</" + name + ">";
}

std::filesystem::path SamplePhotoFolder() {
  return std::filesystem::path(KESTROVA_SOURCE_DIR) / "examples" / "sample-medium" / "PHOTO";
}

void WriteEntriesMedium(const std::filesystem::path& medium, const std::filesystem::path& rules,
                        int entries) {
  WriteFile(medium / "PHOT_KQ4.DTD", ReadFile(rules / "PHOT_KQ4.DTD"));
  WriteFile(medium / "PHOTO" / "PHOTO04.DTD", ReadFile(rules / "PHOTO04.DTD"));
  const std::filesystem::path pic = medium / "PHOTO" / "PIC";
  const std::filesystem::path sample = SamplePhotoFolder() / "PIC" / "P0000001.JPG";
  std::filesystem::create_directories(pic);
  std::filesystem::create_directories(medium / "PHOTO" / "DRA");
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
    std::error_code linkFailed;
    std::filesystem::create_hard_link(sample, pic / fileName, linkFailed);
    if (linkFailed) std::filesystem::copy_file(sample, pic / fileName);
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

Measurement Run(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  std::fflush(stdout);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Measurement m;
  m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  m.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  m.megabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
  m.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return m;
}

}  // namespace kestrova::bench
