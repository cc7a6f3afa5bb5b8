#include "xml/xml_parser.h"

#include <chrono>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/text_encoding.h"
#include "xml/xml_medium.h"

namespace kestrova {
namespace {

using test::PhotoDocument;

constexpr char kBasicInfo[] =
    "<基礎情報><メディア番号>\n 1 </メディア番号><メディア総枚数>2</メディア総枚数>"
    "<適用要領基準></適用要領基準></基礎情報>";
constexpr char16_t kNotLoaded[] = u"  ERR-005023 [要修正] xmlファイルが読みこまれていません\n";
constexpr char16_t kUntouched[] = u"untouched";

class XmlParserTest : public ::testing::Test {
 protected:
  // Writes the DTD and the document into the medium folder and loads the document.
  int LoadPhoto(const std::string& document, CXmlParser& parser,
                std::string_view dtd = test::kPhotoDtd) {
    m_medium.Write("PHOTO04.DTD", dtd);
    m_message = kUntouched;
    return parser.Load(m_medium.Write("PHOTO.XML", document), m_message);
  }

  std::vector<std::u16string> Values(const CXmlParser& parser, const std::u16string& path) {
    std::vector<std::u16string> values{u"stale"};
    EXPECT_EQ(parser.GetElementValues(path, values, m_message), 0) << Utf16ToUtf8(path);
    return values;
  }

  test::RuleSetScope m_ruleSet{u"PHOT_KQ4"};
  test::XmlMedium m_medium;
  std::u16string m_message;
};

TEST_F(XmlParserTest, ReadsTheValuesOfAValidDocument) {
  CPhotoXmlParser parser;
  ASSERT_EQ(LoadPhoto(PhotoDocument(kBasicInfo), parser), 0) << Utf16ToUtf8(m_message);
  EXPECT_TRUE(parser.IsLoaded());
  EXPECT_EQ(parser.CheckDocumentType(u"PHOTO04.DTD", m_message), 0);
  // White space around a value is not part of it; an empty element has the empty value; a path
  // that matches nothing gives no value and no error.
  EXPECT_EQ(Values(parser, u"基礎情報/メディア番号"), std::vector<std::u16string>{u"1"});
  EXPECT_EQ(Values(parser, u"適用要領基準"), std::vector<std::u16string>{u""});
  EXPECT_TRUE(Values(parser, u"基礎情報/ない").empty());
  std::vector<CXmlElementValue> pairs;
  ASSERT_EQ(parser.GetElementNameValues(u"写真ファイル情報/シリアル番号", pairs, m_message), 0);
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[2].name, u"シリアル番号");
  EXPECT_EQ(pairs[2].value, u"3");
  EXPECT_EQ(m_message, kUntouched);
}

TEST_F(XmlParserTest, SelectsEntriesWithPredicatesAndReadsThemRelatively) {
  CPhotoXmlParser parser;
  ASSERT_EQ(LoadPhoto(PhotoDocument(kBasicInfo), parser), 0) << Utf16ToUtf8(m_message);
  const struct {
    std::u16string path;
    std::u16string childPath;
    std::vector<std::u16string> serials;
  } cases[] = {
      {u"写真情報[写真ファイル情報/メディア番号=\"1\"]",
       u"写真ファイル情報/シリアル番号",
       {u"1", u"3"}},
      {u"写真情報/写真ファイル情報[メディア番号!=\"1\"]", u"シリアル番号", {u"2"}},
      {u"写真情報[写真ファイル情報/メディア番号=\"9\"]", u"写真ファイル情報/シリアル番号", {}},
  };
  for (const auto& c : cases) {
    CXmlNodeList nodes;
    ASSERT_EQ(parser.SelectNodes(nodes, m_message, c.path), 0) << Utf16ToUtf8(c.path);
    std::vector<std::u16string> serials;
    for (int i = 0; i < nodes.GetLength(); ++i) {
      std::vector<CXmlElementValue> pairs;
      ASSERT_EQ(parser.GetChildNameValues(nodes.GetItem(i), c.childPath, pairs, m_message), 0);
      for (const auto& pair : pairs) serials.push_back(pair.value);
    }
    EXPECT_EQ(serials, c.serials) << Utf16ToUtf8(c.path);
  }
}

TEST_F(XmlParserTest, CopiesAndNodesKeepTheDocumentAlive) {
  CPhotoXmlParser copy;
  CXmlNodeList nodes;
  {
    CPhotoXmlParser original;
    ASSERT_EQ(LoadPhoto(PhotoDocument(kBasicInfo), original), 0);
    copy = original;
    ASSERT_EQ(original.SelectNodes(nodes, m_message, u"写真情報"), 0);
    // Loading the original again releases its share only.
    EXPECT_NE(
        original.Load(m_medium.Write("BROKEN.XML", "<?xml encoding=\"UTF-8\"?><a"), m_message), 0);
  }
  EXPECT_EQ(Values(copy, u"メディア総枚数"), std::vector<std::u16string>{u"2"});
  ASSERT_EQ(nodes.GetLength(), 3);
  std::vector<CXmlElementValue> pairs;
  ASSERT_EQ(
      copy.GetChildNameValues(nodes.GetItem(1), u"写真ファイル情報/メディア番号", pairs, m_message),
      0);
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].value, u"2");
  EXPECT_TRUE(nodes.GetItem(3).IsEmpty());
}

