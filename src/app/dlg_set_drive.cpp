#include "dlg_set_drive.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "app_fonts.h"
#include "dialog_units.h"
#include "user_prompts.h"

namespace kestrova {

QString g_szLastFolder;

QString FolderToPreselect() {
  return !g_szLastFolder.isEmpty() && QFileInfo::exists(g_szLastFolder) ? g_szLastFolder
                                                                        : QString();
}

CDlgSetDrive::CDlgSetDrive(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("電子媒体指定"));
  setFont(DialogFont());
  const DialogUnits units(font());
  setFixedSize(units.Size(248, 76));

  auto* prompt = new QLabel(
      QStringLiteral("媒体が格納されているドライブ、またはフォルダーを指定してください"), this);
  // As wide as the dialog allows: the Japanese sentence is wider than its 196 units in most fonts.
  prompt->setGeometry(units.Rect(13, 13, 228, 10));

  m_driveList = new QComboBox(this);
  m_driveList->setObjectName(QStringLiteral("1003"));
  const QRect listRect = units.Rect(12, 30, 103, 62);
  m_driveList->setGeometry(listRect.x(), listRect.y(), listRect.width(),
                           m_driveList->sizeHint().height());

  auto* folderButton = new QPushButton(QStringLiteral("フォルダーの指定"), this);
  folderButton->setObjectName(QStringLiteral("1034"));
  folderButton->setGeometry(units.Rect(124, 29, 111, 15));
  folderButton->setAutoDefault(false);
  connect(folderButton, &QPushButton::clicked, this, &CDlgSetDrive::OnSelectFolder);

  auto* okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setObjectName(QStringLiteral("1"));
  okButton->setGeometry(units.Rect(124, 55, 50, 14));
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &CDlgSetDrive::accept);

  auto* cancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancelButton->setObjectName(QStringLiteral("2"));
  cancelButton->setGeometry(units.Rect(184, 55, 50, 14));
  cancelButton->setAutoDefault(false);
  connect(cancelButton, &QPushButton::clicked, this, &CDlgSetDrive::reject);
}

int CDlgSetDrive::exec() {
  OnInitDialog();
  return QDialog::exec();
}

void CDlgSetDrive::SetDriveSource(std::function<std::vector<DriveEntry>()> source) {
  m_driveSource = std::move(source);
}

void CDlgSetDrive::OnInitDialog() {
  m_drives = m_driveSource();
  m_driveList->clear();
  for (const DriveEntry& drive : m_drives) {
    m_driveList->addItem(DriveItemText(drive));
  }
  // An index beyond the list (the volumes changed) leaves no drive selected.
  m_driveList->setCurrentIndex(m_nDriveIndex < m_driveList->count() ? m_nDriveIndex : -1);
  // The first control of the dialog, as its tab order goes.
  m_driveList->setFocus();
}

void CDlgSetDrive::accept() {
  const int index = m_driveList->currentIndex();
  if (index < 0 || index >= static_cast<int>(m_drives.size())) {
    ShowMessage(this, u"ドライブを選択してください", MessageIcon::Exclamation);
    return;
  }
  m_nDriveIndex = index;
  m_target = DriveTarget(m_drives[static_cast<size_t>(index)].root.toStdU16String());
  QDialog::accept();
}

void CDlgSetDrive::OnSelectFolder() {
  const QString folder = Prompts().browseFolder(
      this, QStringLiteral("電子納品データのルートフォルダを選択してください。"),
      FolderToPreselect());
  if (folder.isEmpty()) {
    reject();
    return;
  }
  m_target = FolderTarget(folder.toStdU16String());
  g_szLastFolder = folder;
  QDialog::accept();
}

}  // namespace kestrova
