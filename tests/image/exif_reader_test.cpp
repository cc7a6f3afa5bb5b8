#include "image/exif_reader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <ostream>

#include "image/image_bytes.h"
#include "platform/file_access.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using namespace test;

constexpr std::uint16_t kExifPointer = 0x8769;
constexpr std::uint16_t kGpsPointer = 0x8825;
constexpr std::uint16_t kVersion = 0x9000;
constexpr std::uint16_t kPixelX = 0xA002;
constexpr std::uint16_t kPixelY = 0xA003;

// A 0th IFD with the two pointers, an EXIF IFD and a GPS IFD.
std::string ExifTiff(bool be, const std::vector<TiffEntry>& exif,
                     const std::vector<TiffEntry>& gps) {
  std::vector<TiffEntry> zeroth = {Short(0x0112, 1), Pointer(kExifPointer)};
  std::vector<std::vector<TiffEntry>> ifds = {zeroth, exif};
  if (!gps.empty()) {
    ifds[0].push_back(Pointer(kGpsPointer));
    ifds.push_back(gps);
  }
  return TiffBytes({be, ifds});
}

std::vector<TiffEntry> ExifIfd(const std::string& version = "0230") {
  return {Undefined(kVersion, version), Short(kPixelX, 1280), Long(kPixelY, 960)};
}

std::string PhotoWith(const std::string& tiff) {
  return Jpeg(App0Jfif() + App1Exif(tiff) + Frame(0xC0, 1280, 960));
}

struct ExifCase {
  const char* name;
  std::function<std::string(bool bigEndian)> file;
  bool found;
  std::u16string version;
  std::u16string pixelX;
  std::u16string pixelY;
  bool hasGnss;
  std::uint16_t frameWidth = 1280;
  std::uint16_t frameHeight = 960;
};

