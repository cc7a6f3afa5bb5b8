// A medium folder for the XML tests, and the rule-set name they run under.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/file_access.h"
#include "run/run_globals.h"
#include "support/test_files.h"

namespace kestrova::test {

// The folder "媒体" inside a scratch folder; files are written relative to it.
class XmlMedium {
 public:
  XmlMedium() { std::filesystem::create_directories(Folder()); }

  std::filesystem::path Folder() const { return m_dir.path() / "媒体"; }
  std::u16string FolderText() const { return FromFsPath(Folder()); }
  const std::filesystem::path& Outside() const { return m_dir.path(); }

  // Writes the bytes to the path relative to the medium folder (".." reaches outside).
  std::u16string Write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path path = (Folder() / name).lexically_normal();
    std::filesystem::create_directories(path.parent_path());
    WriteBytes(path, bytes);
    return FromFsPath(path);
  }

 private:
  ScratchDir m_dir;
};

// g_szRuleSet for the life of the object.
class RuleSetScope {
 public:
  explicit RuleSetScope(std::u16string ruleSet) : m_saved(g_szRuleSet) {
    g_szRuleSet = std::move(ruleSet);
  }
  ~RuleSetScope() { g_szRuleSet = m_saved; }
  RuleSetScope(const RuleSetScope&) = delete;
  RuleSetScope& operator=(const RuleSetScope&) = delete;

 private:
  std::u16string m_saved;
};

// The photo attribute DTD of the tests and a document that conforms to it: three entries, the
// first and third on medium 1.
inline constexpr std::string_view kPhotoDtd =
    "<!ELEMENT photodata (基礎情報, 写真情報*)>\n"
    "<!ELEMENT 基礎情報 (メディア番号+, メディア総枚数?, 適用要領基準?)>\n"
    "<!ELEMENT メディア番号 (#PCDATA)>\n"
    "<!ELEMENT メディア総枚数 (#PCDATA)>\n"
    "<!ELEMENT 適用要領基準 (#PCDATA)>\n"
    "<!ELEMENT 写真情報 (写真ファイル情報)>\n"
    "<!ELEMENT 写真ファイル情報 (シリアル番号, メディア番号, 写真ファイル名?)>\n"
    "<!ELEMENT シリアル番号 (#PCDATA)>\n"
    "<!ELEMENT 写真ファイル名 (#PCDATA)>\n";

inline std::string PhotoEntry(int serial, int medium) {
  return "<写真情報><写真ファイル情報><シリアル番号>" + std::to_string(serial) +
         "</シリアル番号><メディア番号>" + std::to_string(medium) +
         "</メディア番号></写真ファイル情報></写真情報>\n";
}

inline std::string PhotoDocument(std::string_view basicInfo,
                                 std::string_view systemId = "PHOTO04.DTD",
                                 std::string_view encoding = "UTF-8") {
  return "<?xml version=\"1.0\" encoding=\"" + std::string(encoding) + "\"?>\n" +
         "<!DOCTYPE photodata SYSTEM \"" + std::string(systemId) + "\">\n<photodata>\n" +
         std::string(basicInfo) + "\n" + PhotoEntry(1, 1) + PhotoEntry(2, 2) + PhotoEntry(3, 1) +
         "</photodata>\n";
}

}  // namespace kestrova::test
