#include "about_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app_fonts.h"
#include "program_icon.h"
#include "run/version.h"

namespace kestrova {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Kestrovaシステム のバージョン情報"));
  setFont(DialogFont());

  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(48, 48));
  auto* text =
      new QLabel(QStringLiteral("Kestrovaシステム バージョン ") + QString::fromLatin1(kVersion) +
                     QStringLiteral("\n工事写真の電子納品チェック"),
                 this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addWidget(text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kestrova
