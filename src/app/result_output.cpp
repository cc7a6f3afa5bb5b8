#include "result_output.h"

namespace kestrova {

std::u16string ResultFileName(const LocalTime& time) {
  return u"Kestrova結果_" + FormatFileTime(time) + u".txt";
}

QString WithTxtExtension(const QString& path) {
  const QString extension = QStringLiteral(".txt");
  return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

}  // namespace kestrova
