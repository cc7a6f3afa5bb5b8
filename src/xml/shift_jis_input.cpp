#include "xml/shift_jis_input.h"

#include <algorithm>
#include <mutex>
#include <string_view>

#include <libxml/encoding.h>

#include "platform/cp932.h"
#include "platform/text_encoding.h"

namespace kestrova {
namespace {

// Names a declaration may give; libxml2 looks a declared name up in upper case, and searches
// registered handlers before iconv.
constexpr const char* kEncodingNames[] = {
    "SHIFT_JIS", "SHIFT-JIS", "SJIS",   "CP932",      "WINDOWS-31J",
    "MS932",     "MS_KANJI",  "X-SJIS", "CSSHIFTJIS", "CSWINDOWS31J",
};

// One input byte never gives more than three bytes of UTF-8 (every character of the code page
// lies in the Basic Multilingual Plane, one or two bytes giving one UTF-16 unit).
constexpr int kMaxUtf8PerByte = 3;

// libxml2 hands the raw bytes in chunks. A chunk may end between the two bytes of a character:
// such a lead byte stays unconsumed and comes again at the front of the next chunk.
int DecodeShiftJisChunk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
  if (out == nullptr || outlen == nullptr || inlen == nullptr) {
    return -1;
  }
  if (in == nullptr) {
    *outlen = 0;
    *inlen = 0;
    return 0;
  }
  const int available = *inlen;
  const int budget = *outlen / kMaxUtf8PerByte;
  int taken = 0;
  while (taken < available && taken < budget) {
    if (IsCp932LeadByte(in[taken])) {
      if (taken + 1 >= available || taken + 2 > budget) {
        break;
      }
      taken += 2;
    } else {
      ++taken;
    }
  }
  const std::string utf8 = Utf16ToUtf8(
      DecodeCp932(std::string_view(reinterpret_cast<const char*>(in), static_cast<size_t>(taken))));
  std::copy(utf8.begin(), utf8.end(), out);
  *outlen = static_cast<int>(utf8.size());
  *inlen = taken;
  return *outlen;
}

}  // namespace

void RegisterShiftJisInput() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (const char* name : kEncodingNames) {
      // The handler registers itself; libxml2 keeps it for the life of the process.
      xmlNewCharEncodingHandler(name, &DecodeShiftJisChunk, nullptr);
    }
  });
}

}  // namespace kestrova
