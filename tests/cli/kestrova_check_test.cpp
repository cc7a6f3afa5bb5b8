#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include <algorithm>
#include <set>
#include <sstream>

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

TEST_F(KestrovaCheckTest, ResultFileInsideAMediumIsAUsageError) {
  const auto second = m_dir.path() / "工事写真" / "媒体2";
  test::WriteFixtureMedium(second, m_program, test::FixtureMedium{});
  std::filesystem::create_directory_symlink(m_medium, m_dir.path() / "近道");
  std::filesystem::create_symlink(m_medium / "PHOTO" / "新.txt", m_dir.path() / "結果へ.txt");
  const std::filesystem::path targets[] = {
      m_medium / "結果.txt",               // in the medium's root
      m_medium / "PHOTO" / "PHOTO.XML",    // over one of its files
      m_dir.path() / "近道" / "結果.txt",  // through a link to the medium folder
      m_dir.path() / "結果へ.txt",         // a link naming a file in the medium
      second / "結果.txt",                 // in the next medium of the set
  };
  const std::string before = test::ReadBytes(m_medium / "PHOTO" / "PHOTO.XML");
  for (const auto& target : targets) {
    const auto result =
        RunChecker(Args({"--output", target.string(), m_medium.string(), second.string()}));
    EXPECT_EQ(result.exitCode, 64) << target;
    EXPECT_TRUE(result.out.empty()) << target;
    EXPECT_NE(result.err.find("must not be written into a medium"), std::string::npos) << target;
  }
  EXPECT_FALSE(std::filesystem::exists(m_medium / "結果.txt"));
  EXPECT_FALSE(std::filesystem::exists(m_medium / "PHOTO" / "新.txt"));
  EXPECT_EQ(test::ReadBytes(m_medium / "PHOTO" / "PHOTO.XML"), before);
}

TEST_F(KestrovaCheckTest, ResultFileTargetsKeepTheirKind) {
  const auto reference = m_dir.path() / "参照.txt";
  ASSERT_EQ(RunChecker(Args({"--output", reference.string(), m_medium.string()})).exitCode, 0);
  // The logs of two runs differ only in their times.
  const auto sameLog = [&](const std::filesystem::path& file) {
    return test::MaskTimes(test::ReadUtf16FileAsUtf8(file)) ==
           test::MaskTimes(test::ReadUtf16FileAsUtf8(reference));
  };

  // A link keeps being a link; the file it names is replaced, or made when it is missing.
  const auto folder = m_dir.path() / "出力";
  std::filesystem::create_directories(folder / "実体");
  test::WriteBytes(folder / "実体" / "旧.txt", "old");
  std::filesystem::create_symlink("実体/旧.txt", folder / "旧へ.txt");
  std::filesystem::create_symlink("実体/無.txt", folder / "無へ.txt");
  // Any name the file system takes: 255 bytes.
  std::string longName;
  while (longName.size() < 252) longName += "長";
  longName += ".tx";
  for (const char* link : {"旧へ.txt", "無へ.txt"}) {
    ASSERT_EQ(RunChecker(Args({"--output", (folder / link).string(), m_medium.string()})).exitCode,
              0)
        << link;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / link)) << link;
  }
  EXPECT_TRUE(sameLog(folder / "実体" / "旧.txt"));
  EXPECT_TRUE(sameLog(folder / "実体" / "無.txt"));
  const auto result =
      RunChecker(Args({"--output", (folder / longName).string(), m_medium.string()}));
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(sameLog(folder / longName));
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            4);

  // A named pipe is written into and stays a pipe.
  const auto pipe = m_dir.path() / "管";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] {
    std::ifstream in(pipe, std::ios::binary);
    received.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  });
  const auto piped = RunChecker(Args({"--output", pipe.string(), m_medium.string()}));
  // Should the checker not have opened the pipe, the reader still gets its end.
  ::close(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK));
  reader.join();
  EXPECT_EQ(piped.exitCode, 0) << piped.err;
  EXPECT_TRUE(std::filesystem::is_fifo(pipe));
  EXPECT_EQ(received.substr(0, 2), "\xFF\xFE");
  test::WriteBytes(m_dir.path() / "管から.txt", received);
  EXPECT_TRUE(sameLog(m_dir.path() / "管から.txt"));
}

TEST_F(KestrovaCheckTest, StandardOutputThatCannotBeWrittenIsExit74) {
  const std::function<void()> outputs[] = {
      // A disc that is full.
      [] { ::dup2(::open("/dev/full", O_WRONLY), 1); },
      // A reader that went away, as "| head -1" does after its line.
      [] {
        int ends[2];
        if (::pipe(ends) != 0) ::_exit(125);
        ::close(ends[0]);
        ::dup2(ends[1], 1);
      },
  };
  for (const auto& output : outputs) {
    const auto file = m_dir.path() / "結果.txt";
    std::filesystem::remove(file);
    const auto result = RunChecker(Args({"--output", file.string(), m_medium.string()}), output);
    EXPECT_EQ(result.exitCode, 74) << result.err;
    EXPECT_NE(result.err.find("cannot write the result log to standard output"), std::string::npos)
        << result.err;
    // The run went to its end: the completion message and the whole result file.
    EXPECT_NE(result.err.find("検査が正常に終了しました。"), std::string::npos) << result.err;
    EXPECT_TRUE(test::MaskTimes(test::ReadUtf16FileAsUtf8(file))
                    .ends_with("Kestrovaシステム -- <time> 完了"));
  }
}

