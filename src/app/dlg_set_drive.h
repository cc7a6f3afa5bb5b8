// The media selection dialog: a drive from the list of mounted volumes, or a folder holding the
// image of one medium.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "check/engine_session.h"
#include "drive_list.h"

class QComboBox;

namespace kestrova {

// The folder chosen last in either folder browser; preselected by the next one.
extern QString g_szLastFolder;

// The folder to preselect in a folder browser: g_szLastFolder when it names an existing path.
QString FolderToPreselect();

class CDlgSetDrive : public QDialog {
  Q_OBJECT

 public:
  explicit CDlgSetDrive(QWidget* parent);

  // Fills the drive list afresh and shows the dialog modally, the drive list in the focus.
  int exec() override;

  // Replaces where the drive list comes from; the default lists the mounted media.
  void SetDriveSource(std::function<std::vector<DriveEntry>()> source);

  int m_nDriveIndex = 0;  // the drive chosen last, preselected the next time
  CheckTarget m_target;   // the chosen drive or folder

 public slots:
  // OK: takes the chosen drive.
  void accept() override;
  // "フォルダーの指定": the folder browser.
  void OnSelectFolder();

 private:
  void OnInitDialog();

  QComboBox* m_driveList;
  std::function<std::vector<DriveEntry>()> m_driveSource = MountedDrives;
  std::vector<DriveEntry> m_drives;
};

}  // namespace kestrova
