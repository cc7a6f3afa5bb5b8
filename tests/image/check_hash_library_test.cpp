// The tamper-check library of the program folder together with the tool that seals photos.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "image/check_hash_module.h"
#include "image/image_bytes.h"
#include "platform/program_folder.h"
#include "platform/text_encoding.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using namespace test;

const std::string kSignTool = std::string(KESTROVA_TEST_PROGRAM_DIR) + "/kestrova-sign";

CommandResult RunSign(const std::vector<std::string>& args) {
  return CheckerProcess(args, {}, kSignTool).Wait();
}

// The tool's exit status.
int RunSignTool(const std::vector<std::string>& args) { return RunSign(args).exitCode; }

// A record segment of the given version and body, as the library expects it after SOI.
std::string RecordSegment(std::uint8_t version, const std::string& body) {
  return Segment(0xEF, std::string("KestrovaSeal\0", 13) + static_cast<char>(version) + body);
}

std::string Photo() {
  return Jpeg(App0Jfif() + App1Exif(TiffBytes({true, {{Short(0x0112, 1)}}})) + Frame(0xC0, 64, 48));
}

// Writes the photo with 32 MB of scan data, a megabyte at a time: a process forked afterwards
// starts with the peak memory of this one, which stays small.
void WriteLargePhoto(const std::filesystem::path& path) {
  const std::string photo = Photo();
  std::ofstream out(path, std::ios::binary);
  out << photo.substr(0, photo.size() - 2);
  const std::string megabyte(1 << 20, '\x5A');
  for (int i = 0; i < 32; ++i) out << megabyte;
  out << photo.substr(photo.size() - 2);
}

// Names of the folder's files that the tool left behind: its temporary files start with a dot.
std::vector<std::string> LeftTemporaryFiles(const std::filesystem::path& folder) {
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(".kestrova-sign")) left.push_back(name);
  }
  return left;
}

class CheckHashLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramFolder(Utf8ToUtf16(KESTROVA_TEST_PROGRAM_DIR));
    ASSERT_TRUE(LoadCheckHashModule());
  }
  void TearDown() override {
    FreeCheckHashModule();
    SetProgramFolder(m_savedFolder);
  }
  std::string PathOf(const std::string& name) { return (m_dir.path() / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteBytes(m_dir.path() / name, bytes);
    return PathOf(name);
  }
  std::string Sealed(const std::string& name, const std::string& bytes) {
    const std::string source = Write("source.jpg", bytes);
    EXPECT_EQ(RunSignTool({source, PathOf(name)}), 0);
    return PathOf(name);
  }
  static std::int32_t Check(const std::string& path) { return g_pfnCheckHashValue(path.c_str()); }

  const std::u16string m_savedFolder = ProgramFolder();
  ScratchDir m_dir;  // its name is Japanese: the path arrives as UTF-8
};

TEST_F(CheckHashLibraryTest, SealedPhotoIsIntactAndNeverWritten) {
  const std::string path = Sealed("P0000001.JPG", Photo());
  const std::string before = ReadBytes(path);
  struct stat infoBefore {};
  ::stat(path.c_str(), &infoBefore);
  EXPECT_EQ(Check(path), 1);
  struct stat infoAfter {};
  ::stat(path.c_str(), &infoAfter);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(infoAfter.st_mtim.tv_nsec, infoBefore.st_mtim.tv_nsec);
  EXPECT_EQ(infoAfter.st_mtim.tv_sec, infoBefore.st_mtim.tv_sec);
  // The record sits after the application segments; the rest is unchanged.
  const std::string photo = Photo();
  const size_t at = photo.find("\xFF\xC0");
  EXPECT_EQ(before.substr(0, at), photo.substr(0, at));
  EXPECT_EQ(before.substr(before.size() - (photo.size() - at)), photo.substr(at));
}

TEST_F(CheckHashLibraryTest, SealingInPlaceAndAgainKeepsOneRecord) {
  const std::string path = Write("P0000002.JPG", Photo());
  ASSERT_EQ(RunSignTool({path}), 0);
  const std::string once = ReadBytes(path);
  ASSERT_EQ(RunSignTool({path}), 0);
  EXPECT_EQ(ReadBytes(path), once);
  EXPECT_EQ(Check(path), 1);
}

TEST_F(CheckHashLibraryTest, AnyChangedByteCountsAsAltered) {
  const std::string sealed = ReadBytes(Sealed("P0000003.JPG", Photo()));
  // Every byte outside the marker, length and identifier of the record: header segments, the
  // version and digest of the record, the frame and the scan data.
  const size_t record = sealed.find("KestrovaSeal") - 4;
  for (size_t i = 2; i < sealed.size() - 2; ++i) {
    if (i >= record && i < record + 4 + 13) continue;
    std::string changed = sealed;
    changed[i] = static_cast<char>(changed[i] ^ 0x01);
    const std::int32_t result = Check(Write("changed.jpg", changed));
    if (i == record + 4 + 13) {
      EXPECT_EQ(result, -1);  // the version byte itself: a version that cannot be verified
    } else {
      // 0, or -1 when the change breaks the segment walk before the record.
      EXPECT_TRUE(result == 0 || result == -1) << i;
    }
  }
  EXPECT_EQ(Check(Write("appended.jpg", sealed + "x")), 0);
}

