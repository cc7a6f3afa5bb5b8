// Decoding of XML files declared as Shift_JIS (or one of its other names) as Windows decodes
// code page 932, in place of the conversion libxml2 would otherwise take from iconv.
#pragma once

namespace kestrova {

// Registers the decoder with libxml2 under every name of the encoding; once per process,
// before the first document is parsed. Safe to call again and from several threads.
void RegisterShiftJisInput();

}  // namespace kestrova