const std::vector<ExifCase>& ExifCases() {
  static const std::vector<ExifCase> cases = {
      {"app0ThenExif", [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(), {})); }, true,
       u"V 2.3", u"1280", u"960", false},
      {"xmpApp1BeforeExif",
       [](bool be) {
         return Jpeg(App1Xmp() + App1Exif(ExifTiff(be, ExifIfd("0210"), {})) +
                     Frame(0xC0, 1280, 960));
       },
       true, u"V 2.1", u"1280", u"960", false},
      {"noApp1", [](bool) { return Jpeg(App0Jfif() + Frame(0xC0, 640, 480)); }, false, u"", u"",
       u"", false, 640, 480},
      {"onlyXmpApp1", [](bool) { return Jpeg(App1Xmp() + Frame(0xC0, 640, 480)); }, false, u"", u"",
       u"", false, 640, 480},
      {"progressiveFrame",
       [](bool be) { return Jpeg(App1Exif(ExifTiff(be, ExifIfd(), {})) + Frame(0xC2, 64, 48)); },
       true, u"V 2.3", u"1280", u"960", false, 0, 0},
      {"junkBeforeFrameStopsTheFrameWalk",
       [](bool be) {
         return Jpeg(App1Exif(ExifTiff(be, ExifIfd(), {})) + std::string(2, '\0') +
                     Frame(0xC0, 64, 48));
       },
       true, u"V 2.3", u"1280", u"960", false, 0, 0},
      // Version bytes: "V", blank for a leading "0", ".", a last "0" dropped, cut at a zero.
      {"version0100", [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd("0100"), {})); }, true,
       u"V 1.0", u"1280", u"960", false},
      {"version0221", [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd("0221"), {})); }, true,
       u"V 2.21", u"1280", u"960", false},
      {"versionBinaryBytes",
       [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(std::string("\0\x02\x02\0", 4)), {})); },
       true, u"V", u"1280", u"960", false},
      {"versionWithoutValue",
       [](bool be) {
         return PhotoWith(ExifTiff(be, {Field(kVersion, 7, 0, 0x30323130), Short(kPixelX, 5)}, {}));
       },
       true, u"", u"5", u"", false},
      {"pixelDimensionsAsLongAndShort",
       [](bool be) {
         return PhotoWith(ExifTiff(be, {Long(kPixelX, 1280), Short(kPixelY, 1280)}, {}));
       },
       true, u"", u"1280", u"1280", false},
      {"pixelDimensionsAsRationalAndAscii",
       [](bool be) {
         return PhotoWith(ExifTiff(be, {Rational(kPixelX, 5, 2), Ascii(kPixelY, "2048x")}, {}));
       },
       true, u"", u"2.50", u"2048x", false},
      {"rationalZeroDenominatorReadsAsNoNumber",
       [](bool be) {
         return PhotoWith(ExifTiff(be, {Rational(kPixelX, 5, 0), Rational(kPixelY, 0, 0)}, {}));
       },
       true, u"", u"inf", u"nan", false},
      {"shortWithCountTwoGivesTheFirst",
       [](bool be) {
         return PhotoWith(ExifTiff(be, {Numbers(kPixelX, 3, 2, {100, 0})}, {}));
       },
       true, u"", u"100", u"", false},
      {"valueOffsetBeyondTheFileGivesNoText",
       [](bool be) {
         return PhotoWith(ExifTiff(be, {Field(kPixelX, 2, 10, 0xFFFFFF), Short(kPixelY, 7)}, {}));
       },
       true, u"", u"", u"7", false},
      // GNSS presence.
      {"gpsVersionIdOnly",
       [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(), {Raw(0, 1, 4, "\x02\x02")})); }, true,
       u"V 2.3", u"1280", u"960", true},
      {"gpsProcessingMethodAndAreaOnly",
       [](bool be) {
         return PhotoWith(ExifTiff(be, ExifIfd(), {Undefined(27, "GPS"), Undefined(28, "Tokyo")}));
       },
       true, u"V 2.3", u"1280", u"960", false},
      {"gpsAltitudeZeroOverZero",
       [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(), {Rational(6, 0, 0)})); }, true,
       u"V 2.3", u"1280", u"960", false},
      {"gpsAltitudeZeroOverHundred",
       [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(), {Rational(6, 0, 100)})); }, true,
       u"V 2.3", u"1280", u"960", true},
      {"gpsTrackWithZeroDenominator",
       [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(), {Rational(15, 7, 0)})); }, true,
       u"V 2.3", u"1280", u"960", true},
      {"gpsTagAbove31", [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(), {Short(40, 1)})); },
       true, u"V 2.3", u"1280", u"960", false},
      {"gpsLatitude",
       [](bool be) {
         return PhotoWith(ExifTiff(be, ExifIfd(), {Numbers(2, 5, 3, {35, 1, 41, 1, 2200, 100})}));
       },
       true, u"V 2.3", u"1280", u"960", true},
      {"gpsLatitudeWholeMinutesWithZeroSecondsDenominator",
       [](bool be) {
         return PhotoWith(ExifTiff(be, ExifIfd(), {Numbers(2, 5, 3, {35, 1, 41, 1, 0, 0})}));
       },
       true, u"V 2.3", u"1280", u"960", false},
      {"gpsLatitudeDecimalMinutesWithZeroSecondsDenominator",
       [](bool be) {
         return PhotoWith(ExifTiff(be, ExifIfd(), {Numbers(2, 5, 3, {35, 1, 4150, 100, 0, 0})}));
       },
       true, u"V 2.3", u"1280", u"960", true},
      {"gpsTimeStampWithZeroDenominator",
       [](bool be) {
         return PhotoWith(ExifTiff(be, ExifIfd(), {Numbers(7, 5, 3, {10, 1, 20, 1, 30, 0})}));
       },
       true, u"V 2.3", u"1280", u"960", false},
      {"gpsLatitudeRationalsBeyondTheFile",
       [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(), {Field(2, 5, 3, 0xFFFF00)})); }, true,
       u"V 2.3", u"1280", u"960", false},
      {"gpsMapDatumText",
       [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(), {Ascii(18, "WGS-84")})); }, true,
       u"V 2.3", u"1280", u"960", true},
      {"gpsMapDatumEmpty",
       [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(), {Ascii(18, "")})); }, true, u"V 2.3",
       u"1280", u"960", false},
      {"gpsEntryWithCountZero",
       [](bool be) { return PhotoWith(ExifTiff(be, ExifIfd(), {Field(1, 2, 0, 0x4E000000)})); },
       true, u"V 2.3", u"1280", u"960", false},
      // Failures of the EXIF part.
      {"gpsPointerBeyondTheFile",
       [](bool be) {
         return PhotoWith(TiffBytes(
             {be, {{Pointer(kExifPointer), Field(kGpsPointer, 4, 1, 0x7FFFFFF0)}, ExifIfd()}}));
       },
       false, u"", u"", u"", false},
      {"gpsPointerZeroMeansNoGps",
       [](bool be) {
         return PhotoWith(
             TiffBytes({be, {{Pointer(kExifPointer), Field(kGpsPointer, 4, 1, 0)}, ExifIfd()}}));
       },
       true, u"V 2.3", u"1280", u"960", false},
      {"noExifPointerFallsBackToTheLastValueField",
       [](bool be) {
         // The 0th IFD (8) holds one entry, so the next IFD starts at 8 + 2 + 12 + 4 = 26.
         return PhotoWith(TiffBytes({be, {{Field(0x8298, 2, 10, 26)}, ExifIfd("0220")}}));
       },
       true, u"V 2.2", u"1280", u"960", false},
      {"fallbackOffsetBeyondTheFile",
       [](bool be) {
         return PhotoWith(TiffBytes({be, {{Field(0x8298, 2, 10, 0x7FFFFFF0)}}}));
       },
       false, u"", u"", u"", false},
      {"laterPointerEntryCounts",
       [](bool be) {
         return PhotoWith(TiffBytes(
             {be, {{Field(kExifPointer, 4, 1, 0x7FFFFFF0), Pointer(kExifPointer)}, ExifIfd()}}));
       },
       true, u"V 2.3", u"1280", u"960", false},
      {"zerothIfdWithoutEntries",
       [](bool be) {
         return PhotoWith(TiffBytes({be, {{}}}));
       },
       false, u"", u"", u"", false},
      {"zerothIfdCount32768",
       [](bool be) {
         return PhotoWith((be ? "MM" : "II") + Put16(42, be) + Put32(8, be) + Put16(0x8000, be) +
                          std::string(24, '\0'));
       },
       false, u"", u"", u"", false},
      {"byteOrderNeitherIINorMM",
       [](bool be) {
         std::string tiff = ExifTiff(be, ExifIfd(), {});
         tiff[0] = '\\';
         return PhotoWith(tiff);
       },
       false, u"", u"", u"", false},
  };
  return cases;
}

