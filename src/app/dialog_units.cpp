#include "dialog_units.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace kestrova {

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  m_baseX = std::max(1, (metrics.horizontalAdvance(letters) + 26) / 52);
  m_baseY = std::max(1, QFontInfo(font).pixelSize());
}

int DialogUnits::X(int units) const { return (units * m_baseX + 2) / 4; }

int DialogUnits::Y(int units) const { return (units * m_baseY + 4) / 8; }

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
  return QRect(X(x), Y(y), X(width), Y(height));
}

QSize DialogUnits::Size(int width, int height) const { return QSize(X(width), Y(height)); }

}  // namespace kestrova