TEST_F(CheckHashLibraryTest, SegmentsAcrossTheLibrarysReadsAreWalkedWhole) {
  // The second application segment and the record after it lie across and beyond the first
  // 64 KB the library reads at once.
  const std::string photo = Jpeg(App0Jfif() + Segment(0xE2, std::string(65000, 'a')) +
                                 Segment(0xE3, std::string(3000, 'b')) + Frame(0xC0, 64, 48));
  const std::string sealed = ReadBytes(Sealed("P0000009.JPG", photo));
  ASSERT_GT(sealed.find("KestrovaSeal"), std::size_t{65536});
  EXPECT_EQ(Check(PathOf("P0000009.JPG")), 1);
  for (const std::size_t at : {std::size_t{65530}, std::size_t{65540}, sealed.size() - 40}) {
    std::string changed = sealed;
    changed[at] = static_cast<char>(changed[at] ^ 0x01);
    EXPECT_EQ(Check(Write("changed.jpg", changed)), 0) << at;
  }
}

TEST_F(CheckHashLibraryTest, VerdictsOfFilesThatCannotBeJudged) {
  const std::string photo = Photo();
  const std::string afterSoi = photo.substr(2);
  EXPECT_EQ(Check(Write("plain.jpg", photo)), -1);
  EXPECT_EQ(
      Check(Write("version2.jpg", "\xFF\xD8" + RecordSegment(2, std::string(32, 'a')) + afterSoi)),
      -1);
  EXPECT_EQ(Check(Write("cut.jpg", "\xFF\xD8" + RecordSegment(1, "short") + afterSoi)), 0);
  EXPECT_EQ(Check(Write("bare.jpg",
                        "\xFF\xD8" + Segment(0xEF, std::string("KestrovaSeal\0", 13)) + afterSoi)),
            0);
  // A record behind the scan data is no record.
  EXPECT_EQ(Check(Write("late.jpg", photo + RecordSegment(1, std::string(32, 'a')))), -1);
  EXPECT_EQ(Check(Write("tiff.jpg", "II*\0" + photo)), -2);
  EXPECT_EQ(Check(Write("empty.jpg", "")), -2);
  EXPECT_EQ(Check(PathOf("missing.jpg")), -2);
  EXPECT_EQ(Check(m_dir.path().string()), -2);
  EXPECT_EQ(g_pfnCheckHashValue(nullptr), -2);
  const std::string pipe = PathOf("pipe.jpg");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(Check(pipe), -2);
  if (::geteuid() != 0) {  // root reads any file
    const std::string locked = Sealed("locked.jpg", photo);
    ::chmod(locked.c_str(), 0);
    EXPECT_EQ(Check(locked), -2);
  }
}

// An edited photo whose record then gets another version byte is never judged intact nor let
// pass: the record cannot be verified, so the photo counts as having none.
TEST_F(CheckHashLibraryTest, EditedPhotoWithAnotherRecordVersionHasNoUsableRecord) {
  std::string edited = ReadBytes(Sealed("P0000004.JPG", Photo()));
  edited[edited.size() - 3] = static_cast<char>(edited[edited.size() - 3] ^ 0x01);
  const size_t version = edited.find("KestrovaSeal") + 13;
  for (const int other : {0, 2, 255}) {
    edited[version] = static_cast<char>(other);
    EXPECT_EQ(Check(Write("edited.jpg", edited)), -1) << other;
  }
}

TEST_F(CheckHashLibraryTest, SignToolRefusesWhatIsNotAJpeg) {
  const std::string source = Write("drawing.tif", std::string("II*\0rest", 8));
  EXPECT_EQ(RunSignTool({source, PathOf("out.jpg")}), 65);
  EXPECT_FALSE(std::filesystem::exists(m_dir.path() / "out.jpg"));
  EXPECT_EQ(RunSignTool({PathOf("missing.jpg")}), 74);
  EXPECT_EQ(RunSignTool({}), 64);
  EXPECT_EQ(ReadBytes(source), std::string("II*\0rest", 8));
}