TEST_F(KestrovaCheckTest, ControlCharactersAreEscapedOnATerminalOnly) {
  const std::string name = "\x1B[2J\x1B]0;\x07隠\r\x7F\u009B.txt";
  test::WriteBytes(m_medium / name, "x");
  const auto file = m_dir.path() / "結果.txt";
  const auto result =
      test::RunCheckerOnTerminal(Args({"--output", file.string(), m_medium.string()}));
  EXPECT_EQ(result.exitCode, 2) << result.err;
  EXPECT_NE(result.out.find(
                "［" + (m_medium / "\\x1B[2J\\x1B]0;\\x07隠\\x0D\\x7F\\u009B.txt").string() + "］"),
            std::string::npos)
      << result.out;
  for (const char control : {'\x1B', '\x07', '\r', '\x7F'}) {
    EXPECT_EQ(result.out.find(control), std::string::npos) << int(control);
  }
  EXPECT_EQ(result.out.find("\u009B"), std::string::npos);
  // The result file, and standard output when it is no terminal, keep the name exactly.
  EXPECT_NE(test::ReadUtf16FileAsUtf8(file).find("［" + (m_medium / name).string() + "］"),
            std::string::npos);
  EXPECT_NE(
      RunChecker(Args({m_medium.string()})).out.find("［" + (m_medium / name).string() + "］"),
      std::string::npos);
}

TEST_F(KestrovaCheckTest, StopsWhenItsOwnFolderIsUnknown) {
  // Run from a memory file, the checker has no folder of its own. Started inside a medium that
  // holds rule folders and a tamper-check library, it must load neither.
  test::CopyProgramFolder(m_medium);
  std::filesystem::copy_file(test::TestCheckHashLibrary("marker"),
                             m_medium / "libJACIC_CheckHash.so");
  const int program = test::ProgramInMemory(KESTROVA_TEST_CHECK_EXE);
  const auto fromMemory = [&](std::vector<std::string> args) {
    args.insert(args.begin(), "kestrova-check");
    return RunChecker({}, [&] {
      if (::chdir(m_medium.c_str()) == 0) test::ExecFromMemory(program, args);
      ::_exit(126);
    });
  };
  const auto result = fromMemory({m_medium.string()});
  EXPECT_EQ(result.exitCode, 71) << result.err;
  EXPECT_TRUE(result.out.empty()) << result.out;
  EXPECT_EQ(result.err,
            "kestrova-check: cannot find the folder of its own executable; name the program "
            "folder with --program-dir\n");
  // A program folder named on the command line is enough (the planted files stop the medium).
  const auto named = fromMemory({"--program-dir", m_program.string(), m_medium.string()});
  EXPECT_EQ(named.exitCode, 2) << named.err;
  EXPECT_NE(named.out.find("ERR-005013"), std::string::npos) << named.out;
  EXPECT_FALSE(std::filesystem::exists(m_medium / "LOADED"));
  ::close(program);
}

TEST_F(KestrovaCheckTest, HelpAndVersion) {
  EXPECT_EQ(RunChecker({"--help"}).exitCode, 0);
  const auto version = RunChecker({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("kestrova-check ", 0), 0u);
}

TEST_F(KestrovaCheckTest, ListCodesPrintsTheRegister) {
  const auto result = RunChecker({"--list-codes"});
  EXPECT_EQ(result.exitCode, 0);
  std::set<std::string> codes;
  std::vector<std::string> lines;
  std::istringstream in(result.out);
  for (std::string line; std::getline(in, line);) {
    ASSERT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
    codes.insert(line.substr(0, line.find('\t')));
    lines.push_back(line);
  }
  const std::set<std::string> expected = {
      "ERR-005001", "ERR-005010", "ERR-005011", "ERR-005012", "ERR-005013", "ERR-005022",
      "ERR-005023", "ERR-005024", "ERR-005025", "ERR-005026", "ERR-005032", "ERR-005033",
      "ERR-005034", "ERR-005035", "ERR-005041", "ERR-005042", "ERR-005051", "ERR-005052",
      "ERR-005053", "ERR-005054", "ERR-005055", "ERR-005057", "ERR-005058", "ERR-009999"};
  EXPECT_EQ(codes, expected);
  for (const char* line : {
           "ERR-005042\t[要修正]\t大分類／写真区分の関連が間違っています。",
           "ERR-005042\t[要確認]\t写真-大分類に、'工事'以外が記述されています。",
           "ERR-005053\t[要確認]\t圧縮形式が異なります。",
           "ERR-005053\t[要確認]\t画素数が指定範囲外です。",
           "ERR-005010\t\tPHOT_KQ4.DTDを確認できませんでした。電子媒体を指定し直してください。",
           "ERR-009999\t\tエラー数が制限を超えました。検査を中断します。",
       }) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
}

}  // namespace
}  // namespace kestrova
