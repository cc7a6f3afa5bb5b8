// A loaded XML document with its path evaluator. The parsers and the node handles share it;
// it is freed with the last of them. Used by one thread at a time.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include <libxml/tree.h>
#include <libxml/xpath.h>

namespace kestrova {

class XmlDocument {
 public:
  // Takes ownership of the document.
  explicit XmlDocument(xmlDocPtr document);
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  xmlDocPtr Get() const { return m_document; }

  enum class SelectStatus {
    kOk,
    kEvaluatorError,  // the expression could not be compiled or evaluated; see description
    kNotNodeSet,      // the expression gives a number, string or truth value
  };

  // The nodes the XPath 1.0 expression selects from the context node, in document order.
  // Each expression text is compiled once and kept, so that selections repeated for every
  // photo entry cost only their evaluation.
  SelectStatus Select(const std::u16string& expression, xmlNodePtr context,
                      std::vector<xmlNodePtr>& nodes, std::u16string& description);

 private:
  xmlXPathCompExprPtr Compiled(const std::u16string& expression, std::u16string& description);

  xmlDocPtr m_document;
  xmlXPathContextPtr m_evaluator = nullptr;
  std::unordered_map<std::u16string, xmlXPathCompExprPtr> m_compiled;
};

}  // namespace kestrova
