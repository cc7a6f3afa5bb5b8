// kestrova-check --json, --advise, --quiet and --list-codes --json, run as a user runs them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

#include "json_output.h"
#include "support/fixture_medium.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using test::RunChecker;

const fs::path kExamples = fs::path(KESTROVA_TEST_SOURCE_DIR) / "examples";
const fs::path kSchema =
    fs::path(KESTROVA_TEST_SOURCE_DIR) / "schema" / "kestrova-report-1.schema.json";

struct CodedLine {
  int code;
  Json severity;
  std::string rest;                    // the line after the code and its tag
  std::vector<std::string> following;  // the lines of the log after this one
};

// Every line of the log that carries a code, with the severity its tag stands for.
std::vector<CodedLine> CodedLines(const std::string& log) {
  static const std::regex coded("ERR-(\\d{6})( \\[(要修正|要確認|システムエラー)\\])? ?");
  std::vector<std::string> all;
  std::istringstream text(log);
  for (std::string line; std::getline(text, line);) all.push_back(line);
  std::vector<CodedLine> lines;
  for (size_t i = 0; i < all.size(); ++i) {
    std::smatch match;
    if (!std::regex_search(all[i], match, coded)) continue;
    Json severity = nullptr;
    if (match[3] == "要修正") severity = "must-fix";
    if (match[3] == "要確認") severity = "must-confirm";
    if (match[3] == "システムエラー") severity = "system";
    lines.push_back(
        {std::stoi(match[1]), severity, match.suffix(),
         std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(i) + 1, all.end())});
  }
  return lines;
}

int SummaryCount(const std::string& log, const std::string& label) {
  const size_t at = log.rfind(label);
  return at == std::string::npos ? -1 : std::stoi(log.substr(at + label.size()));
}

bool ValidatesAgainstSchema(const fs::path& report) {
  const std::string command =
      "python3 -c 'import json,sys,jsonschema; "
      "jsonschema.validate(json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))' '" +
      report.string() + "' '" + kSchema.string() + "'";
  return std::system(command.c_str()) == 0;
}

class JsonReportTest : public ::testing::Test {
 protected:
  void SetUp() override { m_program = test::CopyProgramFolder(m_dir.path() / "program"); }

  // Runs the checker with --json over the media; the report, after the checks that hold for
  // every report: it validates, and its findings, counts and result are those of the log.
  Json CheckWithReport(const std::vector<fs::path>& media, int expectedExit) {
    const fs::path file = m_dir.path() / "report.json";
    std::vector<std::string> args = {"--program-dir", m_program.string(), "--json", file.string()};
    for (const fs::path& medium : media) args.push_back(medium.string());
    const auto result = RunChecker(args);
    EXPECT_EQ(result.exitCode, expectedExit) << result.err;
    EXPECT_TRUE(ValidatesAgainstSchema(file));
    const Json report = Json::parse(test::ReadBytes(file));

    const std::vector<CodedLine> lines = CodedLines(result.out);
    const Json& findings = report["findings"];
    EXPECT_EQ(findings.size(), lines.size());
    for (size_t i = 0; i < std::min(findings.size(), lines.size()); ++i) {
      EXPECT_EQ(findings[i]["code"], lines[i].code) << i;
      EXPECT_EQ(findings[i]["severity"], lines[i].severity) << i;
      // The sentence ends the coded line; the detail lines are the lines after it, as written.
      const std::string sentence = findings[i]["sentence"];
      EXPECT_EQ(lines[i].rest, sentence) << i;
      const Json& details = findings[i]["details"];
      EXPECT_LE(details.size(), lines[i].following.size()) << i;
      for (size_t d = 0; d < std::min(details.size(), lines[i].following.size()); ++d) {
        EXPECT_EQ(details[d], lines[i].following[d]) << i << " detail " << d;
      }
    }
    EXPECT_EQ(report["counts"]["mustFix"], SummaryCount(result.out, "要修正："));
    EXPECT_EQ(report["counts"]["mustConfirm"], SummaryCount(result.out, "要確認："));
    EXPECT_EQ(report["counts"]["photos"], SummaryCount(result.out, "写真枚数："));
    EXPECT_EQ(report["exitStatus"], expectedExit);
    m_log = result.out;
    return report;
  }

  // Medium number of a set of two, with one entry whose photo file is missing.
  fs::path SetMedium(const std::string& number) {
    test::FixtureMedium medium;
    medium.mediaNumber = number;
    medium.mediaTotal = "2";
    medium.writePhotoFiles = false;
    medium.entries[0].mediaNumber = number;
    const fs::path folder = m_dir.path() / ("媒体" + number);
    test::WriteFixtureMedium(folder, m_program, medium);
    return folder;
  }