TEST_F(XmlParserTest, AfterAFailedLoadNothingIsLoaded) {
  CPhotoXmlParser parser;
  ASSERT_EQ(LoadPhoto(PhotoDocument(kBasicInfo), parser), 0);
  const std::u16string missing = m_medium.FolderText() + u"/NONE.XML";
  EXPECT_EQ(parser.Load(missing, m_message), 5023);
  EXPECT_EQ(m_message, u"  ERR-005023 [要修正] XMLファイルが存在していません。\n");
  EXPECT_EQ(parser.GetPath(), missing);
  EXPECT_FALSE(parser.IsLoaded());

  std::vector<std::u16string> values{u"stale"};
  EXPECT_EQ(parser.GetElementValues(u"メディア番号", values, m_message), 5023);
  EXPECT_EQ(m_message, kNotLoaded);
  EXPECT_TRUE(values.empty());
  CXmlNodeList nodes;
  m_message.clear();
  EXPECT_EQ(parser.SelectNodes(nodes, m_message, u"写真情報"), 5023);
  EXPECT_EQ(m_message, kNotLoaded);
  m_message.clear();
  EXPECT_EQ(parser.CheckDocumentType(u"PHOTO04.DTD", m_message), 5023);
  EXPECT_EQ(m_message, kNotLoaded);
}

