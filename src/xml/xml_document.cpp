#include "xml/xml_document.h"

#include <algorithm>

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

// A letter that starts an element name in every edition of XML and in the path evaluator:
// ASCII letters, the underscore, hiragana, katakana and the unified ideographs of Unicode 2.0.
// Names with any other letter go to the evaluator, which is the authority on them.
bool IsNameStart(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' ||
         (c >= 0x3041 && c <= 0x3094) || (c >= 0x30A1 && c <= 0x30FA) ||
         (c >= 0x4E00 && c <= 0x9FA5);
}

bool IsNameRest(char16_t c) {
  return IsNameStart(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'.' || c == 0x30FC;
}

// The element names of an expression made only of child steps with such names ("a/b/c");
// empty for any other expression.
std::vector<std::string> ChildStepNames(std::u16string_view expression) {
  std::vector<std::string> names;
  for (std::size_t start = 0; start <= expression.size();) {
    const std::size_t end = std::min(expression.find(u'/', start), expression.size());
    const std::u16string_view step = expression.substr(start, end - start);
    if (step.empty() || !IsNameStart(step.front()) ||
        !std::all_of(step.begin(), step.end(), IsNameRest)) {
      return {};
    }
    names.push_back(Utf16ToUtf8(step));
    start = end + 1;
  }
  return names;
}

// The elements that the child steps reach from the context node, in document order: the
// children of nodes in document order, each in the order of its parent's children.
std::vector<xmlNodePtr> WalkChildSteps(xmlNodePtr context, const std::vector<std::string>& names) {
  std::vector<xmlNodePtr> level{context};
  std::vector<xmlNodePtr> next;
  for (const std::string& name : names) {
    next.clear();
    const auto* wanted = reinterpret_cast<const xmlChar*>(name.c_str());
    for (xmlNodePtr parent : level) {
      for (xmlNodePtr child = parent->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && xmlStrEqual(child->name, wanted)) {
          next.push_back(child);
        }
      }
    }
    level.swap(next);
  }
  return level;
}

}  // namespace

XmlDocument::XmlDocument(xmlDocPtr document) : m_document(document) {
  ForgetElementNamespaces(m_document);
}

XmlDocument::~XmlDocument() {
  for (auto& [text, expression] : m_expressions) {
    if (expression.compiled != nullptr) xmlXPathFreeCompExpr(expression.compiled);
  }
  if (m_evaluator != nullptr) {
    xmlXPathFreeContext(m_evaluator);
  }
  xmlFreeDoc(m_document);
}

const XmlDocument::Expression* XmlDocument::Prepared(const std::u16string& expression,
                                                     std::u16string& description) {
  const auto known = m_expressions.find(expression);
  if (known != m_expressions.end()) {
    return &known->second;
  }
  Expression prepared{ChildStepNames(expression)};
  if (prepared.childNames.empty()) {
    XmlErrorCapture capture;
    prepared.compiled = xmlXPathCtxtCompile(
        m_evaluator, reinterpret_cast<const xmlChar*>(Utf16ToUtf8(expression).c_str()));
    if (prepared.compiled == nullptr) {
      description = Description(capture, u"Invalid expression");
      return nullptr;
    }
  }
  return &m_expressions.emplace(expression, std::move(prepared)).first->second;
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
  const Expression* prepared = Prepared(expression, description);
  if (prepared == nullptr) {
    return SelectStatus::kEvaluatorError;
  }
  if (!prepared->childNames.empty()) {
    nodes = WalkChildSteps(context, prepared->childNames);
    return SelectStatus::kOk;
  }
  XmlErrorCapture capture;
  m_evaluator->node = context;
  xmlXPathObjectPtr result = xmlXPathCompiledEval(prepared->compiled, m_evaluator);
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