  test::ScratchDir m_dir;
  fs::path m_program;
  std::string m_log;
};

TEST_F(JsonReportTest, SampleMediumHasNoFindings) {
  const Json report = CheckWithReport({kExamples / "sample-medium"}, 0);
  EXPECT_TRUE(report["findings"].empty());
  EXPECT_EQ(report["outcome"], "completed");
  EXPECT_EQ(report["finalResult"], 0);
  EXPECT_EQ(report["ruleSet"], "PHOT_KQ4");
  EXPECT_EQ(report["guideline"], "Varnelia平成28年7月");
  ASSERT_EQ(report["media"].size(), 1u);
  EXPECT_EQ(report["media"][0]["folder"], (kExamples / "sample-medium").string());
  EXPECT_EQ(report["media"][0]["result"], "clean");
  EXPECT_TRUE(report["advisories"].empty());
}

TEST_F(JsonReportTest, FaultyMediumNamesEntriesAndFiles) {
  const Json report = CheckWithReport({kExamples / "faulty-medium"}, 1);
  ASSERT_FALSE(report["findings"].empty());
  bool missingPhoto = false;
  for (const Json& finding : report["findings"]) {
    EXPECT_EQ(finding["medium"], 1);
    if (finding["code"] == 5051) {
      missingPhoto = true;
      EXPECT_TRUE(finding["serialNumber"].is_string());
      const std::string relative = finding["file"]["relative"];
      EXPECT_TRUE(relative.starts_with("PHOTO/PIC/")) << relative;
      EXPECT_EQ(finding["file"]["absolute"],
                (kExamples / "faulty-medium").string() + "/" + relative);
      // The sentence and detail lines are those of the log.
      EXPECT_NE(m_log.find(finding["sentence"].get<std::string>()), std::string::npos);
    }
  }
  EXPECT_TRUE(missingPhoto);
  EXPECT_EQ(report["media"][0]["result"], "findings");
}

TEST_F(JsonReportTest, MediaSetListsEveryMediumInOrder) {
  const std::vector<fs::path> media = {SetMedium("1"), SetMedium("2")};
  const Json report = CheckWithReport(media, 1);
  ASSERT_EQ(report["media"].size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(report["media"][i]["folder"], media[i].string());
    EXPECT_EQ(report["media"][i]["mediaNumber"], static_cast<int>(i) + 1);
    EXPECT_EQ(report["media"][i]["mediaTotal"], 2);
  }
  // Each medium's findings carry its number and paths below its own folder.
  for (const Json& finding : report["findings"]) {
    if (finding["file"].is_null()) continue;
    const int number = finding["medium"];
    EXPECT_TRUE(finding["file"]["absolute"].get<std::string>().starts_with(
        media[static_cast<size_t>(number - 1)].string() + "/"));
  }
}

TEST_F(JsonReportTest, StoppedRunSaysSo) {
  const fs::path medium = m_dir.path() / "媒体";
  test::WriteFixtureMedium(medium, m_program, test::FixtureMedium{});
  fs::remove(medium / "PHOTO" / "PHOTO.XML");
  const Json report = CheckWithReport({medium}, 2);
  EXPECT_EQ(report["outcome"], "stopped");
  EXPECT_EQ(report["finalResult"], 2);
  EXPECT_EQ(report["media"][0]["result"], "stopped");
  EXPECT_EQ(report["media"][0]["mediaNumber"], nullptr);
}

TEST_F(JsonReportTest, CancelledRunHoldsWhatWasCheckedAndSaysSo) {
  // The prompt for the second medium of the set finds no folder to answer with: a cancel.
  const Json report = CheckWithReport({SetMedium("1")}, 3);
  EXPECT_EQ(report["outcome"], "cancelled");
  EXPECT_EQ(report["finalResult"], -1);
  ASSERT_EQ(report["media"].size(), 1u);
  EXPECT_EQ(report["media"][0]["result"], "findings");
  EXPECT_FALSE(report["findings"].empty());
}

