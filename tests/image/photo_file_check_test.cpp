// The photo and drawing file checks: kestrova-check on media whose photo entries name real
// JPEG and TIFF files, and CheckPhotoFiles on its own for the choice of the rule rows.
#include "image/photo_file_check.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "image/check_hash_module.h"
#include "image/image_bytes.h"
#include "image/tiff_reader.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "run/run_globals.h"
#include "support/fixture_medium.h"
#include "support/guideline_scope.h"
#include "support/recording_host.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using test::FixtureEntry;
using test::FixtureMedium;

// A JPEG photo file: EXIF with version, pixel dimensions and optionally a GPS IFD holding
// GPSVersionID, then a baseline frame; padded with zero bytes after its end to size.
struct Photo {
  bool exif = true;
  std::string version = "0230";
  std::uint32_t exifWidth = 1280;
  std::uint32_t exifHeight = 960;
  std::uint16_t frameWidth = 1280;
  std::uint16_t frameHeight = 960;
  bool gnss = false;
  std::size_t size = 0;
};

std::string PhotoBytes(const Photo& photo) {
  using namespace test;
  std::string segments = App0Jfif();
  if (photo.exif) {
    std::vector<std::vector<TiffEntry>> ifds = {
        {Short(0x0112, 1), Pointer(0x8769)},
        {Undefined(0x9000, photo.version), Long(0xA002, photo.exifWidth),
         Long(0xA003, photo.exifHeight)}};
    if (photo.gnss) {
      ifds[0].push_back(Pointer(0x8825));
      ifds.push_back({Raw(0x0000, 1, 4, std::string("\x02\x03\0\0", 4))});
    }
    segments += App1Exif(TiffBytes({false, ifds}));
  }
  std::string bytes = Jpeg(segments + Frame(0xC0, photo.frameWidth, photo.frameHeight));
  if (bytes.size() < photo.size) bytes.resize(photo.size, '\0');
  return bytes;
}

// A single-image TIFF drawing.
struct Drawing {
  std::uint16_t compression = 4;
  std::uint16_t unit = 2;
  std::uint32_t x = 200;
  std::uint32_t y = 200;
  std::uint32_t denominator = 1;
  std::size_t size = 0;
};

std::string DrawingBytes(const Drawing& drawing) {
  using namespace test;
  std::string bytes =
      TiffBytes({false,
                 {{Short(259, drawing.compression), Rational(282, drawing.x, drawing.denominator),
                   Rational(283, drawing.y, drawing.denominator), Short(296, drawing.unit)}}});
  if (bytes.size() < drawing.size) bytes.resize(drawing.size, '\0');
  return bytes;
}

FixtureEntry Entry(int serial, const std::string& category,
                   std::vector<std::string> drawings = {}) {
  FixtureEntry entry;
  entry.serial = std::to_string(serial);
  char name[16];
  std::snprintf(name, sizeof name, "P%07d.JPG", serial);
  entry.fileName = name;
  entry.category = category;
  entry.drawings = std::move(drawings);
  return entry;
}

std::string PicFile(const FixtureEntry& entry) { return "PHOTO/PIC/" + entry.fileName; }

std::string Serial(int serial) { return "  シリアル番号 " + std::to_string(serial) + "\n"; }

std::string Finding(int code, bool mustFix, const std::string& sentence, const fs::path& file,
                    std::size_t indent = 24) {
  char head[32];
  std::snprintf(head, sizeof head, "    ERR-%06d ", code);
  return head + std::string(mustFix ? "[要修正] " : "[要確認] ") + sentence + "\n" +
         std::string(indent, ' ') + "[" + file.string() + "]\n";
}

std::string Missing(const std::string& name) {
  return "    ERR-005051 [要修正] " + name +
         "：PHOTO.XMLに記述されている写真ファイル名または、参考図ファイル名が存在しません。\n";
}