// The test framework shows a case by its name, not by its bytes.
void PrintTo(const ExifCase& c, std::ostream* out) { *out << c.name; }

class ExifReaderTest : public ::testing::TestWithParam<ExifCase> {
 protected:
  ScratchDir m_dir;
};

TEST_P(ExifReaderTest, LittleAndBigEndianGiveTheSameAnswers) {
  const ExifCase& c = GetParam();
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "MM" : "II");
    const auto path = m_dir.path() / "写真.JPG";
    WriteBytes(path, c.file(bigEndian));
    const ExifInfo expected{c.found,      c.version,     c.pixelX, c.pixelY,
                            c.frameWidth, c.frameHeight, c.hasGnss};
    EXPECT_EQ(Describe(ReadExifInfo(FromFsPath(path))), Describe(expected));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ExifReaderTest, ::testing::ValuesIn(ExifCases()),
                         [](const auto& named) { return std::string(named.param.name); });

class ExifFileTest : public ::testing::Test {
 protected:
  std::u16string Write(const std::string& name, const std::string& bytes) {
    WriteBytes(m_dir.path() / name, bytes);
    return FromFsPath(m_dir.path() / name);
  }
  ScratchDir m_dir;
};

TEST_F(ExifFileTest, FindsTheExifSegmentBehindOtherSegments) {
  const std::string app0 = App0Jfif();
  const std::string tiff = ExifTiff(false, ExifIfd(), {});
  EXPECT_EQ(FindExifSegment(Write("a.jpg", Jpeg(app0 + App1Exif(tiff)))), 2 + app0.size());
  EXPECT_EQ(FindExifSegment(Write("b.jpg", Jpeg(App1Exif(tiff)))), 2u);
  EXPECT_EQ(FindExifSegment(Write("c.jpg", Jpeg(App1Xmp() + App1Exif(tiff)))),
            2 + App1Xmp().size());
  // Not a JPEG file, and a walk that runs off the end.
  EXPECT_EQ(FindExifSegment(Write("d.jpg", "GIF89a" + App1Exif(tiff))), std::nullopt);
  EXPECT_EQ(FindExifSegment(Write("e.jpg", std::string("\xFF\xD8\xFF\xE1\x00\x10"
                                                       "Exi",
                                                       9))),
            std::nullopt);
  EXPECT_EQ(FindExifSegment(Write("f.jpg", "")), std::nullopt);
}

