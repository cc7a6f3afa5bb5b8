#include "folder_browser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

namespace kestrova {

CFolderBrowser::CFolderBrowser(QWidget* owner, const QString& prompt, const QString& preselect)
    : QDialog(owner) {
  QString title = prompt;
  title.remove(QLatin1Char('\n'));
  setWindowTitle(title);

  m_prompt = new QLabel(prompt, this);
  m_prompt->setObjectName(QStringLiteral("prompt"));
  m_prompt->setTextFormat(Qt::PlainText);
  m_prompt->setWordWrap(true);

  // Qt's own browser, not the desktop's: only it lets the prompt stand above the folders and
  // the new folder button go.
  m_folders = new QFileDialog(this);
  m_folders->setWindowFlags(Qt::Widget);
  m_folders->setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog |
                        QFileDialog::ReadOnly);
  m_folders->setFileMode(QFileDialog::Directory);
  m_folders->setDirectory(preselect.isEmpty() ? StartFolder() : preselect);
  if (auto* newFolder = m_folders->findChild<QToolButton*>(QStringLiteral("newFolderButton"))) {
    newFolder->hide();
  }
  connect(m_folders, &QDialog::accepted, this, &QDialog::accept);
  connect(m_folders, &QDialog::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_prompt);
  layout->addWidget(m_folders, 1);
}

QString CFolderBrowser::ChosenFolder() const {
  if (result() != QDialog::Accepted) {
    return QString();
  }
  const QStringList chosen = m_folders->selectedFiles();
  return chosen.isEmpty() ? QString() : QDir::cleanPath(chosen.front());
}

QString CFolderBrowser::StartFolder() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

}  // namespace kestrova
