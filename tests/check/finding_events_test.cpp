// The structured findings a host receives: for faulty media checked in the process, each line of
// the log that carries a code has exactly one finding, in the same order, with the same code and
// tag, and with the serial number, element path and file path where they apply. Every line's
// code, tag and sentence stand in the register.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string_view>

#include "check/check_run.h"
#include "check/engine_session.h"
#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "platform/text_encoding.h"
#include "run/finding_register.h"
#include "run/run_globals.h"
#include "support/fixture_medium.h"
#include "support/recording_host.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using test::FixtureEntry;
using test::FixtureMedium;

// A line of the log that carries a code, split as the register describes it.
struct CodedLine {
  int code = 0;
  std::string indent;
  std::string tag;
  std::string sentence;
  std::string serial;  // of the serial number line above it, for a photo entry's finding
  std::vector<std::string> following;  // the lines after it up to the next coded line
};

std::vector<CodedLine> CodedLines(const std::string& log) {
  static const std::regex coded(R"(^( +)ERR-(\d{6})( \[[^\]]+\])? (.*)$)");
  static const std::regex serial(R"(^  シリアル番号 (.*)$)");
  std::vector<CodedLine> lines;
  std::istringstream in(log);
  std::string serialNumber;
  for (std::string line; std::getline(in, line);) {
    std::smatch match;
    if (std::regex_match(line, match, serial)) {
      serialNumber = match[1];
    } else if (std::regex_match(line, match, coded)) {
      CodedLine entry;
      entry.indent = match[1];
      entry.code = std::stoi(match[2]);
      entry.tag = match[3].length() ? std::string(match[3]).substr(1) : "";
      entry.sentence = match[4];
      if (entry.indent.size() == 4) entry.serial = serialNumber;
      lines.push_back(entry);
    } else if (!lines.empty()) {
      lines.back().following.push_back(line);
    }
  }
  return lines;
}

// True when the text matches the pattern, each "%s" in it standing for any text.
bool MatchesSentence(std::string_view text, std::string_view pattern) {
  const size_t hole = pattern.find("%s");
  if (hole == std::string_view::npos) return text == pattern;
  if (text.substr(0, hole) != pattern.substr(0, hole)) return false;
  const std::string_view rest = pattern.substr(hole + 2);
  for (size_t start = hole; start <= text.size(); ++start) {
    if (MatchesSentence(text.substr(start), rest)) return true;
  }
  return false;
}

// True when the register holds the line's sentence under its code and tag.
bool Registered(const CodedLine& line) {
  for (const FindingRecord& record : kFindingRegister) {
    if (record.code == line.code && Utf16ToUtf8(TagText(record.tag)) == line.tag &&
        MatchesSentence(line.sentence, Utf16ToUtf8(record.sentence))) {
      return true;
    }
  }
  return false;
}

class FindingEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_program = test::CopyProgramFolder(m_dir.path() / "プログラム");
    SetProgramFolder(FromFsPath(m_program));
  }

  fs::path Write(const FixtureMedium& medium) {
    const fs::path folder = m_dir.path() / ("媒体" + std::to_string(++m_media));
    test::WriteFixtureMedium(folder, m_program, medium);
    return folder;
  }

  // Checks the medium in the process and compares the findings reported with the log's lines.
  // Returns the codes of the coded lines in order.
  std::vector<int> CheckAndCompare(const fs::path& medium, int mediaNumber) {
    test::RecordingHost host;
    CheckRun run(host);
    Aim(run, FolderTarget(FromFsPath(medium)));
    run.RunCheck();
    const std::string log = Utf16ToUtf8(host.log);
    const std::vector<CodedLine> lines = CodedLines(log);
    EXPECT_EQ(host.findings.size(), lines.size()) << log;
    std::vector<int> codes;
    for (size_t i = 0; i < lines.size() && i < host.findings.size(); ++i) {
      const CodedLine& line = lines[i];
      const Finding& finding = host.findings[i];
      codes.push_back(line.code);
      SCOPED_TRACE(std::to_string(line.code) + " " + line.sentence);
      EXPECT_TRUE(Registered(line));
      EXPECT_EQ(finding.code, line.code);
      EXPECT_EQ(Utf16ToUtf8(finding.tag), line.tag);
      EXPECT_EQ(Utf16ToUtf8(finding.indent), line.indent);
      EXPECT_EQ(Utf16ToUtf8(finding.sentence), line.sentence);
      EXPECT_LE(finding.details.size(), line.following.size());
      for (size_t d = 0; d < finding.details.size() && d < line.following.size(); ++d) {
        EXPECT_EQ(Utf16ToUtf8(finding.details[d]), line.following[d]);
      }
      if (line.serial.empty()) {
        EXPECT_FALSE(finding.serialNumber);
      } else {
        EXPECT_EQ(Utf16ToUtf8(finding.serialNumber.value_or(u"-")), line.serial);
      }
      EXPECT_EQ(finding.mediaNumber, mediaNumber);
      if (line.code >= 5051 && line.code <= 5058) {
        const fs::path file = ToFsPath(finding.filePath);
        EXPECT_TRUE(file.is_absolute()) << file;
        EXPECT_EQ(file.parent_path().parent_path().parent_path(), medium);
        if (!finding.details.empty() && !line.following.empty()) {
          EXPECT_NE(line.following[0].find("[" + file.string() + "]"), std::string::npos);
        } else {
          EXPECT_EQ(line.sentence.rfind(file.filename().string() + "：", 0), 0u);
        }
      }
      if (line.code >= 5032 && line.code <= 5035) {
        EXPECT_FALSE(finding.elementPath.empty());
        EXPECT_NE(log.find("『" + Utf16ToUtf8(finding.elementPath) + "』"), std::string::npos);
      }
    }
    return codes;
  }

  test::ScratchDir m_dir;
  fs::path m_program;
  int m_media = 0;
};

