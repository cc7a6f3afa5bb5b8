// Reading the two XML files of a medium: loading with the encoding test and DTD validation, the
// document type test, and element values selected by path expressions. Every operation returns
// 0 or an error code (5023 file or document, 5024 document type, 5025 encoding) and, on failure,
// writes the finished result log line(s) into the caller's message text.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct _xmlNode;

namespace kestrova {

class XmlDocument;

// Name and value of one selected element.
struct CXmlElementValue {
  std::u16string name;
  std::u16string value;
};

// A node of a loaded document; it keeps the document alive.
class CXmlNode {
 public:
  CXmlNode() = default;
  bool IsEmpty() const { return m_node == nullptr; }

 private:
  friend class CXmlParser;
  friend class CXmlNodeList;
  CXmlNode(std::shared_ptr<XmlDocument> document, _xmlNode* node)
      : m_document(std::move(document)), m_node(node) {}

  std::shared_ptr<XmlDocument> m_document;
  _xmlNode* m_node = nullptr;
};

// Selected nodes in document order; it keeps the document alive.
class CXmlNodeList {
 public:
  int GetLength() const { return static_cast<int>(m_nodes.size()); }
  // The node at the 0-based index; an empty node outside the list.
  CXmlNode GetItem(int index) const;

 private:
  friend class CXmlParser;
  std::shared_ptr<XmlDocument> m_document;
  std::vector<_xmlNode*> m_nodes;
};

class CXmlParser {
 public:
  CXmlParser() = default;
  CXmlParser(const CXmlParser&) = default;
  CXmlParser& operator=(const CXmlParser&) = default;
  CXmlParser(CXmlParser&&) = default;
  CXmlParser& operator=(CXmlParser&&) = default;
  virtual ~CXmlParser() = default;

  // Loads the file after CheckEncodingDeclaration, validating it against the DTD that its
  // document type declaration names, found relative to the file: 0, 5023 or 5025. The DTD and
  // any external entity must lie in mediumFolder or below (empty: the file's own folder); the
  // check sequence passes the medium path, so that PHOTO/PHOTO.XML may name files of the
  // medium. "\" counts as a folder separator in both paths, as the rule files write them; names
  // are resolved ignoring letter case. The path is kept whatever the result.
  int Load(const std::u16string& path, std::u16string& message,
           const std::u16string& mediumFolder = {});

  // Tests that the encoding pseudo-attribute of the XML declaration at the start of the file
  // (after a byte order mark; within its first 257 characters) names the encoding the rule set
  // g_szRuleSet requires ("UTF-8" for PHOT_KQ4, else "SHIFT_JIS"), ignoring case, and that a
  // byte order mark agrees with it: 0, 5023 (cannot be opened) or 5025.
  int CheckEncodingDeclaration(const std::u16string& path, std::u16string& message) const;

  // 0 when the document type declaration's SYSTEM identifier is exactly expectedDtd; 5023 when
  // nothing is loaded; 5024 with two lines when it differs or names no DTD file.
  int CheckDocumentType(const std::u16string& expectedDtd, std::u16string& message) const;

  // The values of the elements that match "//" + path, in document order: 0 or 5023.
  int GetElementValues(const std::u16string& path, std::vector<std::u16string>& values,
                       std::u16string& message) const;
  // Names and values of the elements that match "//" + path: 0 or 5023.
  int GetElementNameValues(const std::u16string& path, std::vector<CXmlElementValue>& values,
                           std::u16string& message) const;
  // Names and values of the elements that match the path relative to the node: 0 or 5023.
  int GetChildNameValues(CXmlNode context, const std::u16string& path,
                         std::vector<CXmlElementValue>& values, std::u16string& message) const;
  // The nodes that match the path relative to the document element: 0 or 5023; the list is
  // left as it was on failure.
  int SelectNodes(CXmlNodeList& nodes, std::u16string& message, const std::u16string& path) const;

  bool IsLoaded() const { return m_document != nullptr; }
  const std::u16string& GetPath() const { return m_path; }

 private:
  // True when a document is loaded; otherwise the "not loaded" line goes into the message.
  bool CheckLoaded(std::u16string& message) const;
  // The nodes the path selects from the context node, or 5023 with its line in the message.
  int Select(const std::u16string& expression, _xmlNode* context, std::vector<_xmlNode*>& nodes,
             std::u16string& message) const;
  // The same for "//" + path from the document element.
  int SelectAnywhere(const std::u16string& path, std::vector<_xmlNode*>& nodes,
                     std::u16string& message) const;

  // Shared by copies: a copy keeps the document alive.
  std::shared_ptr<XmlDocument> m_document;
  std::u16string m_path;
};

// The management file (PHOTO_KQ.XML).
class CPhotoKQXmlParser : public CXmlParser {};

// The photo attribute file (PHOTO/PHOTO.XML).
class CPhotoXmlParser : public CXmlParser {};

}  // namespace kestrova
