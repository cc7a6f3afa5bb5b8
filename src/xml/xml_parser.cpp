#include "xml/xml_parser.h"

#include <libxml/tree.h>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "run/finding_writer.h"
#include "xml/validating_load.h"
#include "xml/xml_document.h"
#include "xml/xml_file_path.h"

namespace kestrova {
namespace {

constexpr int kFileError = RecordOf(FindingKind::XmlFileMissing).code;

constexpr char16_t kLoadLabel[] = u"open of URL(xml file load)";
constexpr char16_t kSelectLabel[] = u"get xml element";

Finding LibraryError(const char16_t* label, const std::u16string& description) {
  return MakeFinding(FindingKind::XmlLibraryError, {label, description});
}

// The fixed line of a failure that is neither the parser's nor the evaluator's.
Finding OtherFailure(const char16_t* label) {
  return MakeFinding(FindingKind::XmlOtherFailure, {label});
}

// A reason on one line: CR LF pairs removed, any other line break a blank.
std::u16string OneLine(std::u16string_view text) {
  std::u16string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++i;
    } else if (text[i] == u'\r' || text[i] == u'\n') {
      line.push_back(u' ');
    } else {
      line.push_back(text[i]);
    }
  }
  return line;
}

Finding DocumentTypeFinding(FindingKind kind, const std::u16string& expectedDtd) {
  return MakeFinding(
      kind, {},
      {u"                      DTDファイルは、『" + expectedDtd + u"』を指定してください。"});
}

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The text of the node and its descendants without leading and trailing white space; empty for
// an element without child nodes.
std::u16string NodeValue(xmlNodePtr node) {
  if (node->type == XML_ELEMENT_NODE && node->children == nullptr) {
    return {};
  }
  xmlChar* content = xmlNodeGetContent(node);
  if (content == nullptr) {
    return {};
  }
  std::string_view text(reinterpret_cast<const char*>(content));
  while (!text.empty() && IsXmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsXmlSpace(text.back())) text.remove_suffix(1);
  std::u16string value = Utf8ToUtf16(text);
  xmlFree(content);
  return value;
}

std::u16string NodeName(xmlNodePtr node) {
  return node->name != nullptr ? Utf8ToUtf16(reinterpret_cast<const char*>(node->name))
                               : std::u16string();
}

std::vector<CXmlElementValue> NameValues(const std::vector<xmlNodePtr>& nodes) {
  std::vector<CXmlElementValue> values;
  values.reserve(nodes.size());
  for (xmlNodePtr node : nodes) {
    values.push_back({NodeName(node), NodeValue(node)});
  }
  return values;
}

}  // namespace

CXmlNode CXmlNodeList::GetItem(int index) const {
  if (index < 0 || index >= GetLength()) {
    return {};
  }
  return CXmlNode(m_document, m_nodes[static_cast<size_t>(index)]);
}

int CXmlParser::Load(const std::u16string& path, std::u16string& message,
                     const std::u16string& mediumFolder) {
  m_document.reset();
  int result = CheckEncodingDeclaration(path, message);
  if (result == 0) {
    const auto file = FindXmlFile(path);
    if (!file) {
      result = PutFindingInMessage(MakeFinding(FindingKind::XmlFileMissing), message);
    } else {
      const std::filesystem::path folder =
          mediumFolder.empty() ? file->parent_path() : ToFsPath(mediumFolder);
      ValidatingLoadResult loaded = LoadValidatedDocument(*file, folder);
      switch (loaded.status) {
        case ValidatingLoadResult::Status::kLoaded:
          m_document = std::move(loaded.document);
          break;
        case ValidatingLoadResult::Status::kRejected:
          result = PutFindingInMessage(
              MakeFinding(FindingKind::XmlFileNotValid, {OneLine(loaded.reason)}), message);
          break;
        case ValidatingLoadResult::Status::kLibraryError:
          result = PutFindingInMessage(LibraryError(kLoadLabel, OneLine(loaded.reason)), message);
          break;
      }
    }
  }
  m_path = path;
  return result;
}