TEST_F(ExifFileTest, RunsOfZerosAreWalkedTwoBytesAtATime) {
  // Through zeros the walk steps two bytes at a time from offset 2. After an odd number of
  // zeros it stops three bytes before the next byte, takes "00 03" as a length and lands on the
  // Exif segment; after an even number it takes "03 00" and jumps past it. Runs longer than a
  // read window, and a hole of a sparse file, give the same answers as short ones.
  const std::string rest = std::string("\x03\x00", 2) + App1Exif(ExifTiff(false, ExifIfd(), {}));
  for (const std::uint64_t zeros : {4u, 5u, 70000u, 70001u, 1u << 30, (1u << 30) + 1}) {
    SCOPED_TRACE(zeros);
    const auto path = m_dir.path() / "zeros.jpg";
    std::filesystem::remove(path);
    if (zeros < 100000) {
      WriteBytes(path, "\xFF\xD8" + std::string(zeros, '\0') + rest);
    } else {
      WriteBytes(path, "\xFF\xD8");
      std::filesystem::resize_file(path, 2 + zeros);
      std::ofstream(path, std::ios::binary | std::ios::app) << rest;
    }
    const auto found = FindExifSegment(FromFsPath(path));
    if (zeros % 2 == 1) {
      EXPECT_EQ(found, zeros + 4);
    } else {
      EXPECT_EQ(found, std::nullopt);
    }
    EXPECT_EQ(ReadExifInfo(FromFsPath(path)).found, zeros % 2 == 1);
  }
}

TEST_F(ExifFileTest, PathsMatchIgnoringLetterCase) {
  Write("P0000001.JPG", Jpeg(App1Exif(ExifTiff(true, ExifIfd(), {}))));
  EXPECT_TRUE(ReadExifInfo(FromFsPath(m_dir.path() / "p0000001.jpg")).found);
}

TEST_F(ExifFileTest, EveryCutOfAPhotoStaysWithinTheFile) {
  // Each prefix of a photo reads without error; the frame size appears only once the whole frame
  // header is there.
  const std::string photo =
      Jpeg(App0Jfif() + App1Exif(ExifTiff(true, ExifIfd(), {Raw(0, 1, 4, "\x02\x02")})) +
           Frame(0xC0, 1280, 960));
  const size_t frameEnd = photo.find("\xFF\xC0") + 9;
  for (size_t length = 0; length <= photo.size(); ++length) {
    const ExifInfo info = ReadExifInfo(Write("cut.jpg", photo.substr(0, length)));
    EXPECT_EQ(info.frameWidth, length >= frameEnd ? 1280 : 0) << length;
  }
}

TEST_F(ExifFileTest, FoldersPipesAndMissingFilesAreNotRead) {
  const auto folder = m_dir.path() / "DIR.JPG";
  std::filesystem::create_directory(folder);
  const auto pipe = m_dir.path() / "PIPE.JPG";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const auto& path : {folder, pipe, m_dir.path() / "NONE.JPG"}) {
    const ExifInfo info = ReadExifInfo(FromFsPath(path));
    EXPECT_FALSE(info.found);
    EXPECT_EQ(info.frameWidth, 0);
    EXPECT_EQ(FindExifSegment(FromFsPath(path)), std::nullopt);
  }
}

}  // namespace
}  // namespace kestrova