constexpr char kNoExif[] = "工事写真ファイルにEXIF情報がありません。";
constexpr char kOldExif[] = "工事写真ファイルのEXIFバージョンが古すぎます。";
constexpr char kCompression[] = "圧縮形式が異なります。";
constexpr char kResolution[] = "画素数が指定範囲外です。";
constexpr char kTooBig[] = "ファイルサイズが大きすぎます。";
constexpr char kTooManyPixels[] = "工事写真の画素数が1280×960Pixel以上になっています。";
constexpr char kPixelsChanged[] = "工事写真の画素数が変更された可能性があります。";
constexpr char kPixelsOutOfRange[] = "工事写真の画素数が1024～1280/768～1024以外になっています。";

std::string Gnss(const std::string& category) {
  return "写真区分：" + category + "の写真は、GNSS(GPS)情報が必要です。";
}

std::string Altered(const fs::path& file) {
  return Finding(5058, false, "工事写真ファイルは改ざんされています。", file, 33);
}

const fs::path kProgramDir = KESTROVA_TEST_PROGRAM_DIR;

class PhotoFileCheckTest : public ::testing::Test {
 protected:
  // A program folder holding the tamper-check library of testlibs/<library> ("real": the
  // library of the build; empty: none).
  fs::path Program(const std::string& library) {
    const fs::path program = test::CopyProgramFolder(m_dir.path() / ("プログラム" + library));
    const fs::path source = library == "real" ? kProgramDir / "libJACIC_CheckHash.so"
                                              : kProgramDir.parent_path() / "testlibs" / library /
                                                    "libJACIC_CheckHash.so";
    if (!library.empty()) fs::copy_file(source, program / "libJACIC_CheckHash.so");
    return program;
  }
  fs::path Write(const FixtureMedium& medium, const fs::path& program, const std::string& name) {
    const fs::path folder = m_dir.path() / "納品" / name;
    test::WriteFixtureMedium(folder, program, medium);
    return folder;
  }
  // The photo entry part of the log: everything between its stage line and the summary.
  static std::string EntryLog(const fs::path& medium, const fs::path& program, int exitCode) {
    const auto result = test::RunChecker({"--program-dir", program.string(), medium.string()});
    EXPECT_EQ(result.exitCode, exitCode) << result.out << result.err;
    const std::string stage = " ＊＊PHOTO.XMLの内容を調べています。\n";
    const std::size_t begin = result.out.find(stage);
    const std::size_t end = result.out.find("\n写真枚数");
    if (begin == std::string::npos || end == std::string::npos) return result.out;
    return result.out.substr(begin + stage.size(), end - begin - stage.size());
  }

  test::ScratchDir m_dir;
};

