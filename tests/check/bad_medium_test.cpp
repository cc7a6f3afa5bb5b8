// Broken and hostile media checked end to end by kestrova-check: every run ends with a finished
// log, the exit status and the findings expected of the medium, never a crash or a hang, and the
// medium stays as it was.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "image/image_bytes.h"
#include "platform/text_encoding.h"
#include "support/fixture_medium.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using test::FixtureEntry;
using test::FixtureMedium;

constexpr auto kRunLimit = std::chrono::seconds(30);

// Runs the checker with a watchdog: a run that takes longer than the limit is killed and fails
// the test.
test::CommandResult RunWithin(const std::vector<std::string>& args,
                              const std::function<void()>& inChild = {},
                              std::chrono::seconds limit = kRunLimit) {
  test::CheckerProcess checker(args, inChild);
  if (auto result = checker.WaitFor(limit)) return *result;
  ADD_FAILURE() << "kestrova-check did not finish within " << limit.count() << " s";
  return {};
}

std::string FixtureImage(const std::string& name) {
  return test::ReadBytes(fs::path(KESTROVA_TEST_SOURCE_DIR) / "tests/fixtures/images" / name);
}

class BadMediumTest : public ::testing::Test {
 protected:
  void SetUp() override { m_program = test::CopyProgramFolder(m_dir.path() / "プログラム"); }

  fs::path Write(const FixtureMedium& fixture, const std::string& name = "媒体") {
    const auto medium = m_dir.path() / name;
    test::WriteFixtureMedium(medium, m_program, fixture);
    return medium;
  }
  test::CommandResult Check(const fs::path& medium) {
    return RunWithin({"--program-dir", m_program.string(), medium.string()});
  }
  // A finished run: an exit status of the checker (not a signal) and the closing lines.
  static void ExpectFinished(const test::CommandResult& result, const std::string& what) {
    EXPECT_GE(result.exitCode, 0) << what;
    EXPECT_LE(result.exitCode, 3) << what << "\n" << result.err;
    EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << what << "\n" << result.err;
    EXPECT_NE(result.out.find("\nエラー\n   要修正："), std::string::npos) << what << result.out;
    EXPECT_TRUE(test::MaskTimes(result.out).ends_with("Kestrovaシステム -- <time> 完了\n"))
        << what << "\n"
        << result.out;
  }
  // A finished run with that exit status and exactly these finding codes, in log order.
  static void ExpectFindings(const test::CommandResult& result, const std::string& what,
                             int exitCode, const std::vector<std::string>& codes) {
    ExpectFinished(result, what);
    EXPECT_EQ(result.exitCode, exitCode) << what << "\n" << result.out;
    EXPECT_EQ(LoggedCodes(result.out), codes) << what << "\n" << result.out;
  }
  static std::vector<std::string> LoggedCodes(const std::string& log) {
    static const std::regex code(R"(ERR-\d{6})");
    std::vector<std::string> codes;
    for (std::sregex_iterator it(log.begin(), log.end(), code), end; it != end; ++it) {
      codes.push_back(it->str());
    }
    return codes;
  }

  test::ScratchDir m_dir;
  fs::path m_program;
};

// A photo entry whose file is the given bytes; a 写真区分 makes the photo file checks apply.
FixtureMedium WithPhoto(const std::string& bytes) {
  FixtureMedium fixture;
  fixture.entries[0].category = "施工状況写真";
  fixture.files = {{"PHOTO/PIC/P0000001.JPG", bytes}};
  return fixture;
}

TEST_F(BadMediumTest, BrokenPhotoFilesEndWithAFinishedLog) {
  const std::string jpeg = FixtureImage("es_Canon_40D.jpg");
  ASSERT_GT(jpeg.size(), 1000u);
  // A third of the photo still holds its Exif segment and frame header.
  const struct {
    std::string what;
    std::string bytes;
    int exitCode;
    std::vector<std::string> codes;
  } cases[] = {
      {"truncated JPEG", jpeg.substr(0, jpeg.size() / 3), 0, {}},
      {"JPEG cut inside its first segment", jpeg.substr(0, 7), 1, {"ERR-005055"}},
      {"zero-byte photo", "", 1, {"ERR-005055"}},
      {"text named like a photo", "not a photo", 1, {"ERR-005055"}},
  };
  for (const auto& c : cases) {
    const auto medium = Write(WithPhoto(c.bytes), "媒体_" + std::to_string(&c - cases));
    ExpectFindings(Check(medium), c.what, c.exitCode, c.codes);
  }
}

