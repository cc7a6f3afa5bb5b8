// Collects the errors libxml2 reports on the calling thread while an object of this class lives,
// instead of printing them; the previous handlers come back when it goes.
#pragma once

#include <string>
#include <vector>

#include <libxml/xmlerror.h>

namespace kestrova {

struct XmlErrorRecord {
  int code = 0;
  int line = 0;
  std::string message;  // UTF-8, without the trailing line feed
  std::string file;     // URL of the input the error was found in; may be empty
};

class XmlErrorCapture {
 public:
  XmlErrorCapture();
  ~XmlErrorCapture();
  XmlErrorCapture(const XmlErrorCapture&) = delete;
  XmlErrorCapture& operator=(const XmlErrorCapture&) = delete;

  // The first errors reported (warnings are not kept), in the order reported.
  const std::vector<XmlErrorRecord>& Errors() const { return m_errors; }

 private:
  static void OnStructuredError(void* self, xmlErrorPtr error);
  static void OnGenericError(void* self, const char* format, ...);

  std::vector<XmlErrorRecord> m_errors;
  xmlStructuredErrorFunc m_previousStructured;
  void* m_previousStructuredContext;
  xmlGenericErrorFunc m_previousGeneric;
  void* m_previousGenericContext;
};

}  // namespace kestrova
