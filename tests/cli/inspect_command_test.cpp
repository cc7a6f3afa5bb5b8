#include "inspect_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "json_output.h"

#include "image/image_bytes.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using namespace test;

// The lines printed for the files, each parsed.
std::vector<Json> Inspect(const std::vector<std::string>& files) {
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* out = ::open_memstream(&buffer, &size);
  EXPECT_EQ(RunInspect(files, out), 0);
  std::fclose(out);
  std::istringstream text(std::string(buffer, size));
  std::free(buffer);
  std::vector<Json> lines;
  for (std::string line; std::getline(text, line);) lines.push_back(Json::parse(line));
  return lines;
}

class InspectCommandTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteBytes(m_dir.path() / name, bytes);
    return (m_dir.path() / name).string();
  }
  ScratchDir m_dir;
};

TEST_F(InspectCommandTest, OneLinePerFileByKind) {
  const std::vector<TiffEntry> exif = {Undefined(0x9000, "0230"), Ascii(0xA002, "1\"\x7F\\"),
                                       Short(0xA003, 960)};
  const std::string photo =
      Write("写真.jpg",
            Jpeg(App1Exif(TiffBytes({true, {{Pointer(0x8769)}, exif}})) + Frame(0xC0, 1280, 960)));
  const std::string drawing =
      Write("d.tif", TiffBytes({false,
                                {{Short(259, 4), Rational(282, 200, 1), Rational(283, 0, 0)},
                                 {Rational(282, 29664, 100), Short(296, 3)}},
                                true}));
  const std::string text = Write("notes.txt", "hello");
  const std::vector<Json> expected = {{{"file", photo},
                                       {"kind", "jpeg"},
                                       {"found", true},
                                       {"exifVersion", "V 2.3"},
                                       {"pixelX", "1\"\x7F\\"},
                                       {"pixelY", "960"},
                                       {"frameWidth", 1280},
                                       {"frameHeight", 960},
                                       {"hasGnss", false}},
                                      {{"file", drawing},
                                       {"kind", "tiff"},
                                       {"ok", true},
                                       {"records",
                                        {{{"xResolution", 200},
                                          {"yResolution", nullptr},
                                          {"compression", 4},
                                          {"resolutionUnit", 2}},
                                         {{"xResolution", 296.64},
                                          {"yResolution", nullptr},
                                          {"compression", 4},
                                          {"resolutionUnit", 3}}}}},
                                      {{"file", text}, {"kind", "other"}}};
  EXPECT_EQ(Inspect({photo, drawing, text}), expected);
}

TEST_F(InspectCommandTest, UnreadableFilesStillGetTheirLine) {
  std::filesystem::create_directory(m_dir.path() / "folder.JPG");
  const std::string folder = (m_dir.path() / "folder.JPG").string();
  const std::string tiff = (m_dir.path() / "missing.tiff").string();
  const std::string bigTiff = Write("big.tif", std::string("MM\0\x2B\0\x08\0\0", 8));
  const Json notFound = {{"kind", "jpeg"},   {"found", false},  {"exifVersion", ""},
                         {"pixelX", ""},     {"pixelY", ""},    {"frameWidth", 0},
                         {"frameHeight", 0}, {"hasGnss", false}};
  Json folderLine = {{"file", folder}};
  folderLine.update(notFound);
  const Json notOk = {{"kind", "tiff"}, {"ok", false}, {"records", Json::array()}};
  Json tiffLine = {{"file", tiff}};
  tiffLine.update(notOk);
  Json bigTiffLine = {{"file", bigTiff}};
  bigTiffLine.update(notOk);
  const std::vector<Json> expected = {
      folderLine, tiffLine, bigTiffLine, {{"file", "a\tb"}, {"kind", "other"}}};
  EXPECT_EQ(Inspect({folder, tiff, bigTiff, "a\tb"}), expected);
}

// Names beyond the basic plane and names that are not UTF-8 still give a line that a JSON reader
// takes: the first as it is, the second with U+FFFD for the bytes that do not decode.
TEST_F(InspectCommandTest, FileNamesOfAnyKindGiveValidJson) {
  const std::string emoji = Write("p\xF0\x9F\x98\x80.jpg", "hello");
  const std::string shiftJis = Write("\x83\x65\x83\x58.txt", "hello");
  const std::vector<Json> lines = Inspect({emoji, shiftJis});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]["file"], emoji);
  EXPECT_EQ(lines[0]["kind"], "other");
  EXPECT_EQ(lines[1]["file"], (m_dir.path() / "\xEF\xBF\xBD"
                                              "e"
                                              "\xEF\xBF\xBD"
                                              "X.txt")
                                  .string());
}

}  // namespace
}  // namespace kestrova