TEST_F(BadMediumTest, FolderOrNamedPipeWherePhotoShouldBe) {
  for (const bool pipe : {false, true}) {
    FixtureMedium fixture = WithPhoto("");
    fixture.files.clear();
    fixture.writePhotoFiles = false;
    const auto medium = Write(fixture, pipe ? "媒体_pipe" : "媒体_folder");
    const auto photo = medium / "PHOTO" / "PIC" / "P0000001.JPG";
    if (pipe) {
      ASSERT_EQ(::mkfifo(photo.c_str(), 0600), 0);
    } else {
      fs::create_directories(photo / "中");
    }
    ExpectFindings(Check(medium), pipe ? "named pipe" : "folder", 1, {"ERR-005055"});
  }
}

// Exit status of the checker's process when it could not give up root's file access.
constexpr int kCannotDropOverride = 125;

// Runs in the checker's process: root reads every file whatever its permissions, so the
// checker gives up that override and reads as the files' owner would.
void WithoutRootFileAccess() {
  if (::geteuid() != 0) return;
  if (::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0) != 0 ||
      ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0) != 0) {
    ::_exit(kCannotDropOverride);
  }
}

TEST_F(BadMediumTest, UnreadablePhotoIsReportedAsWithoutExif) {
  const auto medium = Write(WithPhoto(FixtureImage("es_Canon_40D.jpg")));
  const auto photo = medium / "PHOTO" / "PIC" / "P0000001.JPG";
  fs::permissions(photo, fs::perms::none);
  const auto result =
      RunWithin({"--program-dir", m_program.string(), medium.string()}, WithoutRootFileAccess);
  if (result.exitCode == kCannotDropOverride) GTEST_SKIP() << "root's file access stays";
  ExpectFinished(result, "unreadable photo");
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("ERR-005055 [要修正] 工事写真ファイルにEXIF情報がありません。"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("[" + photo.string() + "]"), std::string::npos) << result.out;
}

TEST_F(BadMediumTest, UnlistableFolderStopsTheMedium) {
  const auto medium = Write(FixtureMedium{});
  const auto pic = medium / "PHOTO" / "PIC";
  fs::permissions(pic, fs::perms::owner_exec);
  const auto result =
      RunWithin({"--program-dir", m_program.string(), medium.string()}, WithoutRootFileAccess);
  fs::permissions(pic, fs::perms::owner_all);
  if (result.exitCode == kCannotDropOverride) GTEST_SKIP() << "root's file access stays";
  ExpectFinished(result, "unlistable folder");
  EXPECT_EQ(result.exitCode, 2) << result.out;
  EXPECT_NE(result.out.find(" ＊＊ディレクトリ・ファイル構造を調べています。\n"
                            "  ERR-005012 [要修正] フォルダの内容を読み取れません。\n"
                            "                     ［" +
                            pic.string() + "］\n写真枚数：0枚\nエラー\n   要修正：1件\n"),
            std::string::npos)
      << result.out;
}

TEST_F(BadMediumTest, FiveThousandPhotosWithAFewCorruptOnesKeepOpenFilesBounded) {
  const auto library = fs::path(KESTROVA_TEST_PROGRAM_DIR) / "libJACIC_CheckHash.so";
  fs::copy_file(library, m_program / library.filename());
  const FixtureMedium fixture = test::SealedPhotoMedium(5000);
  const auto medium = Write(fixture);
  test::LinkSealedPhotos(medium, fixture);
  const std::map<std::string, std::string> corrupt = {
      {"P0001000.JPG", "not a photo"}, {"P0002500.JPG", ""}, {"P0004999.JPG", "\xFF\xD8\xFF"}};
  for (const auto& [name, bytes] : corrupt) {
    const auto photo = medium / "PHOTO" / "PIC" / name;
    fs::remove(photo);
    test::WriteBytes(photo, bytes);
  }

  // A checker that kept one file open per photo would run out of these long before the end.
  // The limit leaves room for slow machines and the sanitizers: a hang, not speed, is tested.
  const auto result = RunWithin(
      {"--program-dir", m_program.string(), medium.string()},
      [] {
        const rlimit limit{32, 32};
        ::setrlimit(RLIMIT_NOFILE, &limit);
      },
      std::chrono::seconds(180));
  ExpectFinished(result, "5,000 photos");
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_NE(result.out.find("写真枚数：5000枚"), std::string::npos);
  std::set<std::string> reported;
  static const std::regex pathLine(R"(\[[^\]]*/(P\d{7}\.JPG)\])");
  for (std::sregex_iterator it(result.out.begin(), result.out.end(), pathLine), end; it != end;
       ++it) {
    reported.insert((*it)[1]);
  }
  std::set<std::string> expected;
  for (const auto& entry : corrupt) expected.insert(entry.first);
  EXPECT_EQ(reported, expected) << result.out.substr(0, 4000);
}