TEST_F(JsonReportTest, AdvisoriesStayOutOfTheLog) {
  test::FixtureMedium fixture;
  test::FixtureEntry twice = fixture.entries[0];  // the same serial number and photo file
  fixture.entries.push_back(twice);
  fixture.files = {{"PHOTO/PIC/P0000009.JPG", ""}, {"PHOTO/DRA/D0000001.TIF", ""}};
  const fs::path medium = m_dir.path() / "媒体";
  test::WriteFixtureMedium(medium, m_program, fixture);

  const auto plain = RunChecker({"--program-dir", m_program.string(), medium.string()});
  const fs::path file = m_dir.path() / "report.json";
  const auto advised = RunChecker(
      {"--program-dir", m_program.string(), "--advise", "--json", file.string(), medium.string()});
  EXPECT_EQ(test::MaskTimes(advised.out), test::MaskTimes(plain.out));
  EXPECT_EQ(advised.exitCode, plain.exitCode);
  EXPECT_TRUE(ValidatesAgainstSchema(file));

  const Json report = Json::parse(test::ReadBytes(file));
  std::vector<std::string> kinds;
  for (const Json& advisory : report["advisories"]) {
    std::string text = advisory["kind"].get<std::string>() + " ";
    text += advisory["file"].is_null() ? "-" : advisory["file"]["relative"].get<std::string>();
    text +=
        " " + (advisory["serialNumber"].is_null() ? std::string("-")
                                                  : advisory["serialNumber"].get<std::string>());
    kinds.push_back(text);
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"serial-repeated - 1",
                                             "file-named-twice PHOTO/PIC/P0000001.JPG 1",
                                             "unnamed-photo PHOTO/PIC/P0000009.JPG -",
                                             "unnamed-drawing PHOTO/DRA/D0000001.TIF -"}));
  EXPECT_NE(advised.err.find("kestrova-check: advisory unnamed-photo, medium 1: "
                             "PHOTO/PIC/P0000009.JPG\n"),
            std::string::npos);
  EXPECT_EQ(plain.err.find("advisory"), std::string::npos);
}

TEST_F(JsonReportTest, PhotosBesideAnAttributeFileWithoutEntries) {
  test::FixtureMedium fixture;
  fixture.entries.clear();
  fixture.files = {{"PHOTO/PIC/P0000001.JPG", ""}};
  const fs::path medium = m_dir.path() / "媒体";
  test::WriteFixtureMedium(medium, m_program, fixture);
  const fs::path file = m_dir.path() / "report.json";
  RunChecker({"--program-dir", m_program.string(), "--json", file.string(), medium.string()});
  EXPECT_TRUE(ValidatesAgainstSchema(file));
  const Json report = Json::parse(test::ReadBytes(file));
  std::vector<std::string> kinds;
  for (const Json& advisory : report["advisories"]) {
    kinds.push_back(advisory["kind"].get<std::string>() + " " +
                    advisory["file"]["relative"].get<std::string>());
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"no-entries PHOTO/PHOTO.XML",
                                             "unnamed-photo PHOTO/PIC/P0000001.JPG"}));
}

TEST_F(JsonReportTest, QuietWritesNoLogButEverythingElse) {
  const fs::path output = m_dir.path() / "結果.txt";
  const fs::path file = m_dir.path() / "report.json";
  const auto result =
      RunChecker({"--program-dir", m_program.string(), "--quiet", "--output", output.string(),
                  "--json", file.string(), (kExamples / "faulty-medium").string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(test::ReadUtf16FileAsUtf8(output).find("ERR-005051"), std::string::npos);
  EXPECT_FALSE(Json::parse(test::ReadBytes(file))["findings"].empty());
}

TEST_F(JsonReportTest, ReportGoesOnlyWhereItCanBeWritten) {
  const fs::path medium = m_dir.path() / "媒体";
  test::WriteFixtureMedium(medium, m_program, test::FixtureMedium{});
  const struct {
    fs::path report;
    int exitCode;
    std::string message;
  } cases[] = {
      {m_dir.path() / "missing" / "r.json", 64, "cannot write the report here"},
      {medium / "r.json", 64, "the report must not be written into a medium"},
      {"/dev/full", 74, "cannot write the report /dev/full"},
  };
  for (const auto& c : cases) {
    const auto result = RunChecker(
        {"--program-dir", m_program.string(), "--json", c.report.string(), medium.string()});
    EXPECT_EQ(result.exitCode, c.exitCode) << c.report;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  EXPECT_FALSE(fs::exists(medium / "r.json"));
}

TEST(CodeListJsonTest, ListsTheRegisterAsTheTextDoes) {
  const auto text = RunChecker({"--list-codes"});
  const auto json = RunChecker({"--list-codes", "--json"});
  ASSERT_EQ(json.exitCode, 0);
  const Json list = Json::parse(json.out);
  size_t lines = 0;
  std::istringstream rows(text.out);
  for (std::string row; std::getline(rows, row); ++lines) {
    ASSERT_LT(lines, list.size());
    const Json& kind = list[lines];
    const std::string tag = kind["tag"].is_null() ? "" : kind["tag"].get<std::string>();
    EXPECT_EQ(row, kind["id"].get<std::string>() + "\t" + tag + "\t" +
                       kind["sentence"].get<std::string>());
    EXPECT_TRUE(kind["indent"].is_null() || kind["indent"].is_number_integer());
  }
  EXPECT_EQ(lines, list.size());
}

}  // namespace
}  // namespace kestrova