TEST_F(PhotoFileCheckTest, CurrentFormatFindings) {
  FixtureMedium fixture;
  fixture.entries = {
      Entry(1, "施工状況写真",
            {"D0000001.TIF", "D0000002.TIF", "D0000003.TIF", "D0000004.TIF", "D0000005.TIF",
             "D0000006.TIF", "D0000007.TIF", "D0000008.TIF", "D0000009.TIF"}),
      Entry(2, "施工状況写真"),
      Entry(3, "施工状況写真"),
      Entry(4, "施工状況写真"),
      Entry(5, "完成写真"),
      Entry(6, "完成写真"),
      Entry(7, "その他写真"),
      Entry(8, "その他写真"),
      Entry(9, "検査写真"),
      Entry(10, "災害写真"),
      Entry(11, "着手前写真")};
  fixture.entries[10].fileName = "p0000011.jpg";
  const auto& e = fixture.entries;
  fixture.files = {
      {PicFile(e[0]), PhotoBytes({.size = 1'100'000})},  // no size rule under 平成28
      {PicFile(e[2]), PhotoBytes({.exif = false})},
      {PicFile(e[3]), PhotoBytes({.version = std::string("0200")})},
      {PicFile(e[4]), PhotoBytes({})},
      {PicFile(e[5]), PhotoBytes({.gnss = true})},
      {PicFile(e[6]),
       PhotoBytes(
           {.exifWidth = 2000, .exifHeight = 1500, .frameWidth = 2000, .frameHeight = 1500})},
      {PicFile(e[7]), PhotoBytes({.exifWidth = 2000, .exifHeight = 1500})},
      {PicFile(e[8]),
       PhotoBytes({.exifWidth = 960, .exifHeight = 1280, .frameWidth = 960, .frameHeight = 1280})},
      {PicFile(e[9]), PhotoBytes({.version = std::string("0210")})},
      {PicFile(e[10]), PhotoBytes({})},
      {"PHOTO/DRA/D0000001.TIF", DrawingBytes({})},
      {"PHOTO/DRA/D0000002.TIF", DrawingBytes({.compression = 1})},
      {"PHOTO/DRA/D0000003.TIF", DrawingBytes({.x = 201})},
      {"PHOTO/DRA/D0000004.TIF", DrawingBytes({.unit = 3, .x = 70, .y = 70})},
      {"PHOTO/DRA/D0000005.TIF", DrawingBytes({.unit = 3})},
      {"PHOTO/DRA/D0000006.TIF", "not a drawing"},
      {"PHOTO/DRA/D0000008.TIF", DrawingBytes({.x = 0, .y = 0, .denominator = 0})},
      {"PHOTO/DRA/D0000009.TIF", DrawingBytes({.unit = 1})},
  };
  // A photo under the "0" library: under 平成28 the library is not asked.
  const fs::path program = Program("0");
  const fs::path medium = Write(fixture, program, "平成28");
  fs::remove(medium / PicFile(e[1]));
  // Named in lower case in PHOTO.XML, upper case on the medium.
  fs::rename(medium / PicFile(e[10]), medium / "PHOTO/PIC/P0000011.JPG");

  const fs::path pic = medium / "PHOTO" / "PIC";
  const fs::path dra = medium / "PHOTO" / "DRA";
  EXPECT_EQ(EntryLog(medium, program, 1),
            Serial(1) + Finding(5052, false, kCompression, dra / "D0000002.TIF") +
                Finding(5053, false, kResolution, dra / "D0000003.TIF") +
                Finding(5053, false, kResolution, dra / "D0000005.TIF") +
                Finding(5052, false, kCompression, dra / "D0000006.TIF") + Missing("D0000007.TIF") +
                Finding(5052, false, kCompression, dra / "D0000009.TIF") + Serial(2) +
                Missing("P0000002.JPG") +  //
                Serial(3) + Finding(5055, true, kNoExif, pic / "P0000003.JPG") + Serial(4) +
                Finding(5055, true, kOldExif, pic / "P0000004.JPG") + Serial(5) +
                Finding(5057, false, Gnss("完成写真"), pic / "P0000005.JPG") + Serial(7) +
                Finding(5053, false, kTooManyPixels, pic / "P0000007.JPG") + Serial(8) +
                Finding(5053, false, kPixelsChanged, pic / "P0000008.JPG") + Serial(10) +
                Finding(5057, false, Gnss("災害写真"), pic / "P0000010.JPG"));
}