// Runs in the checker's process: the tamper-check library is asked from this many threads.
std::function<void()> WithCheckHashThreads(int count) {
  return [count] { ::setenv("KESTROVA_CHECK_HASH_THREADS", std::to_string(count).c_str(), 1); };
}

TEST_F(BadMediumTest, InterruptEndsTheRunWithinOnePhotoEntry) {
  const auto slow =
      fs::path(KESTROVA_TEST_PROGRAM_DIR).parent_path() / "testlibs/slow" / "libJACIC_CheckHash.so";
  fs::copy_file(slow, m_program / slow.filename());
  const auto calls = m_program / "calls.log";
  const FixtureMedium fixture = test::SealedPhotoMedium(1000);
  const auto medium = Write(fixture);
  test::LinkSealedPhotos(medium, fixture);

  constexpr int kWorkers = 3;
  test::CheckerProcess checker({"--program-dir", m_program.string(), medium.string()},
                               WithCheckHashThreads(kWorkers));
  const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
  while (test::TextLines(calls) < 5 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const size_t before = test::TextLines(calls);
  ASSERT_GE(before, 5u) << "the photo entries did not start";
  ::kill(checker.pid(), SIGINT);
  const auto result = checker.WaitFor(std::chrono::seconds(10));
  ASSERT_TRUE(result) << "the run went on after the interrupt";
  EXPECT_EQ(result->exitCode, 3) << result->err;
  EXPECT_TRUE(test::MaskTimes(result->out).ends_with("Kestrovaシステム -- <time> キャンセル\n"))
      << result->out;
  // The entry under way when the signal came is finished; of the photos computed ahead, only
  // the calls already under way (one per worker) finish, and no further one is started.
  EXPECT_LE(test::TextLines(calls), before + kWorkers);
  static const std::regex photoCount(R"(写真枚数：(\d+)枚)");
  std::smatch count;
  ASSERT_TRUE(std::regex_search(result->out, count, photoCount)) << result->out;
  EXPECT_LE(std::stoul(count[1]), before + 1);
}

TEST_F(BadMediumTest, TamperChecksAheadOnSeveralThreadsKeepTheLog) {
  const auto library = fs::path(KESTROVA_TEST_PROGRAM_DIR) / "libJACIC_CheckHash.so";
  fs::copy_file(library, m_program / library.filename());
  FixtureMedium fixture = test::SealedPhotoMedium(40);
  const auto altered = test::ReadBytes(fs::path(KESTROVA_TEST_SOURCE_DIR) /
                                       "examples/sample-medium-h29/PHOTO/PIC/P0000005.JPG");
  const auto unsealed = FixtureImage("es_Canon_40D.jpg");
  // Altered, unsealed, unreadable, not a photo, missing, a 完成写真 without GNSS (no tamper
  // check), one photo named by two entries, and an entry without a category.
  std::map<size_t, std::string> replaced = {{3, altered},  {7, unsealed},  {8, "not a photo"},
                                            {21, altered}, {22, unsealed}, {39, altered}};
  fixture.entries[11].category = "完成写真";
  fixture.entries[30].category.clear();
  FixtureMedium linked = fixture;
  fixture.entries[12].fileName = fixture.entries[3].fileName;
  const auto medium = Write(fixture);
  test::LinkSealedPhotos(medium, linked);
  const auto pic = medium / "PHOTO" / "PIC";
  for (const auto& [index, bytes] : replaced) {
    fs::remove(pic / fixture.entries[index].fileName);
    test::WriteBytes(pic / fixture.entries[index].fileName, bytes);
  }
  fs::remove(pic / fixture.entries[15].fileName);
  fs::remove(pic / fixture.entries[33].fileName);
  fs::permissions(pic / fixture.entries[25].fileName, fs::perms::none);

  const auto run = [&](int threads) {
    auto result = RunWithin({"--program-dir", m_program.string(), medium.string()}, [threads] {
      WithCheckHashThreads(threads)();
      WithoutRootFileAccess();
    });
    result.out = test::MaskTimes(result.out);
    return result;
  };
  const auto one = run(1);
  if (one.exitCode == kCannotDropOverride) GTEST_SKIP() << "root's file access stays";
  ExpectFinished(one, "one thread");
  EXPECT_EQ(one.exitCode, 1);
  // Altered: entries 3, 12 (it names the photo of 3), 21 and 39; unsealed: 7 and 22.
  size_t tampered = 0;
  for (size_t at = one.out.find("ERR-005058"); at != std::string::npos;
       at = one.out.find("ERR-005058", at + 1)) {
    ++tampered;
  }
  EXPECT_EQ(tampered, 6u) << one.out;
  EXPECT_NE(one.out.find("写真枚数：40枚"), std::string::npos) << one.out;
  for (const int threads : {2, 5}) {
    const auto many = run(threads);
    EXPECT_EQ(many.exitCode, one.exitCode) << threads;
    EXPECT_EQ(many.out, one.out) << threads;
  }
}

TEST_F(BadMediumTest, HugeSparsePhotoIsSearchedQuicklyAndCancelledAtOnce) {
  const auto library = fs::path(KESTROVA_TEST_PROGRAM_DIR) / "libJACIC_CheckHash.so";
  fs::copy_file(library, m_program / library.filename());
  constexpr std::uintmax_t kHuge = std::uintmax_t{200} << 30;
  // 平成28: the search for the Exif segment crosses 200 GB of zeros, which cost no reading.
  {
    FixtureMedium fixture = WithPhoto("\xFF\xD8");
    const auto medium = Write(fixture, "媒体_28");
    fs::resize_file(medium / "PHOTO/PIC/P0000001.JPG", kHuge);
    const auto result = Check(medium);
    ExpectFinished(result, "huge sparse photo");
    EXPECT_NE(result.out.find("ERR-005055 [要修正] 工事写真ファイルにEXIF情報がありません。"),
              std::string::npos)
        << result.out;
  }
  // 平成29: a sealed photo followed by 200 GB of zeros keeps the library hashing for minutes; an
  // interrupt ends the run with its summary at once, the call left to finish on its own.
  FixtureMedium fixture = test::SealedPhotoMedium(1);
  const auto medium = Write(fixture, "媒体_29");
  const auto photo = medium / "PHOTO/PIC/P0000001.JPG";
  test::WriteBytes(photo, test::ReadBytes(fs::path(KESTROVA_TEST_SOURCE_DIR) /
                                          "examples/sample-medium-h29/PHOTO/PIC/P0000001.JPG"));
  fs::resize_file(photo, kHuge);
  test::CheckerProcess checker({"--program-dir", m_program.string(), medium.string()});
  // The library has the photo open once one of the checker's descriptors names it.
  const auto opened = [&] {
    std::error_code error;
    for (const auto& fd :
         fs::directory_iterator("/proc/" + std::to_string(checker.pid()) + "/fd", error)) {
      if (fs::read_symlink(fd.path(), error).filename() == photo.filename()) return true;
    }
    return false;
  };
  const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
  while (!opened() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ASSERT_TRUE(opened()) << "the library was not asked";
  const auto signalled = std::chrono::steady_clock::now();
  ::kill(checker.pid(), SIGTERM);
  const auto result = checker.WaitFor(std::chrono::seconds(10));
  ASSERT_TRUE(result) << "the run waited for the library";
  // One second, with room for the sanitizers; hashing the photo would take minutes.
  EXPECT_LT(std::chrono::steady_clock::now() - signalled, std::chrono::seconds(3));
  EXPECT_EQ(result->exitCode, 3) << result->err;
  EXPECT_TRUE(test::MaskTimes(result->out).ends_with("Kestrovaシステム -- <time> キャンセル\n"))
      << result->out;
}

TEST_F(BadMediumTest, SymbolicLinkLoopsAmongFolders) {
  const auto medium = Write(FixtureMedium{});
  fs::create_directory_symlink("..", medium / "PHOTO" / "PIC" / "LOOP");
  fs::create_directory_symlink("../..", medium / "PHOTO" / "DRA" / "UP");
  fs::create_symlink("B.JPG", medium / "PHOTO" / "PIC" / "A.JPG");
  fs::create_symlink("A.JPG", medium / "PHOTO" / "PIC" / "B.JPG");
  // The first of the two file links that name each other stops the medium.
  ExpectFindings(Check(medium), "symbolic link loop", 2, {"ERR-005013"});
}

TEST_F(BadMediumTest, DtdNameThatIsNoPlainRuleSetNameIsNotFound) {
  // Rule tables planted in the program folder and its parent, where "." and ".." would lead.
  for (const fs::path& folder : {m_program, m_dir.path()}) {
    for (const auto& file : fs::directory_iterator(m_program / "PHOT_KQ4")) {
      if (file.is_regular_file()) fs::copy_file(file.path(), folder / file.path().filename());
    }
  }
  for (const std::string name : {"...DTD", "..DTD", "PHOT\\KQ4.DTD"}) {
    FixtureMedium fixture;
    // Listed before the medium's PHOT_KQ4.DTD, so it is the DTD file found first.
    fixture.files = {{name, test::ReadBytes(m_program / "PHOT_KQ4" / "PHOT_KQ4.DTD")}};
    const auto result = Check(Write(fixture, "媒体_" + std::to_string(name.size())));
    ExpectFinished(result, name);
    EXPECT_EQ(result.exitCode, 2) << name;
    EXPECT_NE(result.out.find(" ERR-005010 PHOT_KQ4.DTDを確認できませんでした。"),
              std::string::npos)
        << name << "\n"
        << result.out;
    EXPECT_EQ(result.out.find("ERR-005001"), std::string::npos) << name;
  }
}

TEST_F(BadMediumTest, LongValueIsReportedInFull) {
  FixtureMedium fixture;
  std::string title;
  for (int i = 0; i < 10000; ++i) title += "あ";
  fixture.entries[0].title = title;
  const auto result = Check(Write(fixture));
  ExpectFindings(result, "10,000-character value", 1, {"ERR-005032"});
}

TEST_F(BadMediumTest, PhotosAndDrawingsOutsideTheMediumAreNeverOpened) {
  // Files that would give a finding of their own (no EXIF information, not a TIFF file) if
  // they were opened.
  test::WriteBytes(m_dir.path() / "外.JPG", "not a photo");
  test::WriteBytes(m_dir.path() / "外.TIF", "not a drawing");
  test::WriteBytes(m_dir.path() / "外" / "P0000001.JPG", "not a photo");
  const std::string absolute = (m_dir.path() / "外.JPG").string();
  const auto missing = [](const std::string& name) {
    return "ERR-005051 [要修正] " + name + "：PHOTO.XMLに記述されている";
  };

  FixtureMedium names;
  names.writePhotoFiles = false;
  names.entries.clear();
  int serial = 0;
  for (const std::string& name :
       {std::string("../../../外.JPG"), std::string("..\\..\\..\\外.JPG"), absolute}) {
    FixtureEntry entry;
    entry.serial = std::to_string(++serial);
    entry.fileName = name;
    entry.category = "施工状況写真";
    names.entries.push_back(entry);
  }
  names.entries[0].drawings = {"../../../外.TIF"};
  const auto named = Check(Write(names, "媒体_名前"));
  ExpectFinished(named, "names leading out of the medium");
  EXPECT_EQ(named.exitCode, 1) << named.out;
  for (const auto& entry : names.entries) {
    EXPECT_NE(named.out.find(missing(entry.fileName)), std::string::npos) << named.out;
  }
  EXPECT_NE(named.out.find(missing("../../../外.TIF")), std::string::npos) << named.out;

  FixtureMedium linked = WithPhoto("");
  linked.files.clear();
  linked.writePhotoFiles = false;
  const auto medium = Write(linked, "媒体_リンク");
  fs::remove_all(medium / "PHOTO" / "PIC");
  fs::create_directory_symlink(m_dir.path() / "外", medium / "PHOTO" / "PIC");
  const auto viaLink = Check(medium);
  ExpectFinished(viaLink, "PHOTO/PIC linked to a folder elsewhere");
  EXPECT_EQ(viaLink.exitCode, 1) << viaLink.out;
  EXPECT_NE(viaLink.out.find(missing("P0000001.JPG")), std::string::npos) << viaLink.out;

  for (const auto* result : {&named, &viaLink}) {
    EXPECT_EQ(result->out.find("ERR-005055"), std::string::npos) << result->out;
    EXPECT_EQ(result->out.find("ERR-005052"), std::string::npos) << result->out;
  }
}

TEST_F(BadMediumTest, FolderNamesNotInUtf8OrWithABackslashCheckAsAnyOther) {
  const FixtureMedium fixture = WithPhoto(FixtureImage("es_Canon_40D.jpg"));
  const std::string plain = (m_dir.path() / "媒体").string();
  const auto reference = Check(Write(fixture));
  ASSERT_NE(reference.out.find(plain), std::string::npos) << reference.out;
  const struct {
    std::string folder;
    std::string shown;
  } cases[] = {
      {"\x83\x65\x83\x58\x83\x67", "\uFFFDe\uFFFDX\uFFFDg"},  // テスト in Shift_JIS
      {"媒\\体", "媒\\体"},
  };
  for (const auto& c : cases) {
    const auto medium = Write(fixture, c.folder);
    const auto output = m_dir.path() / "結果.txt";
    const auto result = RunWithin(
        {"--program-dir", m_program.string(), "--output", output.string(), medium.string()});
    std::string expected = reference.out;
    const std::string shown = (m_dir.path() / c.shown).string();
    for (size_t at; (at = expected.find(plain)) != std::string::npos;) {
      expected.replace(at, plain.size(), shown);
    }
    EXPECT_EQ(test::MaskTimes(result.out), test::MaskTimes(expected)) << c.shown;
    EXPECT_EQ(result.exitCode, reference.exitCode) << c.shown;
    EXPECT_NE(test::ReadUtf16FileAsUtf8(output).find(shown), std::string::npos) << c.shown;
  }
}

// The photo attribute file with a changed document type declaration and title.
FixtureMedium WithPhotoXml(const std::string& internalSubset, const std::string& title) {
  FixtureMedium fixture;
  fixture.entries[0].title = "@TITLE@";
  std::string xml = test::PhotoXmlText(fixture);
  const std::string system = "SYSTEM \"PHOTO04.DTD\"";
  xml.insert(xml.find(system) + system.size(), " [" + internalSubset + "]");
  xml.replace(xml.find("@TITLE@"), 7, title);
  fixture.entries[0].title = "着手前全景";
  fixture.files = {{"PHOTO/PHOTO.XML", xml}};
  return fixture;
}

TEST_F(BadMediumTest, NamespaceDeclaredInTheInternalSubsetHidesNoEntry) {
  FixtureMedium fixture =
      WithPhotoXml("<!ATTLIST 写真情報 xmlns CDATA #FIXED \"urn:x\">", "着手前全景");
  fixture.writePhotoFiles = false;
  const auto result = Check(Write(fixture));
  ExpectFinished(result, "namespace");
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("  シリアル番号 1\n    ERR-005051 [要修正] P0000001.JPG："),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("写真枚数：1枚\nエラー\n   要修正：1件\n"), std::string::npos);
}

// An entry without a category still has its photo and drawings looked at.
TEST_F(BadMediumTest, EntryWithoutCategoryGetsItsFileChecks) {
  const struct {
    std::string what;
    std::vector<std::pair<std::string, std::string>> files;
    std::string finding;
  } cases[] = {
      {"missing photo", {}, "    ERR-005051 [要修正] P0000001.JPG："},
      {"text named like a photo",
       {{"PHOTO/PIC/P0000001.JPG", "not a photo"}},
       "    ERR-005055 [要修正] 工事写真ファイルにEXIF情報がありません。\n"},
      {"missing drawing",
       {{"PHOTO/PIC/P0000001.JPG", test::MinimalPhotoBytes()}},
       "    ERR-005051 [要修正] D0000001.TIF："},
  };
  for (const auto& c : cases) {
    FixtureMedium fixture;
    fixture.writePhotoFiles = false;
    fixture.files = c.files;
    if (c.what == "missing drawing") fixture.entries[0].drawings = {"D0000001.TIF"};
    const auto result = Check(Write(fixture, "媒体_" + std::to_string(&c - cases)));
    ExpectFinished(result, c.what);
    EXPECT_EQ(result.exitCode, 1) << c.what << "\n" << result.out;
    EXPECT_NE(result.out.find("  シリアル番号 1\n" + c.finding), std::string::npos)
        << c.what << "\n"
        << result.out;
  }
}

// UTF-16 text declaring UTF-8, a declaration naming its encoding only in a comment, and NUL
// bytes after the root element: none of them loads.
TEST_F(BadMediumTest, FilesNotInTheEncodingTheyDeclare) {
  const std::string photoXml = test::PhotoXmlText(FixtureMedium{});
  std::string utf16 = "\xFF\xFE";
  for (const char16_t unit : Utf8ToUtf16(photoXml)) {
    utf16.push_back(static_cast<char>(unit & 0xFF));
    utf16.push_back(static_cast<char>(unit >> 8));
  }
  std::string inComment = photoXml;
  inComment.replace(0, inComment.find('\n'), "<?xml version=\"1.0\"?><!-- UTF-8 -->");
  const struct {
    std::string what;
    std::string bytes;
    std::string line;
  } cases[] = {
      {"UTF-16 declaring UTF-8", utf16,
       "  ERR-005025 [要修正] XMLファイルのバイトオーダーマーク（BOM）が、ヘッダーに指定されている"
       "文字コードと一致しません。\n"},
      {"UTF-8 only in a comment", inComment,
       "  ERR-005025 [要修正] XMLファイルヘッダーに文字コード情報が記述されていません。\n"},
      {"NUL bytes after the root element", photoXml + std::string(64, '\0'),
       "  ERR-005023 [要修正] XMLファイルにNUL文字（0x00）が含まれています。 (PHOTO.XML)\n"},
  };
  for (const auto& c : cases) {
    FixtureMedium fixture;
    fixture.files = {{"PHOTO/PHOTO.XML", c.bytes}};
    const auto result = Check(Write(fixture, "媒体_" + std::to_string(&c - cases)));
    ExpectFinished(result, c.what);
    EXPECT_EQ(result.exitCode, 2) << c.what;
    EXPECT_NE(result.out.find(c.line + "\n写真枚数：0枚\nエラー\n   要修正：1件\n"),
              std::string::npos)
        << c.what << "\n"
        << result.out;
  }
}

TEST_F(BadMediumTest, DeeplyNestedXml) {
  std::string nested;
  for (int i = 0; i < 100000; ++i) nested += "<付加情報>";
  FixtureMedium fixture;
  std::string xml = test::PhotoXmlText(fixture);
  xml.insert(xml.find("</写真データ>"), nested);
  fixture.files = {{"PHOTO/PHOTO.XML", xml}};
  const auto result = Check(Write(fixture));
  ExpectFindings(result, "deeply nested XML", 2, {"ERR-005023"});
}

TEST_F(BadMediumTest, EntityExpansionBombEndsInBoundedTime) {
  std::string subset = "<!ENTITY a0 \"ばくだんばくだん\">";
  for (int i = 1; i <= 12; ++i) {
    subset += "<!ENTITY a" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) subset += "&a" + std::to_string(i - 1) + ";";
    subset += "\">";
  }
  const auto fixture = WithPhotoXml(subset, "&a12;");
  const auto start = std::chrono::steady_clock::now();
  const auto result = Check(Write(fixture));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  // Expanded, the title would be 8 × 10^12 characters.
  EXPECT_LT(result.peakMemoryKiB, 512 * 1024);
  ExpectFindings(result, "entity bomb", 2, {"ERR-005023"});
  EXPECT_EQ(result.out.find("ばくだんばくだんばくだん"), std::string::npos);
}

