#include "user_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "folder_browser.h"

namespace kestrova {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Exclamation:
      break;
  }
  return QMessageBox::Warning;
}

MessageAnswer RealMessageBox(QWidget* owner, const QString& text, MessageIcon icon,
                             MessageButtons buttons) {
  const auto standardButtons = buttons == MessageButtons::OkCancel
                                   ? QMessageBox::Ok | QMessageBox::Cancel
                                   : QMessageBox::StandardButtons(QMessageBox::Ok);
  // The engine's texts break lines with CR LF where a Windows message box expects them.
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(BoxIcon(icon), QString::fromUtf16(kMessageCaption), shown, standardButtons,
                  owner);
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

QString RealFolderBrowser(QWidget* owner, const QString& prompt, const QString& preselect) {
  CFolderBrowser browser(owner, prompt, preselect);
  browser.exec();
  return browser.ChosenFolder();
}

QString RealSaveFileDialog(QWidget* owner, const QString& title, const QString& initialPath,
                           const QString& filter) {
  return QFileDialog::getSaveFileName(owner, title, initialPath, filter);
}

bool RealPrintDialog(QWidget* owner, QPrinter& printer) {
  QPrintDialog dialog(&printer, owner);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

UserPrompts& Prompts() {
  static UserPrompts prompts{RealMessageBox, RealFolderBrowser, RealSaveFileDialog,
                             RealPrintDialog};
  return prompts;
}

MessageAnswer ShowMessage(QWidget* owner, const std::u16string& text, MessageIcon icon,
                          MessageButtons buttons) {
  return Prompts().messageBox(owner, QString::fromStdU16String(text), icon, buttons);
}

}  // namespace kestrova
