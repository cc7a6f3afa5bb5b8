#include <gtest/gtest.h>

#include "support/fixture_medium.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using test::RunChecker;

class KestrovaCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_program = test::CopyProgramFolder(m_dir.path() / "プログラム");
    m_medium = m_dir.path() / "工事写真" / "媒体1";
    test::WriteFixtureMedium(m_medium, m_program, test::FixtureMedium{});
  }
  std::vector<std::string> Args(std::vector<std::string> more) {
    std::vector<std::string> args = {"--program-dir", m_program.string()};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
  test::ScratchDir m_dir;
  std::filesystem::path m_program;
  std::filesystem::path m_medium;
};

TEST_F(KestrovaCheckTest, ChecksAMediumAndWritesTheLogToStandardOutput) {
  const auto result = RunChecker(Args({m_medium.string() + "/"}));
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::string log = test::MaskTimes(result.out);
  // The trailing separator of the argument is not part of the target text.
  EXPECT_EQ(log.rfind("Kestrovaシステム -- <time> 開始\n チェック対象 -- " + m_medium.string() +
                          "\n ＊媒体チェックを開始しました。\n",
                      0),
            0u);
  EXPECT_TRUE(
      log.ends_with("\n写真枚数：1枚\nエラー\n   要修正：0件\n   要確認：0件\n\n"
                    "Kestrovaシステム -- <time> 完了\n"));
  EXPECT_EQ(result.err, "検査が正常に終了しました。\n検査結果を確認してください。\n");
}

TEST_F(KestrovaCheckTest, StopsWithoutDtdOrDefaultSettings) {
  std::filesystem::remove(m_program / "PHOT_KQ4" / "KQD_DEFAULT.ini");
  auto result = RunChecker(Args({m_medium.string()}));
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.out.find(" ERR-005001 [システムエラー] 設定ファイル読み込みエラー。\n"),
            std::string::npos);

  std::filesystem::remove(m_medium / "PHOT_KQ4.DTD");
  result = RunChecker(Args({m_medium.string()}));
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.out.find(" ERR-005010 "), std::string::npos);
  EXPECT_NE(result.out.find("   要修正：1件\n"), std::string::npos);
}

TEST_F(KestrovaCheckTest, WritesTheResultFile) {
  const auto file = m_dir.path() / "結果.txt";
  const auto result = RunChecker(Args({"--output", file.string(), m_medium.string()}));
  ASSERT_EQ(result.exitCode, 0);
  const std::string bytes = test::ReadBytes(file);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(bytes.substr(2, 2), std::string("K\0", 2));
  EXPECT_NE(bytes.find(std::string("\r\0\n\0", 4)), std::string::npos);
  EXPECT_EQ(bytes.find(std::string("\n\0", 2)) - 2, bytes.find(std::string("\r\0\n\0", 4)));
  EXPECT_NE(bytes.substr(bytes.size() - 2), std::string("\n\0", 2));
  // Every LF has its CR.
  size_t lineFeeds = 0;
  size_t pairs = 0;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    if (bytes[i] == '\n' && bytes[i + 1] == 0) {
      ++lineFeeds;
      if (bytes[i - 2] == '\r' && bytes[i - 1] == 0) ++pairs;
    }
  }
  EXPECT_EQ(lineFeeds, pairs);
  EXPECT_GT(lineFeeds, 5u);
}

TEST_F(KestrovaCheckTest, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {(m_dir.path() / "なし").string()},
      {(m_medium / "PHOT_KQ4.DTD").string()},
      {"--frobnicate", m_medium.string()},
      {"--output", (m_dir.path() / "なし" / "x.txt").string(), m_medium.string()},
      {"--output"},
  };
  for (const auto& args : cases) {
    const auto result = RunChecker(args);
    EXPECT_EQ(result.exitCode, 64);
    EXPECT_TRUE(result.out.empty());
    EXPECT_NE(result.err.find("kestrova-check: "), std::string::npos);
  }
}

TEST_F(KestrovaCheckTest, UnwritableResultFileIsExit74) {
  // No file can be created in /proc, not even by root: the write fails after the run.
  const auto result = RunChecker(Args({"--output", "/proc/kestrova結果.txt", m_medium.string()}));
  EXPECT_EQ(result.exitCode, 74);
  EXPECT_FALSE(result.out.empty());
  EXPECT_NE(result.err.find("cannot write the result file"), std::string::npos);
}

TEST_F(KestrovaCheckTest, HelpAndVersion) {
  EXPECT_EQ(RunChecker({"--help"}).exitCode, 0);
  const auto version = RunChecker({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("kestrova-check ", 0), 0u);
}

}  // namespace
}  // namespace kestrova
