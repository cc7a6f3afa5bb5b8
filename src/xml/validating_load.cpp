#include "xml/validating_load.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/uri.h>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "xml/file_url.h"
#include "xml/medium_entity_loader.h"
#include "xml/shift_jis_input.h"
#include "xml/xml_error_capture.h"

namespace kestrova {
namespace {

// Validation on, entities expanded, no network. XML_PARSE_HUGE stays off: libxml2 then stops
// entity expansion that grows out of proportion to the input and nesting deeper than 256.
constexpr int kParseOptions = XML_PARSE_DTDVALID | XML_PARSE_NOENT | XML_PARSE_NONET;

struct ContextDeleter {
  void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};

// libxml2 takes a SYSTEM identifier as a URI reference; a name with a blank or a Japanese
// character is none and would not be looked up at all. Such characters are escaped first, so
// that the name is looked up as the file name it is.
xmlParserInputPtr ResolveEntity(void* context, const xmlChar* publicId, const xmlChar* systemId) {
  if (systemId == nullptr) {
    return xmlSAX2ResolveEntity(context, publicId, systemId);
  }
  xmlChar* escaped =
      xmlURIEscapeStr(systemId, reinterpret_cast<const xmlChar*>(":/?#[]@!$&'()*+,;=%"));
  xmlParserInputPtr input = xmlSAX2ResolveEntity(context, publicId, escaped);
  xmlFree(escaped);
  return input;
}

// "<message> (<file name> <line>行目)", the parts that are known.
std::u16string DescribeError(const XmlErrorRecord& error) {
  std::u16string where;
  if (!error.file.empty()) {
    const auto path = PathFromFileUrl(error.file.c_str());
    where = path ? FromFsPath(path->filename()) : Utf8ToUtf16(error.file);
  }
  if (error.line > 0) {
    where += (where.empty() ? u"" : u" ") + DecimalText(error.line) + u"行目";
  }
  std::u16string text = Utf8ToUtf16(error.message);
  if (!where.empty()) {
    text += u" (" + where + u")";
  }
  return text;
}

// The first error that matters. A document without a document type declaration has nothing to
// be validated against, so the validator's complaint that no DTD was found does not count then.
const XmlErrorRecord* DecisiveError(const XmlErrorCapture& capture, bool hasDocumentType) {
  for (const XmlErrorRecord& error : capture.Errors()) {
    if (hasDocumentType || error.code != XML_DTD_NO_DTD) {
      return &error;
    }
  }
  return nullptr;
}

}  // namespace

ValidatingLoadResult LoadValidatedDocument(const std::filesystem::path& file,
                                           const std::filesystem::path& mediumFolder) {
  static const bool prepared = [] {
    xmlInitParser();
    RegisterShiftJisInput();
    return true;
  }();
  (void)prepared;

  ValidatingLoadResult result;
  XmlErrorCapture capture;
  MediumFolderScope scope(mediumFolder);
  const std::unique_ptr<xmlParserCtxt, ContextDeleter> context(xmlNewParserCtxt());
  if (!context) {
    result.status = ValidatingLoadResult::Status::kLibraryError;
    result.reason = u"out of memory";
    return result;
  }
  context->sax->resolveEntity = &ResolveEntity;
  xmlDocPtr parsed =
      xmlCtxtReadFile(context.get(), FileUrlFromPath(file).c_str(), nullptr, kParseOptions);
  auto document = parsed != nullptr ? std::make_shared<XmlDocument>(parsed) : nullptr;
  const bool hasDocumentType = parsed != nullptr && xmlGetIntSubset(parsed) != nullptr;
  const XmlErrorRecord* error = DecisiveError(capture, hasDocumentType);
  if (!scope.RefusalReason().empty()) {
    result.reason = scope.RefusalReason();
  } else if (scope.NulInDocument()) {
    result.reason =
        u"XMLファイルにNUL文字（0x00）が含まれています。 (" + FromFsPath(file.filename()) + u")";
  } else if (error != nullptr) {
    result.reason = DescribeError(*error);
  } else if (!document || !context->wellFormed || (hasDocumentType && !context->valid)) {
    result.reason = u"XMLファイルを読み込めません。";
  } else {
    result.status = ValidatingLoadResult::Status::kLoaded;
    result.document = std::move(document);
  }
  return result;
}

}  // namespace kestrova