// A drawing of two million images, 12 MB of IFDs without entries that keep the first one's good
// values: the check goes no further than the cap of images and its memory does not grow with
// the chain (the chain kept in memory would take more than 100 MB).
TEST_F(BadMediumTest, DrawingOfMillionsOfImagesKeepsMemoryBounded) {
  const std::vector<test::TiffEntry> good = {test::Short(259, 4), test::Rational(282, 200, 1),
                                             test::Rational(283, 200, 1)};
  const std::size_t images[] = {1, 2'000'000};
  // Both media are written before either check: a forked process starts with the peak memory
  // of this one, which must be the same for both.
  fs::path media[2];
  for (int i = 0; i < 2; ++i) {
    FixtureMedium fixture;
    fixture.entries[0].category = "施工状況写真";
    fixture.entries[0].drawings = {"D0000001.TIF"};
    fixture.files = {{"PHOTO/DRA/D0000001.TIF", test::TiffChainBytes(good, images[i])}};
    media[i] = Write(fixture, "媒体" + std::to_string(i));
  }
  long peakKiB[2] = {};
  for (int i = 0; i < 2; ++i) {
    const auto result = Check(media[i]);
    ExpectFinished(result, "drawing of " + std::to_string(images[i]) + " images");
    EXPECT_EQ(result.out.find("[要確認] 圧縮形式が異なります。") != std::string::npos, i == 1)
        << result.out;
    peakKiB[i] = result.peakMemoryKiB;
  }
  EXPECT_LT(peakKiB[1] - peakKiB[0], 16 * 1024);
}

