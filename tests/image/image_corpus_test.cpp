// The reader on real photo and drawing files (tests/fixtures/images, see its README). The
// expected answers follow the reader's rules; they were compared with exiftool and tiffdump,
// and every case where those tools answer differently is explained beside it.
#include <gtest/gtest.h>

#include <cmath>

#include "image/exif_reader.h"
#include "image/image_bytes.h"
#include "image/tiff_reader.h"
#include "platform/text_encoding.h"

namespace kestrova {
namespace {

std::u16string Fixture(const char* name) {
  return Utf8ToUtf16(std::string(KESTROVA_TEST_SOURCE_DIR) + "/tests/fixtures/images/" + name);
}

struct JpegFixture {
  const char* file;
  bool found;
  std::u16string version;
  std::u16string pixelX;
  std::u16string pixelY;
  std::uint16_t frameWidth;
  std::uint16_t frameHeight;
  bool hasGnss;
};

const JpegFixture kJpegFixtures[] = {
    // Phone, MM, GPS; the frame is a 1 x 1 thumbnail-sized image while EXIF says 3024 x 2268.
    {"me_Issue_508.jpg", true, u"V 2.31", u"3024", u"2268", 1, 1, true},
    // GPS IFD with only GPSVersionID: that alone counts as GNSS information.
    {"es_Canon_40D.jpg", true, u"V 2.21", u"100", u"68", 100, 68, true},
    // PixelX/YDimension are SHORT with count 2: the text is the first value, exiftool shows
    // "100 0" and "78 0".
    {"es_Kodak_CX7530.jpg", true, u"V 2.21", u"100", u"78", 100, 78, true},
    // EXIF IFD without ExifVersion.
    {"es_Nikon_D70.jpg", true, u"", u"100", u"66", 100, 66, false},
    // Version 0210; EXIF 400 x 300, frame 120 x 90.
    {"me_Olympus_C2040Z.jpg", true, u"V 2.1", u"400", u"300", 120, 90, false},
    // Version 0100, below V 2.1; no pixel dimensions.
    {"me_FujiFilm_DS-7_1.jpg", true, u"V 1.0", u"", u"", 320, 240, false},
    // Only a non-Exif APP1 ("QVCI"): no EXIF, frame from SOF0.
    {"me_Casio_QV-7000SX.jpg", false, u"", u"", u"", 320, 240, false},
    // No APP1 at all; the frame is SOF1 (extended sequential), which only exiftool reads
    // (200 x 0): only SOF0 counts here.
    {"me_beach.jpg", false, u"", u"", u"", 0, 0, false},
    // Fuzzed: 0th IFD with 0 entries; the frame is SOF2 (exiftool: 193 x 31237).
    {"me_8e5e74dbf9b68a322fbb9512db837329.jpg", false, u"", u"", u"", 0, 0, false},
    // Fuzzed: byte order "\M"; exiftool finds no frame either.
    {"me_56d4a1bb53241f7c5ed6ab531320a542.jpg", false, u"", u"", u"", 0, 0, false},
    // Progressive (SOF2): frame 0 x 0 where exiftool reports 200 x 133. PixelX/Y are 0.
    {"es_32-lens_data.jpeg", true, u"V 2.21", u"0", u"0", 0, 0, true},
    // Junk bytes after an APP2: the frame walk stops at the first byte that is not FF (0 x 0;
    // exiftool resynchronises and reports 164 x 144). The segment walk takes any two bytes as a
    // marker, and the Exif APP1 comes first, so the EXIF part is read.
    {"me_issue_121.jpg", true, u"", u"164", u"144", 0, 0, false},
    // ExifVersion is ASCII "0220" (count 5) stored at an offset: the text is built from the
    // value field's bytes B6 02 00 00 and stops at the zero; exiftool reads "0220".
    {"es_33-type_error.jpg", true, u"V\u00B6\u0002.", u"2560", u"1600", 2560, 1600, false},
    // The Exif IFD pointer has field type ASCII: its value field is followed anyway (exiftool
    // refuses it). ExifVersion bytes 00 02 02 00 give "V" (exiftool: "0 2 2 0").
    {"es_30-type_error.jpg", true, u"V", u"3872", u"2403", 3872, 2403, false},
    // No Exif IFD pointer: the last 0th-IFD entry (Orientation 1, II) gives offset 1, inside the
    // file, so EXIF counts as found with no texts. exiftool has no Exif IFD here.
    {"es_landscape_1.jpg", true, u"", u"", u"", 600, 450, false},
    // The same with MM and a Copyright entry last (offset 176, inside a text).
    {"me_Issue_258_dotnet.jpg", true, u"", u"", u"", 1000, 500, false},
    // GPS pointer of count 0 whose value is the Exif IFD offset: read as a GPS IFD, none of its
    // tags is 0 to 31, so no GNSS (exiftool calls the GPS data empty).
    {"es_45-gps_ifd.jpg", true, u"V 2.3", u"1600", u"900", 1600, 900, false},
    // GPS IFD with only GPSAltitude 0/100; progressive frame (exiftool: 1280 x 1024).
    {"me_Issue_600_2.jpg", true, u"", u"", u"", 0, 0, true},
};

TEST(ImageCorpusTest, JpegFilesGiveTheExpectedAnswers) {
  for (const JpegFixture& f : kJpegFixtures) {
    SCOPED_TRACE(f.file);
    const ExifInfo expected{f.found,      f.version,     f.pixelX, f.pixelY,
                            f.frameWidth, f.frameHeight, f.hasGnss};
    EXPECT_EQ(test::Describe(ReadExifInfo(Fixture(f.file))), test::Describe(expected));
  }
}

struct TiffFixture {
  const char* file;
  bool ok;
  std::vector<DpiInfo> records;
};

const TiffFixture kTiffFixtures[] = {
    {"me_ecf22eaecaf11fc75938973745138868.tif", true, {{200, 200, 4, 2}}},
    {"it_smallliz.tif", true, {{100, 100, 6, 2}}},
    // Per centimetre: 11811/100.
    {"it_predictor-3-rgb-f32.tif", true, {{118.11f, 118.11f, 5, 3}}},
    // Chain 1024, 8, 856 (not in file order); IFDs 2 and 3 have no unit tag.
    {"me_d664a73588796b59191ad8628065f04a.tif",
     true,
     {{600, 600, 4, 2}, {150, 150, 6, 2}, {8, 8, 1, 2}}},
    // No resolution tags at all: the record holds 0 for both.
    {"it_fax4.tiff", true, {{0, 0, 4, 2}}},
    // BigTIFF (magic 43), which exiftool and tiffdump read.
    {"it_BigTIFFMotorola.tif", false, {}},
    // Fuzzed: a second Compression entry of type RATIONAL (300), which tiffdump lists and
    // exiftool ignores.
    {"me_m1-b127f0fb89daedea07abb50b9db2dfd9.tif", false, {}},
};

TEST(ImageCorpusTest, TiffFilesGiveTheExpectedRecords) {
  for (const TiffFixture& f : kTiffFixtures) {
    SCOPED_TRACE(f.file);
    ImageFile file(Fixture(f.file));
    ASSERT_TRUE(file.IsOpen());
    std::vector<DpiInfo> records;
    EXPECT_EQ(ReadTiffResolutions(file, records), f.ok);
    ASSERT_EQ(records.size(), f.records.size());
    for (size_t i = 0; i < records.size(); ++i) {
      EXPECT_NEAR(records[i].xResolution, f.records[i].xResolution, 0.01) << i;
      EXPECT_NEAR(records[i].yResolution, f.records[i].yResolution, 0.01) << i;
      EXPECT_EQ(records[i].compression, f.records[i].compression) << i;
      EXPECT_EQ(records[i].resolutionUnit, f.records[i].resolutionUnit) << i;
    }
  }
}

}  // namespace
}  // namespace kestrova