// A drawing whose images all pass passes up to the cap of images; one more makes it malformed.
// An image with the wrong compression is reported at once, however long the chain after it.
TEST_F(PhotoFileCheckTest, DrawingChainsEndAtTheCapOfImages) {
  FixtureMedium fixture;
  fixture.entries = {Entry(1, "施工状況写真", {"D0000001.TIF", "D0000002.TIF", "D0000003.TIF"})};
  const std::vector<test::TiffEntry> good = {test::Short(259, 4), test::Rational(282, 200, 1),
                                             test::Rational(283, 200, 1)};
  fixture.files = {
      {PicFile(fixture.entries[0]), PhotoBytes({})},
      {"PHOTO/DRA/D0000001.TIF", test::TiffChainBytes(good, kMaxTiffImages)},
      {"PHOTO/DRA/D0000002.TIF", test::TiffChainBytes(good, kMaxTiffImages + 1)},
      {"PHOTO/DRA/D0000003.TIF", test::TiffChainBytes({test::Short(259, 1)}, 100'000)},
  };
  const fs::path program = Program("");
  const fs::path medium = Write(fixture, program, "平成28");
  const fs::path dra = medium / "PHOTO" / "DRA";
  EXPECT_EQ(EntryLog(medium, program, 1),
            Serial(1) + Finding(5052, false, kCompression, dra / "D0000002.TIF") +
                Finding(5052, false, kCompression, dra / "D0000003.TIF"));
}

TEST_F(PhotoFileCheckTest, OlderFormatSizeRuleAndPixelRanges) {
  FixtureMedium fixture;
  fixture.ruleSet = "PHOT_KQ1";
  fixture.guideline = "Varnelia平成18年7月";
  fixture.entries = {Entry(1, "完成写真", {"D0000001.TIF", "D0000002.TIF"}),
                     Entry(2, "施工状況写真"), Entry(3, "着手前写真"), Entry(4, "検査写真")};
  const auto& e = fixture.entries;
  fixture.files = {
      {PicFile(e[0]), PhotoBytes({.size = 1'024'000})},
      {PicFile(e[1]), PhotoBytes({.size = 1'024'001})},
      {PicFile(e[2]),
       PhotoBytes(
           {.exifWidth = 2000, .exifHeight = 1500, .frameWidth = 2000, .frameHeight = 1500})},
      {PicFile(e[3]),
       PhotoBytes({.exifWidth = 2000, .exifHeight = 1500, .frameWidth = 1000, .frameHeight = 750})},
      {"PHOTO/DRA/D0000001.TIF", DrawingBytes({.size = 2'048'000})},
      {"PHOTO/DRA/D0000002.TIF", DrawingBytes({.size = 2'048'001})},
  };
  // Neither GNSS nor alteration is asked under the older format, whatever the library says.
  const fs::path program = Program("0");
  const fs::path medium = Write(fixture, program, "平成18");
  const fs::path pic = medium / "PHOTO" / "PIC";
  EXPECT_EQ(EntryLog(medium, program, 1),
            Serial(1) + Finding(5054, false, kTooBig, medium / "PHOTO" / "DRA" / "D0000002.TIF") +
                Serial(2) + Finding(5054, false, kTooBig, pic / "P0000002.JPG") + Serial(3) +
                Finding(5053, false, kPixelsOutOfRange, pic / "P0000003.JPG") + Serial(4) +
                Finding(5053, false, kPixelsChanged, pic / "P0000004.JPG"));
}

TEST_F(PhotoFileCheckTest, Guideline24SizeRuleByCategory) {
  FixtureMedium fixture;
  fixture.guideline = "Varnelia平成24年7月";
  fixture.entries = {Entry(1, "完成写真"), Entry(2, "検査写真"), Entry(3, "検査写真"),
                     Entry(4, "着手前写真")};
  const auto& e = fixture.entries;
  fixture.files = {
      {PicFile(e[0]), PhotoBytes({.exifWidth = 3000,
                                  .exifHeight = 2000,
                                  .frameWidth = 3000,
                                  .frameHeight = 2000,
                                  .gnss = true,
                                  .size = 2'000'000})},
      {PicFile(e[1]), PhotoBytes({.size = 1'024'001})},
      {PicFile(e[2]),
       PhotoBytes(
           {.exifWidth = 1024, .exifHeight = 1280, .frameWidth = 1024, .frameHeight = 1280})},
      {PicFile(e[3]),
       PhotoBytes({.exifWidth = 800, .exifHeight = 600, .frameWidth = 800, .frameHeight = 600})},
  };
  const fs::path program = Program("");
  const fs::path medium = Write(fixture, program, "平成24");
  const fs::path pic = medium / "PHOTO" / "PIC";
  EXPECT_EQ(EntryLog(medium, program, 1),
            Serial(2) + Finding(5054, false, kTooBig, pic / "P0000002.JPG") + Serial(4) +
                Finding(5053, false, kResolution, pic / "P0000004.JPG"));
}

// Under 平成29 every photo with GNSS information (or of a category that needs none) is put to
// the library; 0, -1 and -2 count as altered.
TEST_F(PhotoFileCheckTest, Guideline29AsksTheLibrary) {
  FixtureMedium fixture;
  fixture.guideline = "Varnelia平成29年7月";
  fixture.entries = {Entry(1, "施工状況写真"), Entry(2, "完成写真"), Entry(3, "完成写真")};
  const auto& e = fixture.entries;
  fixture.files = {{PicFile(e[0]), PhotoBytes({})},
                   {PicFile(e[1]), PhotoBytes({})},
                   {PicFile(e[2]), PhotoBytes({.gnss = true})}};
  for (const std::string library : {"1", "0", "-2", "-3"}) {
    SCOPED_TRACE(library);
    const fs::path program = Program(library);
    const fs::path medium = Write(fixture, program, "平成29_" + library);
    const fs::path pic = medium / "PHOTO" / "PIC";
    const std::string gnss =
        Serial(2) + Finding(5057, false, Gnss("完成写真"), pic / "P0000002.JPG");
    const bool altered = library == "0" || library == "-2";
    EXPECT_EQ(EntryLog(medium, program, 1), altered
                                                ? Serial(1) + Altered(pic / "P0000001.JPG") + gnss +
                                                      Serial(3) + Altered(pic / "P0000003.JPG")
                                                : gnss);
  }
}

// The library of the build on sealed photos: intact, altered after sealing, never sealed, and
// sealed but named in another letter case in PHOTO.XML.
TEST_F(PhotoFileCheckTest, Guideline29WithSealedPhotos) {
  const fs::path sealing = m_dir.path() / "封印";
  auto sealed = [&](const std::string& bytes) {
    test::WriteBytes(sealing / "in.jpg", bytes);
    const std::string command = "'" + (kProgramDir / "kestrova-sign").string() + "' '" +
                                (sealing / "in.jpg").string() + "' '" +
                                (sealing / "out.jpg").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return test::ReadBytes(sealing / "out.jpg");
  };
  std::string altered = sealed(PhotoBytes({.frameWidth = 1024}));
  altered[altered.find("\x12\x34\x56")] = '\x13';

  FixtureMedium fixture;
  fixture.guideline = "Varnelia平成29年7月";
  fixture.entries = {Entry(1, "施工状況写真"), Entry(2, "施工状況写真"), Entry(3, "施工状況写真"),
                     Entry(4, "施工状況写真")};
  fixture.entries[3].fileName = "p0000004.jpg";
  const auto& e = fixture.entries;
  fixture.files = {{PicFile(e[0]), sealed(PhotoBytes({}))},
                   {PicFile(e[1]), altered},
                   {PicFile(e[2]), PhotoBytes({})},
                   {PicFile(e[3]), sealed(PhotoBytes({}))}};
  const fs::path program = Program("real");
  const fs::path medium = Write(fixture, program, "平成29");
  fs::rename(medium / PicFile(e[3]), medium / "PHOTO/PIC/P0000004.JPG");
  const fs::path pic = medium / "PHOTO" / "PIC";
  EXPECT_EQ(EntryLog(medium, program, 1),
            Serial(2) + Altered(pic / "P0000002.JPG") + Serial(3) + Altered(pic / "P0000003.JPG"));
}

// The sample media of the repository: the 平成28 one checks clean, the sealed 平成29 one shows its
// one altered photo.
TEST(SampleMediaTest, CheckAsDescribed) {
  const fs::path examples = fs::path(KESTROVA_TEST_SOURCE_DIR) / "examples";
  EXPECT_EQ(test::RunChecker({(examples / "sample-medium").string()}).exitCode, 0);
  const fs::path sealed = examples / "sample-medium-h29";
  const auto result = test::RunChecker({sealed.string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find(Serial(5) + Altered(sealed / "PHOTO" / "PIC" / "P0000005.JPG") +
                            "\n写真枚数：12枚\nエラー\n   要修正：0件\n   要確認：1件\n"),
            std::string::npos)
      << result.out;
}

// CheckPhotoFiles with rules of its own: the first row whose pattern occurs in the name applies,
// items of other names are passed over, and an empty category skips only the checks that depend
// on it (the photo's EXIF information is still read).
TEST(PhotoFilesTest, RowsPatternsAndEmptyCategory) {
  test::ScratchDir dir;
  const fs::path medium = dir.path() / "媒体";
  test::WriteBytes(medium / "PHOTO" / "PIC" / "A_1.JPG", "");
  test::WriteBytes(medium / "PHOTO" / "SUB" / "B_1.JPG", "");
  test::WriteBytes(medium / "PHOTO" / "DRA" / "D_1.TIF", "");
  // Too many pixels for the row and larger than its size limit.
  test::WriteBytes(medium / "PHOTO" / "PIC" / "A_3.JPG",
                   PhotoBytes({.exifWidth = 10000, .frameWidth = 10000, .size = 2000}));
  const std::vector<ImgItem> saved = std::exchange(
      g_imageRules, {{u"OTHER", {{u"PHOTO/PIC", u"", u"TIFF", {u"", u""}, u""}}},
                     {u"PHOTO",
                      {{u"PHOTO/PIC", u"A_", u"JPEG", {u"0-9999/0-9999", u""}, u"1"},
                       {u"PHOTO\\SUB", u"_", u"JPEG", {u"0-9999/0-9999", u""}, u"1"}}},
                     {u"REFERENCE", {{u"PHOTO/DRA", u".TIF", u"TIFF", {u"", u""}, u"1"}}}});
  test::GuidelineScope scope(u"PHOT_KQ1", u"");
  struct Case {
    std::u16string photo;
    std::vector<std::u16string> drawings;
    std::u16string category;
    std::string log;
  };
  const fs::path dra = medium / "PHOTO" / "DRA";
  fs::create_directories(dra / "D_3.TIF");  // exists, but cannot be opened as a file
  const std::string drawingLines = Finding(5052, false, kCompression, dra / "D_1.TIF") +
                                   Finding(5053, false, kCompression, dra / "D_3.TIF");
  const std::vector<Case> cases = {
      {u"A_1.JPG", {}, u"", Finding(5055, true, kNoExif, medium / "PHOTO" / "PIC" / "A_1.JPG")},
      {u"A_2.JPG", {}, u"", Missing("A_2.JPG")},
      {u"A_3.JPG", {}, u"", ""},
      {u"A_3.JPG",
       {},
       u"施工状況写真",
       Finding(5053, false, kPixelsOutOfRange, medium / "PHOTO" / "PIC" / "A_3.JPG") +
           Finding(5054, false, kTooBig, medium / "PHOTO" / "PIC" / "A_3.JPG")},
      {u"B_1.JPG", {u"", u"D_1.TIF", u"D_3.TIF", u"D_1.JPG"}, u"", drawingLines},
      {u"A_1.JPG",
       {},
       u"施工状況写真",
       Finding(5055, true, kNoExif, medium / "PHOTO" / "PIC" / "A_1.JPG")},
      // A row of another folder than PHOTO/PIC gets no EXIF check.
      {u"B_1.JPG", {u"D_2.TIF"}, u"施工状況写真", Missing("D_2.TIF")},
      {u"C.JPG", {}, u"施工状況写真", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.photo));
    test::RecordingHost host;
    FindingCounters counters;
    std::u16string message;
    g_bSerialPending = 0;
    EXPECT_EQ(CheckPhotoFiles(c.photo, c.drawings, c.category, FromFsPath(medium) + u"/", message,
                              host, counters),
              c.log.empty() ? 0 : 1);
    EXPECT_EQ(Utf16ToUtf8(host.log), c.log);
  }
  g_imageRules = saved;
}

}  // namespace
}  // namespace kestrova
