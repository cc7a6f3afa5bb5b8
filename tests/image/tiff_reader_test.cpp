#include "image/tiff_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "image/image_bytes.h"
#include "platform/file_access.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

using namespace test;

std::vector<TiffEntry> Drawing(std::uint32_t dpi, std::uint16_t compression) {
  return {Short(256, 100), Short(259, compression), Rational(282, dpi, 1), Rational(283, dpi, 1),
          Short(296, 2)};
}

struct TiffCase {
  const char* name;
  TiffLayout layout;
  bool ok;
  std::vector<DpiInfo> records;
};

const std::vector<TiffCase>& TiffCases() {
  static const std::vector<TiffCase> cases = {
      {"twoIfds",
       {false, {Drawing(200, 4), Drawing(150, 1)}, true},
       true,
       {{200, 200, 4, 2}, {150, 150, 1, 2}}},
      {"centimetreUnitAndFraction",
       {false,
        {{Short(259, 4), Rational(282, 7000, 100), Rational(283, 1, 3), Short(296, 3)}},
        true},
       true,
       {{70, 1.0f / 3, 4, 3}}},
      // Missing tags keep the previous IFD's values; the unit goes back to 2.
      {"missingTagsKeepThePreviousValues",
       {false,
        {{Short(259, 4), Rational(282, 300, 1), Short(296, 3)}, {Rational(283, 150, 1)}},
        true},
       true,
       {{300, 0, 4, 3}, {300, 150, 4, 2}}},
      {"firstIfdWithoutTags", {false, {{Short(256, 10)}}, true}, true, {{0, 0, 1, 2}}},
      {"noIfd", {false, {}, true}, true, {}},
      {"xResolutionAsLong",
       {false, {Drawing(200, 4), {Long(282, 200)}}, true},
       false,
       {{200, 200, 4, 2}}},
      {"compressionAsLong", {false, {{Long(259, 4)}}, true}, false, {}},
      {"resolutionUnitAsRational", {false, {{Rational(296, 2, 1)}}, true}, false, {}},
      {"resolutionOffsetBeyondTheFile",
       {false, {{Short(259, 4), Field(282, 5, 1, 0xFFFFFF), Rational(283, 200, 1)}}, true},
       true,
       {{0, 200, 4, 2}}},
      // A chain that leads back ends there; each IFD is listed once.
      {"loopingChain",
       {false, {Drawing(200, 4), Drawing(180, 4)}, true, 8},
       true,
       {{200, 200, 4, 2}, {180, 180, 4, 2}}},
      {"chainLeadingBackToItself", {false, {Drawing(200, 4)}, true, 8}, true, {{200, 200, 4, 2}}},
  };
  return cases;
}

// The test framework shows a case by its name, not by its bytes.
void PrintTo(const TiffCase& c, std::ostream* out) { *out << c.name; }

class TiffReaderTest : public ::testing::TestWithParam<TiffCase> {
 protected:
  std::u16string Write(const std::string& bytes) {
    WriteBytes(m_dir.path() / "図面.TIF", bytes);
    return FromFsPath(m_dir.path() / "図面.TIF");
  }
  std::vector<DpiInfo> Read(const std::string& bytes, bool& ok) {
    ImageFile file(Write(bytes));
    std::vector<DpiInfo> records;
    ok = ReadTiffResolutions(file, records);
    return records;
  }
  ScratchDir m_dir;
};

void ExpectSameRecords(const std::vector<DpiInfo>& actual, const std::vector<DpiInfo>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_FLOAT_EQ(actual[i].xResolution, expected[i].xResolution) << i;
    EXPECT_FLOAT_EQ(actual[i].yResolution, expected[i].yResolution) << i;
    EXPECT_EQ(actual[i].compression, expected[i].compression) << i;
    EXPECT_EQ(actual[i].resolutionUnit, expected[i].resolutionUnit) << i;
  }
}

