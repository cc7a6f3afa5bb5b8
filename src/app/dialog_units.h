// Dialog units: positions of the dialogs' controls, converted to pixels the way the dialog
// font's metrics give, so that the dialogs keep their proportions on any screen and font size.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace kestrova {

class DialogUnits {
 public:
  // A horizontal unit is a quarter of the font's average width of the Latin letters, a vertical
  // unit an eighth of its em height, both in whole pixels as a dialog template measures them.
  explicit DialogUnits(const QFont& font);

  QRect Rect(int x, int y, int width, int height) const;
  QSize Size(int width, int height) const;

 private:
  int X(int units) const;
  int Y(int units) const;

  int m_baseX;
  int m_baseY;
};

}  // namespace kestrova