TEST_F(FindingEventsTest, SampleFaultyMedium) {
  const std::vector<int> codes =
      CheckAndCompare(fs::path(KESTROVA_TEST_SOURCE_DIR) / "examples" / "faulty-medium", 1);
  EXPECT_GE(codes.size(), 5u);
}

TEST_F(FindingEventsTest, PhotoEntriesWithFindingsOfEveryKindOfCheck) {
  FixtureMedium medium;
  medium.projectName = std::string(128, 'A');
  medium.entries.resize(4);
  for (size_t i = 0; i < medium.entries.size(); ++i) {
    medium.entries[i].serial = std::to_string(i + 1);
    medium.entries[i].fileName = "P000000" + std::to_string(i + 1) + ".JPG";
  }
  medium.entries[0].workType = "道路土工";
  medium.entries[0].workDetail = "土砂掘削";
  medium.entries[1].major = "測量";
  medium.entries[1].title = "全景①";
  medium.entries[2].category = "施工状況写真";  // an empty photo file: no EXIF information
  medium.entries[2].drawings = {"D0000009.TIF"};
  medium.entries[3].category = "施工状況写真";
  medium.files = {{"PHOTO/PIC/P0000003.JPG", ""}};
  const fs::path folder = Write(medium);
  fs::remove(folder / "PHOTO" / "PIC" / "P0000004.JPG");
  EXPECT_EQ(CheckAndCompare(folder, 1),
            (std::vector<int>{5032, 5041, 5042, 5033, 5055, 5051, 5051}));
}

TEST_F(FindingEventsTest, StopsHandedBackInTheMessageText) {
  const fs::path structure = Write(FixtureMedium{});
  fs::remove_all(structure / "PHOTO" / "PIC");
  EXPECT_EQ(CheckAndCompare(structure, 1), std::vector<int>{5012});

  const fs::path noPhotoFile = Write(FixtureMedium{});
  fs::remove(noPhotoFile / "PHOTO" / "PHOTO.XML");
  EXPECT_EQ(CheckAndCompare(noPhotoFile, 0), std::vector<int>{5023});

  test::WriteUtf16File(
      m_program / "PHOT_KQ4" / "KQD_DEFAULT.ini",
      "MEDHIA_NO_ELM=基礎情報/メディア番号\nMEDHIA_ALL_ELM=基礎情報/メディア総枚数\n"
      "RULE_ELM=基礎情報/適用要領基準\nERR_F=0\nERR_W=9\nERR_T=9\n");
  FixtureMedium limited;
  limited.projectName = std::string(128, 'A');
  EXPECT_EQ(CheckAndCompare(Write(limited), 1), (std::vector<int>{5032, 9999}));
}

TEST_F(FindingEventsTest, RunWithoutRuleSet) {
  const fs::path empty = m_dir.path() / "空";
  fs::create_directories(empty);
  EXPECT_EQ(CheckAndCompare(empty, 0), std::vector<int>{5010});
}

// Every line with a code is written by the finding writer from the register: no other source
// file of the engine spells a code or a tag.
TEST(FindingRegisterTest, OnlyTheWriterSpellsCodesAndTags) {
  const fs::path src = fs::path(KESTROVA_TEST_SOURCE_DIR) / "src";
  const std::regex spelled(R"("[^"\n]*(ERR-0|\[要修正\]|\[要確認\]|\[システムエラー\])[^"\n]*")");
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const fs::path& path = entry.path();
    if (path.extension() != ".cpp" && path.extension() != ".h") continue;
    const std::string relative = path.lexically_relative(src).string();
    if (relative.rfind("run/finding", 0) == 0) continue;
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(std::regex_search(text.str(), spelled)) << relative;
  }
}

}  // namespace
}  // namespace kestrova
