// Converts a UTF-8 text file into the form of the installation's text files: UTF-16 little-endian
// with byte order mark and CR LF line ends.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "platform/text_encoding.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: kestrova-utf16 UTF8_SOURCE UTF16_TARGET\n";
    return 64;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "kestrova-utf16: cannot read " << argv[1] << "\n";
    return 66;
  }
  std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (source.rfind("\xEF\xBB\xBF", 0) == 0) {
    source.erase(0, 3);
  }
  const std::u16string text = kestrova::Utf8ToUtf16(source);
  std::string bytes = "\xFF\xFE";
  auto put = [&bytes](char16_t unit) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  };
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
      put(u'\r');
    }
    put(text[i]);
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::cerr << "kestrova-utf16: cannot write " << argv[2] << "\n";
    return 73;
  }
  return 0;
}