TEST_F(BadMediumTest, ExternalEntityOutsideTheMediumIsRefused) {
  const auto secret = m_dir.path() / "秘密.txt";
  test::WriteBytes(secret, "SECRET-OUTSIDE-THE-MEDIUM");
  for (const std::string& target : {secret.string(), std::string("../../秘密.txt")}) {
    const auto fixture = WithPhotoXml("<!ENTITY outside SYSTEM \"" + target + "\">", "&outside;");
    const auto result = Check(Write(fixture, "媒体_" + std::to_string(target.size())));
    ExpectFindings(result, "external entity " + target, 2, {"ERR-005023"});
    EXPECT_EQ(result.out.find("SECRET-OUTSIDE"), std::string::npos) << result.out;
    EXPECT_EQ(result.err.find("SECRET-OUTSIDE"), std::string::npos) << result.err;
  }
}

// Every file and folder below the folder with its kind, contents and modification time.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat info {};
    ::lstat(entry.path().c_str(), &info);
    std::string state = std::to_string(info.st_mode) + " " + std::to_string(info.st_mtim.tv_sec) +
                        "." + std::to_string(info.st_mtim.tv_nsec);
    if (entry.is_regular_file()) state += " " + test::ReadBytes(entry.path());
    files[fs::relative(entry.path(), folder).string()] = state;
  }
  struct stat root {};
  ::lstat(folder.c_str(), &root);
  files["."] = std::to_string(root.st_mtim.tv_sec) + "." + std::to_string(root.st_mtim.tv_nsec);
  return files;
}