int CXmlParser::CheckDocumentType(const std::u16string& expectedDtd,
                                  std::u16string& message) const {
  if (!CheckLoaded(message)) {
    return kFileError;
  }
  // A declaration without a SYSTEM identifier names no DTD file either.
  const xmlDtdPtr declaration = xmlGetIntSubset(m_document->Get());
  if (declaration == nullptr || declaration->SystemID == nullptr) {
    return PutFindingInMessage(DocumentTypeFinding(FindingKind::DocumentTypeMissing, expectedDtd),
                               message);
  }
  if (Utf8ToUtf16(reinterpret_cast<const char*>(declaration->SystemID)) == expectedDtd) {
    return 0;
  }
  return PutFindingInMessage(DocumentTypeFinding(FindingKind::DocumentTypeWrong, expectedDtd),
                             message);
}

bool CXmlParser::CheckLoaded(std::u16string& message) const {
  if (!m_document) {
    PutFindingInMessage(MakeFinding(FindingKind::XmlFileNotLoaded), message);
  }
  return m_document != nullptr;
}

int CXmlParser::Select(const std::u16string& expression, _xmlNode* context,
                       std::vector<_xmlNode*>& nodes, std::u16string& message) const {
  std::u16string description;
  switch (m_document->Select(expression, context, nodes, description)) {
    case XmlDocument::SelectStatus::kOk:
      return 0;
    case XmlDocument::SelectStatus::kEvaluatorError:
      return PutFindingInMessage(LibraryError(kSelectLabel, OneLine(description)), message);
    case XmlDocument::SelectStatus::kNotNodeSet:
      break;
  }
  return PutFindingInMessage(OtherFailure(kSelectLabel), message);
}

int CXmlParser::SelectAnywhere(const std::u16string& path, std::vector<_xmlNode*>& nodes,
                               std::u16string& message) const {
  return Select(u"//" + path, xmlDocGetRootElement(m_document->Get()), nodes, message);
}

int CXmlParser::GetElementValues(const std::u16string& path, std::vector<std::u16string>& values,
                                 std::u16string& message) const {
  values.clear();
  std::vector<_xmlNode*> nodes;
  if (!CheckLoaded(message) || SelectAnywhere(path, nodes, message) != 0) {
    return kFileError;
  }
  for (_xmlNode* node : nodes) {
    values.push_back(NodeValue(node));
  }
  return 0;
}

int CXmlParser::GetElementNameValues(const std::u16string& path,
                                     std::vector<CXmlElementValue>& values,
                                     std::u16string& message) const {
  values.clear();
  std::vector<_xmlNode*> nodes;
  if (!CheckLoaded(message) || SelectAnywhere(path, nodes, message) != 0) {
    return kFileError;
  }
  values = NameValues(nodes);
  return 0;
}

int CXmlParser::GetChildNameValues(CXmlNode context, const std::u16string& path,
                                   std::vector<CXmlElementValue>& values,
                                   std::u16string& message) const {
  values.clear();
  if (!CheckLoaded(message)) {
    return kFileError;
  }
  // A node of another document (or none) cannot be a context here.
  if (context.IsEmpty() || context.m_document != m_document) {
    return PutFindingInMessage(OtherFailure(kSelectLabel), message);
  }
  std::vector<_xmlNode*> nodes;
  if (Select(path, context.m_node, nodes, message) != 0) {
    return kFileError;
  }
  values = NameValues(nodes);
  return 0;
}

int CXmlParser::SelectNodes(CXmlNodeList& nodes, std::u16string& message,
                            const std::u16string& path) const {
  std::vector<_xmlNode*> selected;
  if (!CheckLoaded(message) ||
      Select(path, xmlDocGetRootElement(m_document->Get()), selected, message) != 0) {
    return kFileError;
  }
  nodes.m_document = m_document;
  nodes.m_nodes = std::move(selected);
  return 0;
}

}  // namespace kestrova
