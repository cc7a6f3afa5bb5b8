#include "platform/utf16_text_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/text_encoding.h"

namespace kestrova {

namespace {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    return std::nullopt;
  }
  return bytes;
}

// The UTF-16 little-endian units of the bytes; a trailing odd byte is dropped.
std::u16string Utf16LittleEndian(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return text;
}

}  // namespace

std::optional<std::u16string> ReadUtf16TextFile(const std::filesystem::path& path) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) {
    return std::nullopt;
  }
  return DropCarriageReturns(
      Utf16LittleEndian(std::string_view(*bytes).substr(std::min<size_t>(2, bytes->size()))));
}

std::optional<std::u16string> ReadUnicodeTextFile(const std::filesystem::path& path) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) {
    return std::nullopt;
  }
  const std::string_view text(*bytes);
  if (text.starts_with("\xFF\xFE")) {
    return DropCarriageReturns(Utf16LittleEndian(text.substr(2)));
  }
  if (text.starts_with("\xEF\xBB\xBF")) {
    return DropCarriageReturns(Utf8ToUtf16(text.substr(3)));
  }
  return DropCarriageReturns(Utf16LittleEndian(text));
}

std::u16string DropCarriageReturns(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace kestrova
