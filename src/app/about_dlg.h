// The version dialog: the program's name, icon and version.
#pragma once

#include <QDialog>

namespace kestrova {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent);
};

// The text of the menu entry that opens the version dialog.
inline constexpr char16_t kAboutMenuText[] = u"Kestrovaシステム のバージョン情報(&A)...";

}  // namespace kestrova
