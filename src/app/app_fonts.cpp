#include "app_fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace kestrova {
namespace {

constexpr int kPointSize = 9;

QFont Preferred(const QString& family, QFont fallback) {
  QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : std::move(fallback);
  font.setPointSize(kPointSize);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace

QFont DialogFont() { return Preferred(QStringLiteral("Noto Sans CJK JP"), QApplication::font()); }

QFont LogFont() {
  QFont font = Preferred(QStringLiteral("Noto Sans Mono CJK JP"),
                         QFontDatabase::systemFont(QFontDatabase::FixedFont));
  font.setFixedPitch(true);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace kestrova
