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
  // Each expression text is prepared once and kept, so that selections repeated for every
  // photo entry cost only their evaluation. A path that only names child elements step by
  // step, in the names the rule tables use ("基礎情報/工事名称"), is walked directly, as the
  // evaluator would walk it, for a fraction of its cost.
  SelectStatus Select(const std::u16string& expression, xmlNodePtr context,
                      std::vector<xmlNodePtr>& nodes, std::u16string& description);

 private:
  // An expression as it is kept: the names of the child steps of a path that is walked
  // directly, else the compiled expression.
  struct Expression {
    std::vector<std::string> childNames;
    xmlXPathCompExprPtr compiled = nullptr;
  };
  const Expression* Prepared(const std::u16string& expression, std::u16string& description);

  xmlDocPtr m_document;
  xmlXPathContextPtr m_evaluator = nullptr;
  std::unordered_map<std::u16string, Expression> m_expressions;
};

}  // namespace kestrova
