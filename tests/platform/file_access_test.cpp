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

}  // namespace
}  // namespace kestrova