TEST_P(TiffReaderTest, BigEndianTwinGivesTheSameRecords) {
  const TiffCase& c = GetParam();
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "MM" : "II");
    TiffLayout layout = c.layout;
    layout.bigEndian = bigEndian;
    bool ok = false;
    const auto records = Read(TiffBytes(layout), ok);
    EXPECT_EQ(ok, c.ok);
    ExpectSameRecords(records, c.records);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, TiffReaderTest, ::testing::ValuesIn(TiffCases()),
                         [](const auto& named) { return std::string(named.param.name); });

TEST_F(TiffReaderTest, ZeroOverZeroIsNotANumber) {
  bool ok = false;
  const auto records = Read(TiffBytes({true, {{Rational(282, 0, 0)}}, true}), ok);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(std::isnan(records[0].xResolution));
}

TEST_F(TiffReaderTest, WrongHeadersAndCutFilesAreNotAccepted) {
  const std::string good = TiffBytes({false, {Drawing(200, 4)}, true});
  bool ok = true;
  EXPECT_TRUE(Read(good, ok).size() == 1 && ok);
  for (const std::string& bad : {std::string("II\x2B\0", 4) + good.substr(4),  // BigTIFF
                                 std::string("MM\0\x2A", 4) + good.substr(4),  // mark mismatch
                                 std::string("\xFF\xD8\xFF\xE0", 4) + good.substr(4)}) {
    ok = true;
    EXPECT_TRUE(Read(bad, ok).empty());
    EXPECT_FALSE(ok);
  }
  // Cut inside the header, the entry count, the entries or the next-IFD offset.
  const size_t ifdEnd = 8 + 2 + 5 * 12 + 4;
  for (size_t length = 0; length < ifdEnd; ++length) {
    ok = true;
    EXPECT_TRUE(Read(good.substr(0, length), ok).empty()) << length;
    EXPECT_FALSE(ok) << length;
  }
}

// A chain of the given number of images: a good drawing, then IFDs without entries, which keep
// its values.
std::string ChainBytes(size_t images) { return TiffChainBytes(Drawing(200, 4), images); }

// However long the chain, the walk hands over at most the cap of images and keeps nothing that
// grows with the file: a longer chain is not of the accepted form.
TEST_F(TiffReaderTest, ChainsLongerThanTheCapAreNotAccepted) {
  const struct {
    size_t images;
    bool ok;
  } cases[] = {{kMaxTiffImages, true}, {kMaxTiffImages + 1, false}, {200'000, false}};
  for (const auto& c : cases) {
    ImageFile file(Write(ChainBytes(c.images)));
    size_t handed = 0;
    const bool ok = ReadTiffResolutions(file, [&](const DpiInfo& record) {
      EXPECT_EQ(record.compression, 4);
      ++handed;
      return TiffWalk::Next;
    });
    EXPECT_EQ(ok, c.ok) << c.images;
    EXPECT_EQ(handed, std::min(c.images, kMaxTiffImages)) << c.images;
  }
  // A loop through the whole cap ends where it leads back.
  TiffLayout looping{false, {Drawing(200, 4)}, true, 8};
  looping.ifds.resize(kMaxTiffImages);
  bool ok = false;
  EXPECT_EQ(Read(TiffBytes(looping), ok).size(), kMaxTiffImages);
  EXPECT_TRUE(ok);
}

// The visitor ends the walk once it knows its verdict: what follows is never read.
TEST_F(TiffReaderTest, VisitorEndsTheWalk) {
  ImageFile file(Write(TiffBytes({false, {Drawing(150, 1), {Long(282, 200)}}, true})));
  size_t handed = 0;
  EXPECT_TRUE(ReadTiffResolutions(file, [&](const DpiInfo&) {
    ++handed;
    return TiffWalk::Stop;
  }));
  EXPECT_EQ(handed, 1u);
}

}  // namespace
}  // namespace kestrova
