// The XML load with its encoding check on an untrusted file, validated against a fixed DTD
// beside it, and element selection over what loaded.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "input_file.h"
#include "run/run_globals.h"
#include "xml/xml_parser.h"

namespace {

constexpr std::string_view kDtd =
    "<!ELEMENT 写真データ (基礎情報,写真情報*)>\n"
    "<!ATTLIST 写真データ DTD_version CDATA #FIXED \"04\">\n"
    "<!ELEMENT 基礎情報 (写真フォルダ名,参考図フォルダ名?,適用要領基準)>\n"
    "<!ELEMENT 写真フォルダ名 (#PCDATA)>\n"
    "<!ELEMENT 参考図フォルダ名 (#PCDATA)>\n"
    "<!ELEMENT 適用要領基準 (#PCDATA)>\n"
    "<!ELEMENT 写真情報 (シリアル番号,写真ファイル名,写真タイトル*)>\n"
    "<!ELEMENT シリアル番号 (#PCDATA)>\n"
    "<!ELEMENT 写真ファイル名 (#PCDATA)>\n"
    "<!ELEMENT 写真タイトル (#PCDATA)>\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova;
  static const bool prepared = [] {
    g_szRuleSet = u"PHOT_KQ4";
    fuzz::WriteInputFile("PHOTO04.DTD", reinterpret_cast<const std::uint8_t*>(kDtd.data()),
                         kDtd.size());
    return true;
  }();
  (void)prepared;
  const std::u16string path = fuzz::WriteInputFile("PHOTO.XML", data, size);
  CXmlParser parser;
  std::u16string message;
  if (parser.Load(path, message, fuzz::InputFolder()) != 0) return 0;
  parser.CheckDocumentType(u"PHOTO04.DTD", message);
  std::vector<CXmlElementValue> values;
  parser.GetElementNameValues(u"写真情報/*", values, message);
  CXmlNodeList nodes;
  if (parser.SelectNodes(nodes, message, u"写真情報") == 0) {
    for (int i = 0; i < nodes.GetLength(); ++i) {
      parser.GetChildNameValues(nodes.GetItem(i), u"*", values, message);
    }
  }
  return 0;
}
