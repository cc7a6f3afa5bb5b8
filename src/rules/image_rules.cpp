#include "rules/image_rules.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "platform/text_encoding.h"
#include "rules/rule_table_reader.h"

namespace kestrova {

std::vector<ImgItem> g_imageRules;

namespace {

// The leading decimal integer of a field after optional blanks and a sign, as "%d" scans it;
// empty when there is none or it does not fit an int.
std::optional<int> ScanDecimal(const std::u16string& field) {
  const std::string text = Utf16ToUtf8(field);
  const char* start = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(start, &end, 10);
  if (end == start || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

CImgLimit ReadLimitLine(RuleTableReader& reader) {
  CImgLimit limit;
  limit.folder = reader.Field(1);
  limit.namePattern = reader.Field(2);
  limit.format = reader.Field(3);
  limit.pixelRanges[0] = reader.Field(4);
  // Photo rows carry a second pixel range before the size; the test is exact.
  const bool photoRow = limit.folder == kPhotoRowFolder;
  if (photoRow) {
    limit.pixelRanges[1] = reader.Field(5);
  }
  limit.maxSizeKb = reader.Field(photoRow ? 6 : 5);
  return limit;
}

}  // namespace

int LoadImageRules(const std::u16string& path) {
  g_imageRules.clear();
  RuleTableReader reader;
  if (reader.OpenForLoader(path) != 0) {
    return -1;
  }
  // A number that cannot be read leaves the number read last in force.
  int number = 0;
  const auto readNumber = [&](int column) {
    number = ScanDecimal(reader.Field(column)).value_or(number);
    return number;
  };
  bool firstLine = true;
  std::optional<ImgItem> block;  // the item being read, while its rows are still expected
  int expectedRows = 0;
  for (reader.FirstLine(); !reader.AtEnd(); reader.NextLine()) {
    if (firstLine) {
      readNumber(1);  // the number of items; the blocks are read to the end of the file anyway
      firstLine = false;
    } else if (!block) {
      block = ImgItem{reader.Field(1), {}};
      expectedRows = readNumber(2);
    } else {
      block->limits.push_back(ReadLimitLine(reader));
      // A block declared with 0 rows or fewer never completes.
      if (static_cast<long long>(block->limits.size()) == expectedRows) {
        g_imageRules.push_back(std::move(*block));
        block.reset();
      }
    }
  }
  reader.Close();
  return 0;
}

}  // namespace kestrova
