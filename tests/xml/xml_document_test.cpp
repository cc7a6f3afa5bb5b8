// Paths selected from a loaded document: the child paths walked directly select what the XPath
// evaluator selects, and every other expression is left to the evaluator.
#include "xml/xml_document.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <string>

#include "platform/text_encoding.h"

namespace kestrova {
namespace {

// Elements of one name at several depths, among comments, text, CDATA, an expanded entity and
// elements in namespaces; names with a hyphen, a dot, an underscore and a long vowel mark.
constexpr char kDocument[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE 写真 [<!ENTITY 区分 "<写真区分>e</写真区分>">]>
<写真 xmlns="urn:a" xmlns:p="urn:p">
  <写真情報><写真区分>1</写真区分><!-- c --><写真区分>2</写真区分>t<![CDATA[x]]><p:写真区分>3</p:写真区分></写真情報>
  <写真情報><写真区分><写真区分>4</写真区分></写真区分>&区分;<写真区分/></写真情報>
  <写真-大分類>a</写真-大分類><a.b>b</a.b><_x1>c</_x1><ファイルー名>d</ファイルー名>
</写真>)";

// The nodes that libxml2's evaluator selects for the expression from the node.
std::vector<xmlNodePtr> Evaluated(xmlDocPtr document, xmlNodePtr context,
                                  const std::u16string& expression) {
  xmlXPathContextPtr evaluator = xmlXPathNewContext(document);
  evaluator->node = context;
  xmlXPathObjectPtr result = xmlXPathEvalExpression(
      reinterpret_cast<const xmlChar*>(Utf16ToUtf8(expression).c_str()), evaluator);
  std::vector<xmlNodePtr> nodes;
  if (result != nullptr && result->type == XPATH_NODESET && result->nodesetval != nullptr) {
    nodes.assign(result->nodesetval->nodeTab,
                 result->nodesetval->nodeTab + result->nodesetval->nodeNr);
  }
  xmlXPathFreeObject(result);
  xmlXPathFreeContext(evaluator);
  return nodes;
}

TEST(XmlDocumentSelect, ChildPathsSelectWhatTheEvaluatorSelects) {
  XmlDocument document(xmlReadMemory(kDocument, sizeof kDocument - 1, nullptr, nullptr,
                                     XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOWARNING));
  ASSERT_NE(document.Get(), nullptr);
  const xmlNodePtr root = xmlDocGetRootElement(document.Get());
  const xmlNodePtr second = xmlNextElementSibling(xmlFirstElementChild(root));
  const struct {
    xmlNodePtr context;
    std::u16string expression;
    std::size_t count;
  } cases[] = {
      {root, u"写真情報", 2},
      {root, u"写真情報/写真区分", 6},
      {root, u"写真情報/写真区分/写真区分", 1},
      {second, u"写真区分", 3},
      {root, u"写真-大分類", 1},
      {root, u"a.b", 1},
      {root, u"_x1", 1},
      {root, u"ファイルー名", 1},
      {root, u"写真情報/なし", 0},
      {root, u"写真区分", 0},
      // Left to the evaluator.
      {root, u"写真情報//写真区分", 7},
      {root, u"*/写真区分", 6},
      {root, u"写真情報[2]/写真区分", 3},
      {root, u" 写真情報 / 写真区分", 6},
      {root, u"写真情報/text()", 2},
      {root, u"/写真/写真情報", 2},
  };
  for (const auto& c : cases) {
    std::vector<xmlNodePtr> selected;
    std::u16string description;
    ASSERT_EQ(document.Select(c.expression, c.context, selected, description),
              XmlDocument::SelectStatus::kOk)
        << Utf16ToUtf8(c.expression);
    EXPECT_EQ(selected, Evaluated(document.Get(), c.context, c.expression))
        << Utf16ToUtf8(c.expression);
    EXPECT_EQ(selected.size(), c.count) << Utf16ToUtf8(c.expression);
    // Asked again, the kept expression answers the same.
    std::vector<xmlNodePtr> again;
    ASSERT_EQ(document.Select(c.expression, c.context, again, description),
              XmlDocument::SelectStatus::kOk);
    EXPECT_EQ(again, selected) << Utf16ToUtf8(c.expression);
  }
  // Names the evaluator refuses (a middle dot is no name character for it) stay refused.
  for (const std::u16string expression : {u"写真情報/", u"写真・情報"}) {
    std::vector<xmlNodePtr> none;
    std::u16string description;
    EXPECT_EQ(document.Select(expression, root, none, description),
              XmlDocument::SelectStatus::kEvaluatorError)
        << Utf16ToUtf8(expression);
    EXPECT_FALSE(description.empty());
  }
}

}  // namespace
}  // namespace kestrova