TEST_F(CheckHashLibraryTest, SignToolHelpAndUsage) {
  for (const std::string option : {"--help", "-h"}) {
    const CommandResult help = RunSign({option});
    EXPECT_EQ(help.exitCode, 0) << option;
    EXPECT_TRUE(help.out.starts_with("usage: kestrova-sign FILE\n")) << help.out;
    EXPECT_NE(help.out.find("Exit status: 0 sealed, 64 usage error"), std::string::npos);
    EXPECT_EQ(help.err, "");
  }
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--frobnicate", PathOf("a.jpg")},
        {PathOf("a.jpg"), PathOf("b.jpg"), PathOf("c.jpg")},
        {"--"}}) {
    const CommandResult usage = RunSign(args);
    EXPECT_EQ(usage.exitCode, 64) << args[0];
    EXPECT_TRUE(usage.err.starts_with("usage: kestrova-sign")) << usage.err;
  }
  // After "--" a name that starts with a dash is a file name.
  const std::string dashed = Write("-photo.jpg", Photo());
  EXPECT_EQ(RunSignTool({"--", dashed}), 0);
  EXPECT_EQ(Check(dashed), 1);
}

// A symbolic link as the file or the output stays a link; the file it names gets the seal. A
// link that names nothing is not written through.
TEST_F(CheckHashLibraryTest, SignToolSealsTheFileALinkNames) {
  namespace fs = std::filesystem;
  Write("photo.jpg", Photo());
  fs::create_directory(m_dir.path() / "sub");
  Write("sub/real.jpg", Photo());
  Write("sub/old.jpg", "not yet sealed");
  fs::create_symlink("sub/real.jpg", m_dir.path() / "link.jpg");
  fs::create_symlink("sub/old.jpg", m_dir.path() / "out.jpg");
  fs::create_symlink("nowhere.jpg", m_dir.path() / "dangling.jpg");

  EXPECT_EQ(RunSignTool({PathOf("link.jpg")}), 0);
  EXPECT_EQ(RunSignTool({PathOf("photo.jpg"), PathOf("out.jpg")}), 0);
  EXPECT_EQ(RunSignTool({PathOf("photo.jpg"), PathOf("dangling.jpg")}), 74);
  for (const auto& [link, target] : {std::pair{"link.jpg", "sub/real.jpg"},
                                     {"out.jpg", "sub/old.jpg"},
                                     {"dangling.jpg", "nowhere.jpg"}}) {
    EXPECT_TRUE(fs::is_symlink(m_dir.path() / link)) << link;
    EXPECT_EQ(fs::read_symlink(m_dir.path() / link), target) << link;
  }
  EXPECT_EQ(Check(PathOf("sub/real.jpg")), 1);
  EXPECT_EQ(Check(PathOf("sub/old.jpg")), 1);
  EXPECT_FALSE(fs::exists(m_dir.path() / "nowhere.jpg"));
  EXPECT_EQ(LeftTemporaryFiles(m_dir.path()), std::vector<std::string>{});
}

// The photo is streamed: sealing 32 MB takes no more memory than sealing a few hundred bytes.
TEST_F(CheckHashLibraryTest, SignToolMemoryDoesNotGrowWithThePhoto) {
  Write("small.jpg", Photo());
  WriteLargePhoto(PathOf("large.jpg"));
  const CommandResult small = RunSign({PathOf("small.jpg"), PathOf("small-out.jpg")});
  const CommandResult large = RunSign({PathOf("large.jpg"), PathOf("large-out.jpg")});
  ASSERT_EQ(small.exitCode, 0) << small.err;
  ASSERT_EQ(large.exitCode, 0) << large.err;
  EXPECT_EQ(Check(PathOf("large-out.jpg")), 1);
  EXPECT_LT(large.peakMemoryKiB - small.peakMemoryKiB, 8 * 1024);
}

// SIGINT or SIGTERM while the tool writes: it ends by the signal and removes its temporary file;
// the output is never made. A run that finished before the signal came is tried again.
TEST_F(CheckHashLibraryTest, SignToolRemovesItsTemporaryFileWhenInterrupted) {
  const std::string input = PathOf("large.jpg");
  WriteLargePhoto(input);
  for (const int signal : {SIGINT, SIGTERM}) {
    bool interrupted = false;
    for (int attempt = 0; attempt < 5 && !interrupted; ++attempt) {
      std::filesystem::remove(m_dir.path() / "out.jpg");
      CheckerProcess sign({input, PathOf("out.jpg")}, {}, kSignTool);
      siginfo_t running{};
      while (LeftTemporaryFiles(m_dir.path()).empty() &&
             ::waitid(P_PID, static_cast<id_t>(sign.pid()), &running,
                      WEXITED | WNOHANG | WNOWAIT) == 0 &&
             running.si_pid == 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      }
      ::kill(sign.pid(), signal);
      const CommandResult result = sign.Wait();
      interrupted = result.exitCode == 128 + signal;
      if (!interrupted) {
        EXPECT_EQ(result.exitCode, 0) << result.err;
      }
    }
    EXPECT_TRUE(interrupted) << signal;
    EXPECT_FALSE(std::filesystem::exists(m_dir.path() / "out.jpg")) << signal;
    EXPECT_EQ(LeftTemporaryFiles(m_dir.path()), std::vector<std::string>{}) << signal;
  }
}

}  // namespace
}  // namespace kestrova
