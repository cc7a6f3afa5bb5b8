// The encoding test that comes before loading: a substring search over the upper-cased first
// line, read as a text stream that detects a byte order mark would read it.
#include <fstream>
#include <optional>

#include "platform/text_encoding.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"
#include "xml/xml_file_path.h"
#include "xml/xml_parser.h"

namespace kestrova {
namespace {

// The line is read into a 256-character area: at most 255 characters, up to a line feed.
constexpr size_t kLineLength = 255;
// Reading starts here: past a UTF-16 byte order mark, or past the "<?" of a declaration.
constexpr size_t kLineStart = 2;
// Bytes enough for 255 characters in every form (UTF-8 needs at most four bytes for one).
constexpr size_t kBytesRead = kLineStart + 4 * kLineLength;

// The line in the form the stream gives it: UTF-16LE after its byte order mark, UTF-8 after
// its byte order mark (starting on the mark's last byte, which decodes as U+FFFD), and one
// character per byte otherwise. It ends after its line feed, after 255 characters, or, as the
// text in a character area does, at a NUL character.
std::u16string DecodeLine(const std::string& head) {
  std::u16string line;
  if (head.size() >= kLineStart && head.compare(0, 2, "\xFF\xFE") == 0) {
    for (size_t i = kLineStart; i + 1 < head.size() && line.size() < kLineLength; i += 2) {
      line.push_back(static_cast<char16_t>(static_cast<unsigned char>(head[i]) |
                                           static_cast<unsigned char>(head[i + 1]) << 8));
      if (line.back() == u'\n') break;
    }
  } else if (head.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    const size_t lineFeed = head.find('\n', kLineStart);
    const size_t end = lineFeed == std::string::npos ? head.size() : lineFeed + 1;
    line = Utf8ToUtf16(std::string_view(head).substr(kLineStart, end - kLineStart));
    line.resize(std::min(line.size(), kLineLength));
  } else {
    for (size_t i = kLineStart; i < head.size() && line.size() < kLineLength; ++i) {
      line.push_back(static_cast<unsigned char>(head[i]));
      if (line.back() == u'\n') break;
    }
  }
  return line.substr(0, line.find(u'\0'));
}

// Letters a to z only: no other character can turn into one of the letters searched for.
std::u16string UpperCase(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'a' && c <= u'z') c -= 0x20;
  }
  return text;
}

std::optional<std::string> ReadHead(const std::u16string& path) {
  const auto file = FindXmlFile(path);
  if (!file) {
    return std::nullopt;
  }
  std::ifstream stream(*file, std::ios::binary);
  if (!stream) {
    return std::nullopt;
  }
  std::string head(kBytesRead, '\0');
  stream.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(stream.gcount()));
  return head;
}

}  // namespace

int CXmlParser::CheckEncodingDeclaration(const std::u16string& path,
                                         std::u16string& message) const {
  const auto head = ReadHead(path);
  if (!head) {
    return PutFindingInMessage(MakeFinding(FindingKind::XmlFileMissing), message);
  }
  const std::u16string line = UpperCase(DecodeLine(*head));
  if (line.find(u"ENCODING") == std::u16string::npos) {
    return PutFindingInMessage(MakeFinding(FindingKind::EncodingMissing), message);
  }
  if (g_szRuleSet == kRuleSetCurrent) {
    if (line.find(u"UTF-8") == std::u16string::npos) {
      return PutFindingInMessage(MakeFinding(FindingKind::EncodingNotUtf8), message);
    }
  } else if (line.find(u"SHIFT_JIS") == std::u16string::npos) {
    return PutFindingInMessage(MakeFinding(FindingKind::EncodingNotShiftJis), message);
  }
  return 0;
}

}  // namespace kestrova
