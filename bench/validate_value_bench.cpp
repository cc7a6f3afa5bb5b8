// Time of testing one value of 30 characters against its element rule, as the content checks do
// it for every value (strict: character sets, replacement table and Unicode character list) and
// as the media values are validated (not strict). The installation files it needs are written
// into a temporary program folder first.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>

#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "platform/text_encoding.h"
#include "rules/enable_chr_table.h"
#include "rules/unicode_list.h"
#include "run/run_globals.h"
#include "xml/item_value_validation.h"
#include "xml/value_findings.h"

namespace kestrova {
namespace {

// 30 UTF-16 units: full-width and half-width letters, digits, kana, ideographs and symbols.
const std::u16string kValue = u"県道１２３号線改良工事　第2工区 掘削状況（No.15付近）";

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void AppendUnit(std::string& bytes, char32_t unit) {
  bytes.push_back(static_cast<char>(unit & 0xFF));
  bytes.push_back(static_cast<char>(unit >> 8));
}

// A program folder with the files the strict test reads: the replacement pairs and a Unicode
// character list of 7043 units (ASCII, the CJK symbols, kana, full-width forms, ideographs).
class ProgramFolderFixture {
 public:
  ProgramFolderFixture() {
    std::random_device random;
    m_folder =
        std::filesystem::temp_directory_path() / ("kestrova-bench-" + std::to_string(random()));
    std::set<char16_t> units(kValue.begin(), kValue.end());
    for (char16_t unit = 0x20; unit <= 0x7E; ++unit) units.insert(unit);
    for (char16_t unit = 0x3000; unit <= 0x30FF; ++unit) units.insert(unit);
    for (char16_t unit = 0xFF01; unit <= 0xFF5F; ++unit) units.insert(unit);
    for (char16_t unit = 0x4E00; units.size() < kUnicodeListLength; ++unit) units.insert(unit);
    std::string list;
    for (const char16_t unit : units) AppendUnit(list, unit);
    WriteBytes(m_folder / "PHOT_KQ4" / "unicode_list.dat", list);
    std::string pairs = "\xFF\xFE";
    for (const char16_t unit : Utf8ToUtf16("1\r\nKQD_置換,置換,2\r\n～,〜\r\n－,−\r\n")) {
      AppendUnit(pairs, unit);
    }
    WriteBytes(m_folder / "PHOT_KQ4" / "KQD_ENABLE_CHR.INI", pairs);
    SetProgramFolder(FromFsPath(m_folder));
    g_szRuleSet = kRuleSetCurrent;
    g_enableChrTable = {
        {u"KQD_全角",
         u"全角文字",
         {{u"8140", u"81ac"},
          {u"81b8", u"81bf"},
          {u"81c8", u"81ce"},
          {u"81da", u"81e8"},
          {u"81f0", u"81f7"},
          {u"81fc", u"81fc"},
          {u"824f", u"8258"},
          {u"8260", u"8279"},
          {u"8281", u"829a"},
          {u"829f", u"82f1"},
          {u"8340", u"8396"},
          {u"839f", u"83b6"},
          {u"83bf", u"83d6"},
          {u"8440", u"8460"},
          {u"8470", u"8491"},
          {u"849f", u"84be"},
          {u"889f", u"9872"},
          {u"989f", u"eaa4"}}},
        {u"KQD_半角", u"半角文字", {{u"0020", u"007e"}, {u"00a1", u"00df"}}},
        {u"KQD_全角半角", u"全角文字又は半角文字", {{u"KQD_全角", u""}, {u"KQD_半角", u""}}},
    };
    g_managementElementTable.items = {{u"基礎情報/工事名称", u"KQD_全角半角", 127, 1, u""}};
  }
  ~ProgramFolderFixture() {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }

 private:
  std::filesystem::path m_folder;
};

void BM_TestItemValueStrict(benchmark::State& state) {
  const ProgramFolderFixture fixture;
  const XMLElementItem rule = g_managementElementTable.GetRuleAt(0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(TestItemValue(rule, kValue, kPhotoEntryIndent));
  }
  state.SetLabel("30 characters, strict");
}
BENCHMARK(BM_TestItemValueStrict)->Unit(benchmark::kMicrosecond);

void BM_ValidateValue(benchmark::State& state) {
  const ProgramFolderFixture fixture;
  const std::u16string name = u"基礎情報/工事名称";
  std::u16string message;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ValidateValue(kValue, name, message));
  }
  state.SetLabel("30 characters, not strict");
}
BENCHMARK(BM_ValidateValue)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrova

BENCHMARK_MAIN();
