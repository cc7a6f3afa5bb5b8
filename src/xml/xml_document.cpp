#include "xml/xml_document.h"

#include "platform/text_encoding.h"
#include "xml/xml_error_capture.h"

namespace kestrova {
namespace {

std::u16string Description(const XmlErrorCapture& capture, const char16_t* fallback) {
  return capture.Errors().empty() ? fallback : Utf8ToUtf16(capture.Errors().front().message);
}

// Takes every element out of its namespace, so that the paths, which name elements without
// one, find them whatever namespace a declaration (an xmlns attribute, given or defaulted by
// the DTD) put them in. The walk is iterative: documents may nest deeply.
void ForgetElementNamespaces(xmlDocPtr document) {
  xmlNodePtr root = document != nullptr ? xmlDocGetRootElement(document) : nullptr;
  for (xmlNodePtr node = root; node != nullptr;) {
    node->ns = nullptr;
    xmlNodePtr next = xmlFirstElementChild(node);
    while (next == nullptr && node != root) {
      next = xmlNextElementSibling(node);
      if (next == nullptr) node = node->parent;
    }
    node = next;
  }
}

}  // namespace

XmlDocument::XmlDocument(xmlDocPtr document) : m_document(document) {
  ForgetElementNamespaces(m_document);
}

XmlDocument::~XmlDocument() {
  for (auto& [text, compiled] : m_compiled) {
    xmlXPathFreeCompExpr(compiled);
  }
  if (m_evaluator != nullptr) {
    xmlXPathFreeContext(m_evaluator);
  }
  xmlFreeDoc(m_document);
}

xmlXPathCompExprPtr XmlDocument::Compiled(const std::u16string& expression,
                                          std::u16string& description) {
  const auto known = m_compiled.find(expression);
  if (known != m_compiled.end()) {
    return known->second;
  }
  XmlErrorCapture capture;
  xmlXPathCompExprPtr compiled = xmlXPathCtxtCompile(
      m_evaluator, reinterpret_cast<const xmlChar*>(Utf16ToUtf8(expression).c_str()));
  if (compiled == nullptr) {
    description = Description(capture, u"Invalid expression");
    return nullptr;
  }
  m_compiled.emplace(expression, compiled);
  return compiled;
}

XmlDocument::SelectStatus XmlDocument::Select(const std::u16string& expression, xmlNodePtr context,
                                              std::vector<xmlNodePtr>& nodes,
                                              std::u16string& description) {
  if (m_evaluator == nullptr) {
    m_evaluator = xmlXPathNewContext(m_document);
    if (m_evaluator == nullptr) {
      description = u"out of memory";
      return SelectStatus::kEvaluatorError;
    }
  }
  xmlXPathCompExprPtr compiled = Compiled(expression, description);
  if (compiled == nullptr) {
    return SelectStatus::kEvaluatorError;
  }
  XmlErrorCapture capture;
  m_evaluator->node = context;
  xmlXPathObjectPtr result = xmlXPathCompiledEval(compiled, m_evaluator);
  if (result == nullptr) {
    description = Description(capture, u"Evaluation failed");
    return SelectStatus::kEvaluatorError;
  }
  SelectStatus status = SelectStatus::kNotNodeSet;
  if (result->type == XPATH_NODESET) {
    status = SelectStatus::kOk;
    nodes.clear();
    const xmlNodeSetPtr found = result->nodesetval;
    for (int i = 0; found != nullptr && i < found->nodeNr; ++i) {
      // Namespace nodes are copies that go with the result; no path of the rules asks for them.
      if (found->nodeTab[i]->type != XML_NAMESPACE_DECL) {
        nodes.push_back(found->nodeTab[i]);
      }
    }
  }
  xmlXPathFreeObject(result);
  return status;
}

}  // namespace kestrova