TEST_F(BadMediumTest, ReadOnlyMediumIsLeftUnchanged) {
  const auto library = fs::path(KESTROVA_TEST_PROGRAM_DIR) / "libJACIC_CheckHash.so";
  if (fs::exists(library)) fs::copy_file(library, m_program / library.filename());
  // The broken photo has no EXIF information under every guideline; the good one is unsealed
  // under 平成29 and has a pixel count outside the older guideline's range.
  const struct {
    std::string guideline;
    std::vector<std::string> codes;
  } cases[] = {
      {"Varnelia平成28年7月", {"ERR-005055"}},
      {"Varnelia平成29年7月", {"ERR-005058", "ERR-005055"}},
      {"Varnelia平成24年7月", {"ERR-005053", "ERR-005055"}},
  };
  for (const auto& [guideline, codes] : cases) {
    FixtureMedium fixture = WithPhoto(FixtureImage("es_Canon_40D.jpg"));
    fixture.guideline = guideline;
    fixture.entries.push_back(fixture.entries[0]);
    fixture.entries[1].serial = "2";
    fixture.entries[1].fileName = "P0000002.JPG";
    fixture.files.push_back({"PHOTO/PIC/P0000002.JPG", "broken"});
    const auto medium = Write(fixture, "媒体_" + guideline);
    for (const auto& entry : fs::recursive_directory_iterator(medium)) {
      fs::permissions(entry.path(),
                      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
    }
    fs::permissions(medium, fs::perms::owner_write | fs::perms::group_write,
                    fs::perm_options::remove);
    const auto before = Snapshot(medium);
    ExpectFindings(Check(medium), guideline, 1, codes);
    EXPECT_EQ(Snapshot(medium), before) << guideline;
  }
}

}  // namespace
}  // namespace kestrova
