#include "xml/media_values.h"

#include <vector>

#include "rules/default_settings.h"
#include "rules/error_limits.h"

namespace kestrova {
namespace {

// A value's leading decimal integer: leading white space and a sign accepted, 0 without a
// digit, held within the range of a 32-bit integer.
int LeadingNumber(const std::u16string& value) { return static_cast<int>(ConvertLimit(value)); }

int ReadNumber(const CPhotoKQXmlParser& parser, const std::u16string& path,
               const ValueValidator& validate, std::u16string& message) {
  std::vector<std::u16string> values;
  if (parser.GetElementValues(path, values, message) != 0) {
    return 0;
  }
  int number = 0;
  for (const std::u16string& value : values) {
    if (validate(value, path, message) != 0) {
      return number;
    }
    number = LeadingNumber(value);
  }
  return number;
}

}  // namespace

int GetMediaTotal(const CPhotoKQXmlParser& parser, const ValueValidator& validate,
                  std::u16string& message) {
  return ReadNumber(parser, GetDefaultSettings().MEDHIA_ALL_ELM, validate, message);
}

int GetMediaNumber(const CPhotoKQXmlParser& parser, const ValueValidator& validate,
                   std::u16string& message) {
  return ReadNumber(parser, GetDefaultSettings().MEDHIA_NO_ELM, validate, message);
}

std::u16string GetGuidelineText(const CPhotoKQXmlParser& parser, std::u16string& message) {
  std::vector<std::u16string> values;
  if (parser.GetElementValues(GetDefaultSettings().RULE_ELM, values, message) != 0 ||
      values.empty()) {
    return {};
  }
  return values.back();
}

}  // namespace kestrova
