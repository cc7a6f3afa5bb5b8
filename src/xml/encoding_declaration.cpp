// The encoding test that comes before loading: the value of the encoding pseudo-attribute of
// the XML declaration, and the byte order mark, if any, that must agree with it.
#include <fstream>
#include <optional>
#include <string_view>

#include "platform/text_encoding.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"
#include "xml/xml_file_path.h"
#include "xml/xml_parser.h"

namespace kestrova {
namespace {

// The declaration must lie within the first characters after the byte order mark.
constexpr size_t kDeclarationLength = 257;
// Bytes enough for those characters in every form (UTF-8 needs at most four bytes for one).
constexpr size_t kBytesRead = 3 + 4 * kDeclarationLength;

enum class ByteOrderMark { kNone, kUtf8, kUtf16 };

struct FileHead {
  ByteOrderMark mark = ByteOrderMark::kNone;
  std::u16string text;  // the start of the file after the mark
};

// The start of the file as text: UTF-16 (either byte order) or UTF-8 after their byte order
// marks, one character per byte otherwise (the declaration itself is ASCII).
FileHead DecodeHead(std::string_view bytes) {
  FileHead head;
  const bool littleEndian = bytes.starts_with("\xFF\xFE");
  if (littleEndian || bytes.starts_with("\xFE\xFF")) {
    head.mark = ByteOrderMark::kUtf16;
    for (size_t i = 2; i + 1 < bytes.size() && head.text.size() < kDeclarationLength; i += 2) {
      const auto first = static_cast<unsigned char>(bytes[i]);
      const auto second = static_cast<unsigned char>(bytes[i + 1]);
      head.text.push_back(
          static_cast<char16_t>(littleEndian ? first | second << 8 : first << 8 | second));
    }
  } else if (bytes.starts_with("\xEF\xBB\xBF")) {
    head.mark = ByteOrderMark::kUtf8;
    head.text = Utf8ToUtf16(bytes.substr(3));
  } else {
    for (size_t i = 0; i < bytes.size() && head.text.size() < kDeclarationLength; ++i) {
      head.text.push_back(static_cast<unsigned char>(bytes[i]));
    }
  }
  head.text.resize(std::min(head.text.size(), kDeclarationLength));
  return head;
}

bool IsXmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// The value of the encoding pseudo-attribute of the XML declaration that opens the text; none
// when the text opens with no declaration or the declaration has no such attribute. The
// declaration's other parts are left to the parser.
std::optional<std::u16string> DeclaredEncoding(std::u16string_view text) {
  constexpr std::u16string_view kOpening = u"<?xml";
  if (!text.starts_with(kOpening)) return std::nullopt;
  size_t pos = kOpening.size();
  auto skipSpace = [&] {
    const size_t from = pos;
    while (pos < text.size() && IsXmlSpace(text[pos])) ++pos;
    return pos > from;
  };
  while (true) {
    // Each pseudo-attribute follows white space; anything else ends the declaration.
    if (!skipSpace() || pos >= text.size() || text[pos] == u'?') return std::nullopt;
    const size_t nameStart = pos;
    while (pos < text.size() && text[pos] != u'=' && !IsXmlSpace(text[pos])) ++pos;
    const std::u16string_view name = text.substr(nameStart, pos - nameStart);
    skipSpace();
    if (pos >= text.size() || text[pos] != u'=') return std::nullopt;
    ++pos;
    skipSpace();
    if (pos >= text.size() || (text[pos] != u'"' && text[pos] != u'\'')) return std::nullopt;
    const size_t close = text.find(text[pos], pos + 1);
    if (close == std::u16string_view::npos) return std::nullopt;
    if (name == u"encoding") return std::u16string(text.substr(pos + 1, close - pos - 1));
    pos = close + 1;
  }
}

// Letters a to z only: no other character can turn into one of the letters compared.
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
  const auto bytes = ReadHead(path);
  if (!bytes) {
    return PutFindingInMessage(MakeFinding(FindingKind::XmlFileMissing), message);
  }
  const FileHead head = DecodeHead(*bytes);
  const auto encoding = DeclaredEncoding(head.text);
  if (!encoding) {
    return PutFindingInMessage(MakeFinding(FindingKind::EncodingMissing), message);
  }
  const bool current = g_szRuleSet == kRuleSetCurrent;
  if (UpperCase(*encoding) != (current ? u"UTF-8" : u"SHIFT_JIS")) {
    return PutFindingInMessage(
        MakeFinding(current ? FindingKind::EncodingNotUtf8 : FindingKind::EncodingNotShiftJis),
        message);
  }
  // A UTF-16 mark, or a UTF-8 mark on a Shift_JIS file, says the file is not in the encoding
  // it declares.
  if (head.mark == ByteOrderMark::kUtf16 || (head.mark == ByteOrderMark::kUtf8 && !current)) {
    return PutFindingInMessage(MakeFinding(FindingKind::EncodingMarkContradicts), message);
  }
  return 0;
}

}  // namespace kestrova