// Documents that must not load: the 5023 line carries one reason on one line.
TEST_F(XmlParserTest, RejectsWhatIsNotValidOrReachesOutsideTheMedium) {
  m_medium.Write("../OUTSIDE.DTD", test::kPhotoDtd);
  m_medium.Write("../secret.txt", "secret");
  const std::string bomb =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE photodata [\n"
      "<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
      "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">\n"
      "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">\n"
      "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">\n"
      "<!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">\n"
      "<!ELEMENT photodata (#PCDATA)>\n]>\n<photodata>&g;&g;&g;&g;</photodata>\n";
  std::string deep =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE d [\n"
      "<!ELEMENT d (d?)>\n]>\n";
  for (int i = 0; i < 300; ++i) deep += "<d>";
  for (int i = 0; i < 300; ++i) deep += "</d>";
  const struct {
    const char* what;
    std::string document;
    std::u16string reasonPart;
  } cases[] = {
      {"breaks its DTD", PhotoDocument("<基礎情報><メディア総枚数>2</メディア総枚数></基礎情報>"),
       u"行目)"},
      {"names a missing DTD", PhotoDocument(kBasicInfo, "PHOTO05.DTD"),
       u"外部ファイル『PHOTO05.DTD』が見つかりません。"},
      {"names a DTD outside the medium", PhotoDocument(kBasicInfo, "../OUTSIDE.DTD"),
       u"は媒体のフォルダーの外にあるため読み込みません。"},
      {"names a DTD by URL", PhotoDocument(kBasicInfo, "http://example.invalid/PHOTO04.DTD"),
       u"外部ファイル『http://example.invalid/PHOTO04.DTD』はローカルのファイルではないため"},
      {"has an entity outside the medium",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE photodata [\n"
       "<!ENTITY secret SYSTEM \"../secret.txt\">\n<!ELEMENT photodata (#PCDATA)>\n]>\n"
       "<photodata>&secret;</photodata>\n",
       u"は媒体のフォルダーの外にあるため読み込みません。"},
      {"has an absolute entity path",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE photodata [\n"
       "<!ENTITY secret SYSTEM \"/etc/hostname\">\n<!ELEMENT photodata (#PCDATA)>\n]>\n"
       "<photodata>&secret;</photodata>\n",
       u"外部ファイル『/etc/hostname』は媒体のフォルダーの外にあるため読み込みません。"},
      {"expands entities without bound", bomb, u"Detected an entity reference loop"},
      {"nests too deep", deep, u"(PHOTO.XML "},
      {"is not well-formed", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<photodata>\n",
       u"(PHOTO.XML "},
  };
  for (const auto& c : cases) {
    CPhotoXmlParser parser;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(LoadPhoto(c.document, parser), 5023) << c.what;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << c.what;
    EXPECT_FALSE(parser.IsLoaded()) << c.what;
    EXPECT_EQ(m_message.rfind(u"  ERR-005023 [要修正] ", 0), 0u) << c.what;
    EXPECT_EQ(m_message.find(u'\n'), m_message.size() - 1) << c.what;
    EXPECT_NE(m_message.find(c.reasonPart), std::u16string::npos)
        << c.what << ": " << Utf16ToUtf8(m_message);
  }
}

TEST_F(XmlParserTest, PhotoFileMayUseFilesOfTheWholeMedium) {
  // PHOTO/PHOTO.XML names the DTD in the medium's root; allowed with the medium as the limit.
  m_medium.Write("PHOTO04.DTD", test::kPhotoDtd);
  const std::u16string path =
      m_medium.Write("PHOTO/PHOTO.XML", PhotoDocument(kBasicInfo, "../PHOTO04.DTD"));
  CPhotoXmlParser parser;
  EXPECT_EQ(parser.Load(path, m_message), 5023);
  EXPECT_EQ(parser.Load(path, m_message, m_medium.FolderText()), 0) << Utf16ToUtf8(m_message);
}

TEST_F(XmlParserTest, FindsADtdWhoseNameIsNoUriReference) {
  m_medium.Write("写真 04.DTD", test::kPhotoDtd);
  const std::u16string path = m_medium.Write("PHOTO.XML", PhotoDocument(kBasicInfo, "写真 04.DTD"));
  CPhotoXmlParser parser;
  ASSERT_EQ(parser.Load(path, m_message), 0) << Utf16ToUtf8(m_message);
  EXPECT_EQ(parser.CheckDocumentType(u"写真 04.DTD", m_message), 0);
}

TEST_F(XmlParserTest, ChecksTheSystemIdentifierExactly) {
  const std::u16string secondLine =
      u"\n                      DTDファイルは、『PHOTO04.DTD』を指定してください。\n";
  const std::u16string wrong =
      u"  ERR-005024 [要修正] xmlファイル内に定義されているDTDファイルが正しくありません。" +
      secondLine;
  const std::u16string undefined =
      u"  ERR-005024 [要修正] xmlファイル内にDTDファイルが定義されていません。" + secondLine;
  const std::string internalOnly =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE a [<!ELEMENT a (#PCDATA)>]>\n<a/>\n";
  const struct {
    std::string document;
    int code;
    std::u16string message;
  } cases[] = {
      {PhotoDocument(kBasicInfo), 0, kUntouched},
      // The DTD file is found ignoring case, as on a medium, but the name must be as required.
      {PhotoDocument(kBasicInfo, "photo04.dtd"), 5024, wrong},
      {PhotoDocument(kBasicInfo, "./PHOTO04.DTD"), 5024, wrong},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<photodata/>\n", 5024, undefined},
      {internalOnly, 5024, undefined},
  };
  for (const auto& c : cases) {
    CPhotoXmlParser parser;
    ASSERT_EQ(LoadPhoto(c.document, parser), 0) << c.document << Utf16ToUtf8(m_message);
    EXPECT_EQ(parser.CheckDocumentType(u"PHOTO04.DTD", m_message), c.code) << c.document;
    EXPECT_EQ(m_message, c.message) << c.document;
  }
}

TEST_F(XmlParserTest, TestsTheEncodingPseudoAttributeOfTheDeclaration) {
  const std::u16string none =
      u"  ERR-005025 [要修正] XMLファイルヘッダーに文字コード情報が記述されていません。\n";
  const std::u16string notUtf8 =
      u"  ERR-005025 [要修正] "
      u"XMLファイルヘッダーに指定されている文字コードがUTF-8ではありません。\n";
  const std::u16string notShiftJis =
      u"  ERR-005025 [要修正] "
      u"XMLファイルヘッダーに指定されている文字コードがSHIFT_JISではありません。\n";
  const std::string utf8Lower = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<a/>\n";
  const std::u16string contradicted =
      u"  ERR-005025 [要修正] XMLファイルのバイトオーダーマーク（BOM）が、ヘッダーに指定されている"
      u"文字コードと一致しません。\n";
  const std::string utf16 = std::string(
      "\xFF\xFE<\0?\0x\0m\0l\0 \0e\0n\0c\0o\0d\0i\0n\0g\0=\0"
      "\"\0U\0T\0F\0-\0\x38\0\"\0?\0>\0\r\0\n\0",
      48);
  std::string utf16BigEndian = "\xFE\xFF";
  for (size_t i = 2; i + 1 < utf16.size(); i += 2) {
    utf16BigEndian += std::string{utf16[i + 1], utf16[i]};
  }
  const std::string shiftJis = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>";
  const struct {
    const char* what;
    std::u16string ruleSet;
    std::string bytes;
    int code;
    std::u16string message;
  } cases[] = {
      {"lower case", u"PHOT_KQ4", utf8Lower, 0, kUntouched},
      {"UTF-8 under the older rule set", u"PHOT_KQ1", utf8Lower, 5025, notShiftJis},
      {"rule-set name compared with case", u"phot_kq4", utf8Lower, 5025, notShiftJis},
      {"Shift_JIS under the current rule set", u"PHOT_KQ4",
       "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", 5025, notUtf8},
      {"shift_jis", u"PHOT_KQ1", "<?xml version=\"1.0\" encoding=\"shift_jis\"?>", 0, kUntouched},
      {"no declaration", u"PHOT_KQ4", "<a>encoding</a>\n", 5025, none},
      {"declaration without encoding", u"PHOT_KQ4",
       "<?xml version=\"1.0\"?>\n<!-- encoding=\"UTF-8\" -->\n<a/>", 5025, none},
      {"UTF-8 only in a comment of the first line", u"PHOT_KQ4",
       "<?xml version=\"1.0\"?><!-- encoding=\"UTF-8\" --><a/>", 5025, none},
      {"encoding in another pseudo-attribute's value", u"PHOT_KQ4",
       "<?xml version=\"1.0\" standalone='encoding=\"UTF-8\"'?>", 5025, none},
      {"single quotes and blanks around =", u"PHOT_KQ4", "<?xml version='1.0' encoding = 'UTF-8'?>",
       0, kUntouched},
      {"a processing instruction, not the declaration", u"PHOT_KQ4",
       "<?xml-stylesheet encoding=\"UTF-8\"?>", 5025, none},
      {"UTF-8 naming a longer encoding", u"PHOT_KQ4", "<?xml version=\"1.0\" encoding=\"UTF-8X\"?>",
       5025, notUtf8},
      {"encoding after 255 characters", u"PHOT_KQ4",
       "<?xml version=\"1.0\"" + std::string(240, ' ') + "encoding=\"UTF-8\"?>", 5025, none},
      {"UTF-8 byte order mark", u"PHOT_KQ4", "\xEF\xBB\xBF" + utf8Lower, 0, kUntouched},
      {"UTF-16 byte order mark, UTF-8 declared", u"PHOT_KQ4", utf16, 5025, contradicted},
      {"UTF-16 big-endian mark, UTF-8 declared", u"PHOT_KQ4", utf16BigEndian, 5025, contradicted},
      {"UTF-8 byte order mark, Shift_JIS declared", u"PHOT_KQ1", "\xEF\xBB\xBF" + shiftJis, 5025,
       contradicted},
      {"Shift_JIS without a mark", u"PHOT_KQ1", shiftJis, 0, kUntouched},
      {"UTF-16 without byte order mark", u"PHOT_KQ4", utf16.substr(2), 5025, none},
      {"missing file", u"PHOT_KQ4", "", 5023,
       u"  ERR-005023 [要修正] XMLファイルが存在していません。\n"},
  };
  for (const auto& c : cases) {
    test::RuleSetScope ruleSet(c.ruleSet);
    const std::u16string path =
        c.code == 5023 ? m_medium.FolderText() + u"/NONE.XML" : m_medium.Write("A.XML", c.bytes);
    CXmlParser parser;
    m_message = kUntouched;
    EXPECT_EQ(parser.CheckEncodingDeclaration(path, m_message), c.code) << c.what;
    EXPECT_EQ(m_message, c.message) << c.what;
  }
}

// A UTF-8 file with its byte order mark loads; the same text in UTF-16 does not, as it is not in
// the encoding it declares.
TEST_F(XmlParserTest, LoadsFilesWithByteOrderMarks) {
  const std::string document = PhotoDocument(kBasicInfo);
  std::u16string utf16 = u"\uFEFF" + Utf8ToUtf16(document);
  std::string utf16Bytes;
  for (char16_t unit : utf16) {
    utf16Bytes.push_back(static_cast<char>(unit & 0xFF));
    utf16Bytes.push_back(static_cast<char>(unit >> 8));
  }
  CPhotoXmlParser parser;
  ASSERT_EQ(LoadPhoto("\xEF\xBB\xBF" + document, parser), 0) << Utf16ToUtf8(m_message);
  EXPECT_EQ(Values(parser, u"メディア総枚数"), std::vector<std::u16string>{u"2"});
  EXPECT_EQ(LoadPhoto(utf16Bytes, parser), 5025);
  EXPECT_FALSE(parser.IsLoaded());
}

// The parser takes a NUL byte for the end of its input: the load fails wherever one stands, also
// after the root element, where the parser would not look further.
TEST_F(XmlParserTest, NulBytesFailTheLoad) {
  const std::string document = PhotoDocument(kBasicInfo);
  for (const std::string& bytes :
       {document + std::string(3, '\0'), document + std::string(1, '\0') + "<garbage/>",
        document + std::string(100000, ' ') + std::string(1, '\0')}) {
    CPhotoXmlParser parser;
    EXPECT_EQ(LoadPhoto(bytes, parser), 5023);
    EXPECT_EQ(
        m_message,
        u"  ERR-005023 [要修正] XMLファイルにNUL文字（0x00）が含まれています。 (PHOTO.XML)\n");
    EXPECT_FALSE(parser.IsLoaded());
  }
}

// Selections name elements without a namespace; a default namespace from the DTD or from an
// attribute hides none of them.
TEST_F(XmlParserTest, SelectionsIgnoreNamespaces) {
  std::string document = PhotoDocument(kBasicInfo);
  const std::string system = "SYSTEM \"PHOTO04.DTD\"";
  document.insert(document.find(system) + system.size(),
                  " [<!ATTLIST 写真情報 xmlns CDATA #FIXED \"urn:x\">"
                  "<!ATTLIST 基礎情報 xmlns CDATA #IMPLIED>]");
  document.insert(document.find("<基礎情報>") + std::strlen("<基礎情報"), " xmlns=\"urn:y\"");
  CPhotoXmlParser parser;
  ASSERT_EQ(LoadPhoto(document, parser), 0) << Utf16ToUtf8(m_message);
  EXPECT_EQ(Values(parser, u"基礎情報/メディア総枚数"), std::vector<std::u16string>{u"2"});
  CXmlNodeList nodes;
  ASSERT_EQ(parser.SelectNodes(nodes, m_message, u"写真情報"), 0);
  ASSERT_EQ(nodes.GetLength(), 3);
  std::vector<CXmlElementValue> pairs;
  ASSERT_EQ(parser.GetChildNameValues(nodes.GetItem(2), u"写真ファイル情報/シリアル番号", pairs,
                                      m_message),
            0);
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].name, u"シリアル番号");
  EXPECT_EQ(pairs[0].value, u"3");
}

TEST_F(XmlParserTest, DecodesShiftJisAsCodePage932) {
  test::RuleSetScope ruleSet(u"PHOT_KQ1");
  // ① and 髙 are NEC and IBM extensions; the trail byte of ソ is 0x5C, and a lone 0x5C is a
  // backslash. The long value makes libxml2 hand the bytes over in several chunks.
  const std::u16string name = u"①髙ソ\\" + std::u16string(5001, u'表');
  // One blank more or less moves every chunk boundary to the other byte of a character.
  for (const std::u16string padding : {u"", u" "}) {
    std::string encoded;
    for (char16_t unit :
         u"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
         u"<!DOCTYPE photodata SYSTEM \"PHOTO04.DTD\">\n<photodata>" +
             padding +
             u"<基礎情報><メディア番号>1</メディア番号></基礎情報>"
             u"<写真情報><写真ファイル情報><シリアル番号>1</シリアル番号>"
             u"<メディア番号>1</メディア番号><写真ファイル名>" +
             name + u"</写真ファイル名></写真ファイル情報></写真情報></photodata>") {
      encoded += EncodeCp932Unit(unit);
    }
    ASSERT_EQ(encoded.substr(encoded.find("\x87\x40"), 7), "\x87\x40\xFB\xFC\x83\x5C\x5C");
    CPhotoXmlParser parser;
    ASSERT_EQ(LoadPhoto(encoded, parser), 0) << Utf16ToUtf8(m_message);
    EXPECT_EQ(Values(parser, u"写真ファイル名"), std::vector<std::u16string>{name});
  }
}

TEST_F(XmlParserTest, ReportsPathsTheEvaluatorCannotUse) {
  CPhotoXmlParser parser;
  ASSERT_EQ(LoadPhoto(PhotoDocument(kBasicInfo), parser), 0);
  CXmlNodeList nodes;
  ASSERT_EQ(parser.SelectNodes(nodes, m_message, u"写真情報"), 0);
  EXPECT_EQ(parser.SelectNodes(nodes, m_message, u"写真情報[@"), 5023);
  EXPECT_EQ(m_message.rfind(u"  ERR-005023 [要修正] ERROR on get xml element: ", 0), 0u)
      << Utf16ToUtf8(m_message);
  EXPECT_EQ(parser.SelectNodes(nodes, m_message, u"count(写真情報)"), 5023);
  EXPECT_EQ(m_message, u"  ERR-005023 [要修正] Error on get xml element\n");
  EXPECT_EQ(nodes.GetLength(), 3);  // unchanged by the failures
  std::vector<CXmlElementValue> pairs;
  EXPECT_EQ(parser.GetChildNameValues(CXmlNode(), u"シリアル番号", pairs, m_message), 5023);
  EXPECT_EQ(m_message, u"  ERR-005023 [要修正] Error on get xml element\n");
}

}  // namespace
}  // namespace kestrova
