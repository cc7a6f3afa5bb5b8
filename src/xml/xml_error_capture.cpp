#include "xml/xml_error_capture.h"

#include <libxml/globals.h>

namespace kestrova {

XmlErrorCapture::XmlErrorCapture()
    : m_previousStructured(xmlStructuredError),
      m_previousStructuredContext(xmlStructuredErrorContext),
      m_previousGeneric(xmlGenericError),
      m_previousGenericContext(xmlGenericErrorContext) {
  xmlSetStructuredErrorFunc(this, &XmlErrorCapture::OnStructuredError);
  xmlSetGenericErrorFunc(this, &XmlErrorCapture::OnGenericError);
}

XmlErrorCapture::~XmlErrorCapture() {
  xmlSetStructuredErrorFunc(m_previousStructuredContext, m_previousStructured);
  xmlSetGenericErrorFunc(m_previousGenericContext, m_previousGeneric);
}

// Enough to choose the decisive one; a broken document can report thousands.
constexpr size_t kKeptErrors = 16;

void XmlErrorCapture::OnStructuredError(void* self, xmlErrorPtr error) {
  auto* capture = static_cast<XmlErrorCapture*>(self);
  if (error == nullptr || error->level < XML_ERR_ERROR || capture->m_errors.size() >= kKeptErrors) {
    return;
  }
  XmlErrorRecord record;
  record.code = error->code;
  record.line = error->line;
  record.message = error->message != nullptr ? error->message : "";
  while (!record.message.empty() &&
         (record.message.back() == '\n' || record.message.back() == '\r')) {
    record.message.pop_back();
  }
  record.file = error->file != nullptr ? error->file : "";
  capture->m_errors.push_back(std::move(record));
}

// Free-form texts (context dumps of the default handlers) carry nothing the structured reports
// lack; they are dropped so that nothing reaches the console.
void XmlErrorCapture::OnGenericError(void*, const char*, ...) {}

}  // namespace kestrova
