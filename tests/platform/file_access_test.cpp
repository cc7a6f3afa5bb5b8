// File names between the file system and the engine's texts, and names found ignoring letter case.
#include "platform/file_access.h"

#include <gtest/gtest.h>

#include "platform/text_encoding.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;

TEST(FileNameText, BytesThatAreNotUtf8RoundTripAndAreShownAsReplacement) {
  const struct {
    std::string bytes;
    std::u16string shown;
  } cases[] = {
      {"\x83\x65\x83\x58\x83\x67", u"\uFFFDe\uFFFDX\uFFFDg"},       // テスト in Shift_JIS
      {"\xE5\xAA\x92\xE4\xBD\x93", u"媒体"},                        // UTF-8 stays as it is
      {"a\xE5\xAA", u"a\uFFFD\uFFFD"},                              // cut short
      {"\xC0\xAF\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong, a surrogate
      {"\xF0\x9F\x93\xB7", u"\U0001F4F7"},
  };
  for (const auto& c : cases) {
    const std::u16string text = FromFsPath(fs::path(c.bytes));
    EXPECT_EQ(ToFsPath(text).native(), c.bytes);
    EXPECT_EQ(ShownText(text), c.shown);
    EXPECT_EQ(Utf16ToUtf8(text), Utf16ToUtf8(c.shown));
  }
  // Texts that do not come from a file name keep the old replacement.
  EXPECT_EQ(Utf8ToUtf16("\x83\x65"), u"\uFFFDe");
}

TEST(MediumFilePath, BackslashSeparatesOnlyInTheMediumsOwnPart) {
  EXPECT_EQ(MediumFilePath(u"/tmp/a\\b/", u"PHOTO\\PHOTO.XML"), u"/tmp/a\\b/PHOTO/PHOTO.XML");
  EXPECT_EQ(MediumFilePath(u"/tmp/a\\b", u"PHOTO.XML"), u"/tmp/a\\b/PHOTO.XML");
}

TEST(ResolvePathIgnoringCase, FolderIndexFollowsChangesDuringTheRun) {
  test::ScratchDir dir;
  const fs::path folder = dir.path() / "PIC";
  test::WriteBytes(folder / "P0000001.jpg", "x");
  const auto resolve = [&](const char* name) {
    const auto found = ResolvePathIgnoringCase(folder / name);
    return found ? found->filename().string() : std::string("(none)");
  };
  EXPECT_EQ(resolve("P0000001.JPG"), "P0000001.jpg");
  EXPECT_EQ(resolve("p0000002.JPG"), "(none)");
  // Changes made right after the folder was indexed, within its time stamp's resolution.
  fs::rename(folder / "P0000001.jpg", folder / "P0000001.Jpg");
  EXPECT_EQ(resolve("P0000001.JPG"), "P0000001.Jpg");
  fs::rename(folder / "P0000001.Jpg", folder / "P0000002.jpg");
  EXPECT_EQ(resolve("P0000001.JPG"), "(none)");
  EXPECT_EQ(resolve("p0000002.JPG"), "P0000002.jpg");
  // An exact name comes first; otherwise the first in listing order.
  test::WriteBytes(folder / "p0000002.jpg", "x");
  test::WriteBytes(folder / "P0000003.jpg", "x");
  test::WriteBytes(folder / "p0000003.jpg", "x");
  EXPECT_EQ(resolve("p0000002.jpg"), "p0000002.jpg");
  EXPECT_EQ(resolve("P0000003.JPG"), "P0000003.jpg");
  EXPECT_EQ(resolve("p0000003.JPG"), "P0000003.jpg");
  EXPECT_EQ(resolve("../pic/P0000003.jpg"), "P0000003.jpg");
}

TEST(RealPathBelow, AnswersAsCanonicalDoes) {
  test::ScratchDir dir;
  // The medium is named through a link; inside it a link to a folder of its own, a link out of
  // it, a link loop, a dangling link and a file where a folder is expected.
  const fs::path outside = dir.path() / "outside";
  const fs::path real = dir.path() / "real";
  test::WriteBytes(real / "PHOTO" / "PIC" / "P1.JPG", "x");
  test::WriteBytes(outside / "P2.JPG", "x");
  fs::create_directory_symlink(real, dir.path() / "medium");
  fs::create_directory_symlink("PIC", real / "PHOTO" / "SAME");
  fs::create_directory_symlink(outside, real / "PHOTO" / "OUT");
  fs::create_symlink("LOOP", real / "PHOTO" / "LOOP");
  fs::create_symlink("NOTHING", real / "PHOTO" / "DANGLING");
  const fs::path medium = dir.path() / "medium/";
  const fs::path realMedium = fs::canonical(medium);
  const char* cases[] = {"PHOTO/PIC/P1.JPG",
                         "PHOTO/SAME/P1.JPG",
                         "PHOTO/OUT/P2.JPG",
                         "PHOTO/./PIC/P1.JPG",
                         "PHOTO/PIC/../PIC/P1.JPG",
                         "PHOTO/PIC/P9.JPG",
                         "PHOTO/LOOP",
                         "PHOTO/DANGLING",
                         "PHOTO/PIC/P1.JPG/X",
                         "PHOTO",
                         ""};
  for (const char* relative : cases) {
    const fs::path path = medium / relative;
    std::error_code error;
    const fs::path expected = fs::canonical(path, error);
    const auto found = RealPathBelow(path, medium, realMedium);
    EXPECT_EQ(found.has_value(), !error) << relative;
    EXPECT_EQ(found.value_or(fs::path()), error ? fs::path() : expected) << relative;
  }
  // A path not written below the folder is resolved whole.
  EXPECT_EQ(RealPathBelow(outside / "P2.JPG", medium, realMedium),
            fs::canonical(outside / "P2.JPG"));
}

}  // namespace
}  // namespace kestrova
