#include "inspect_command.h"

#include <gtest/gtest.h>

#include "image/image_bytes.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using namespace test;

std::string Inspect(const std::vector<std::string>& files) {
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* out = ::open_memstream(&buffer, &size);
  EXPECT_EQ(RunInspect(files, out), 0);
  std::fclose(out);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
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
  EXPECT_EQ(Inspect({photo, drawing, text}),
            "{\"file\": \"" + photo +
                "\", \"kind\": \"jpeg\", \"found\": true, \"exifVersion\": \"V 2.3\", "
                "\"pixelX\": \"1\\\"\\u007f\\\\\", \"pixelY\": \"960\", \"frameWidth\": 1280, "
                "\"frameHeight\": 960, \"hasGnss\": false}\n"
                "{\"file\": \"" +
                drawing +
                "\", \"kind\": \"tiff\", \"ok\": true, \"records\": [{\"xResolution\": 200, "
                "\"yResolution\": null, \"compression\": 4, \"resolutionUnit\": 2}, "
                "{\"xResolution\": 296.64, \"yResolution\": null, \"compression\": 4, "
                "\"resolutionUnit\": 3}]}\n"
                "{\"file\": \"" +
                text + "\", \"kind\": \"other\"}\n");
}

TEST_F(InspectCommandTest, UnreadableFilesStillGetTheirLine) {
  std::filesystem::create_directory(m_dir.path() / "folder.JPG");
  const std::string folder = (m_dir.path() / "folder.JPG").string();
  const std::string tiff = (m_dir.path() / "missing.tiff").string();
  const std::string bigTiff = Write("big.tif", std::string("MM\0\x2B\0\x08\0\0", 8));
  EXPECT_EQ(Inspect({folder, tiff, bigTiff, "a\tb"}),
            "{\"file\": \"" + folder +
                "\", \"kind\": \"jpeg\", \"found\": false, \"exifVersion\": \"\", \"pixelX\": "
                "\"\", \"pixelY\": \"\", \"frameWidth\": 0, \"frameHeight\": 0, \"hasGnss\": "
                "false}\n"
                "{\"file\": \"" +
                tiff +
                "\", \"kind\": \"tiff\", \"ok\": false, \"records\": []}\n"
                "{\"file\": \"" +
                bigTiff +
                "\", \"kind\": \"tiff\", \"ok\": false, \"records\": []}\n"
                "{\"file\": \"a\\u0009b\", \"kind\": \"other\"}\n");
}

}  // namespace
}  // namespace kestrova
