#include "platform/text_encoding.h"

namespace kestrova {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
// Bytes of a file name that are not UTF-8 stand as U+DC80 to U+DCFF in the engine's texts.
constexpr char16_t kEscapedByteBase = 0xDC00;

bool IsEscapedByte(char16_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Invalid sequences become U+FFFD, or, with keepBytes, each of their bytes the unit U+DC00 + byte.
std::u16string DecodeUtf8(std::string_view text, bool keepBytes) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  const auto invalid = [&](size_t taken) {
    if (!keepBytes) {
      out.push_back(kReplacement);
      return;
    }
    for (size_t k = 0; k < taken; ++k) {
      out.push_back(
          static_cast<char16_t>(kEscapedByteBase + static_cast<unsigned char>(text[i + k])));
    }
  };
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
      invalid(1);
      ++i;
      continue;
    }
    size_t taken = 1;
    while (taken < length && i + taken < text.size() &&
           (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80) {
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + taken]) & 0x3F);
      ++taken;
    }
    if (taken < length || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      invalid(taken);
    } else {
      AppendCodePoint(out, cp);
    }
    i += taken;
  }
  return out;
}

// Unpaired surrogates become U+FFFD, or, with keepBytes, U+DC80 to U+DCFF the byte they stand for.
std::string EncodeUtf8(std::u16string_view text, bool keepBytes) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (keepBytes && IsEscapedByte(text[i])) {
      out.push_back(static_cast<char>(cp - kEscapedByteBase));
      continue;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) { return DecodeUtf8(text, false); }

std::string Utf16ToUtf8(std::u16string_view text) { return EncodeUtf8(text, false); }

std::u16string PathBytesToUtf16(std::string_view bytes) { return DecodeUtf8(bytes, true); }

std::string Utf16ToPathBytes(std::u16string_view text) { return EncodeUtf8(text, true); }

std::u16string ShownText(std::u16string_view text) {
  std::u16string shown(text);
  for (size_t i = 0; i < shown.size(); ++i) {
    const char16_t c = shown[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < shown.size() && shown[i + 1] >= 0xDC00 &&
        shown[i + 1] <= 0xDFFF) {
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      shown[i] = kReplacement;
    }
  }
  return shown;
}

std::u16string DecimalText(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace kestrova
