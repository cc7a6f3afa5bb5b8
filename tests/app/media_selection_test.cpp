// Media selection: the drive list, the media dialog, and the names of saved results.
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app_test_support.h"
#include "dlg_set_drive.h"
#include "drive_list.h"
#include "result_output.h"
#include "run/run_globals.h"
#include "support/test_files.h"

Q_DECLARE_METATYPE(kestrova::VolumeKind)

namespace kestrova::test {

class MediaSelectionTest : public QObject {
  Q_OBJECT

 private slots:
  void classifyVolume_data() {
    QTest::addColumn<QByteArray>("device");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("root");
    QTest::addColumn<VolumeKind>("kind");
    QTest::newRow("CD") << QByteArray("/dev/sr0") << QByteArray("iso9660")
                        << QStringLiteral("/media/user/DISC") << VolumeKind::Optical;
    QTest::newRow("UDF image") << QByteArray("/dev/loop7") << QByteArray("udf")
                               << QStringLiteral("/mnt/image") << VolumeKind::Optical;
    QTest::newRow("stick") << QByteArray("/dev/sdz9") << QByteArray("vfat")
                           << QStringLiteral("/media/user/STICK") << VolumeKind::Removable;
    QTest::newRow("udisks") << QByteArray("/dev/sdz9") << QByteArray("exfat")
                            << QStringLiteral("/run/media/user/CARD") << VolumeKind::Removable;
    QTest::newRow("disk") << QByteArray("/dev/sdz9") << QByteArray("ext4")
                          << QStringLiteral("/srv/data") << VolumeKind::Fixed;
    QTest::newRow("root") << QByteArray("overlay") << QByteArray("overlay") << QStringLiteral("/")
                          << VolumeKind::Fixed;
  }

  void classifyVolume() {
    QFETCH(QByteArray, device);
    QFETCH(QByteArray, type);
    QFETCH(QString, root);
    QFETCH(VolumeKind, kind);
    QCOMPARE(ClassifyVolume(device, type, root), kind);
  }

  void mediaComeFirstInTheDriveList() {
    std::vector<DriveEntry> drives = {{"/", "/", VolumeKind::Fixed},
                                      {"/media/a", "A", VolumeKind::Removable},
                                      {"/home", "home", VolumeKind::Fixed},
                                      {"/media/cd", "CD", VolumeKind::Optical},
                                      {"/media/b", "B", VolumeKind::Removable}};
    OrderDrives(drives);
    QStringList roots;
    for (const DriveEntry& drive : drives) roots << drive.root;
    QCOMPARE(roots, (QStringList{"/media/cd", "/media/a", "/media/b", "/", "/home"}));
    QCOMPARE(DriveItemText(drives[0]), QStringLiteral("/media/cd  [CD]"));
  }

  void choosingADrive() {
    if (MountedDrives().empty()) {
      QSKIP("no mounted volume");
    }
    ScriptedPrompts prompts;
    CDlgSetDrive dialog(nullptr);
    QTimer::singleShot(0, &dialog,
                       [&dialog] { dialog.findChild<QPushButton*>(QStringLiteral("1"))->click(); });
    g_nMediaMode = 1;
    QCOMPARE(dialog.exec(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(dialog.m_nDriveIndex, 0);
    QCOMPARE(dialog.m_szPath, MountedDrives().front().root);
    QCOMPARE(dialog.m_strTarget, dialog.m_szPath);
    QCOMPARE(g_nMediaMode, 0);
    QVERIFY(prompts.messages.empty());
  }

  void okWithoutADriveKeepsTheDialogOpen() {
    ScriptedPrompts prompts;
    CDlgSetDrive dialog(nullptr);
    dialog.m_nDriveIndex = 100000;
    bool stayedOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
      dialog.findChild<QPushButton*>(QStringLiteral("1"))->click();
      stayedOpen = dialog.isVisible();
      dialog.findChild<QPushButton*>(QStringLiteral("2"))->click();
    });
    QCOMPARE(dialog.exec(), static_cast<int>(QDialog::Rejected));
    QVERIFY(stayedOpen);
    QCOMPARE(prompts.messages.size(), size_t{1});
    QCOMPARE(prompts.messages[0].text, QStringLiteral("ドライブを選択してください"));
    QCOMPARE(prompts.messages[0].icon, MessageIcon::Exclamation);
  }

  void folderBrowserPreselectsTheLastFolderAndItsCancelClosesTheDialog() {
    ScratchDir dir;
    const QString folder = QString::fromStdString((dir.path() / "媒体イメージ").string());
    std::filesystem::create_directories(folder.toStdString());
    ScriptedPrompts prompts;
    CDlgSetDrive dialog(nullptr);
    const auto clickFolder = [&dialog] {
      dialog.findChild<QPushButton*>(QStringLiteral("1034"))->click();
    };

    g_szLastFolder = QString::fromStdString((dir.path() / "無い").string());
    prompts.folders = {folder};
    QTimer::singleShot(0, &dialog, clickFolder);
    QCOMPARE(dialog.exec(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(prompts.browses.back().preselect, QString());
    QCOMPARE(prompts.browses.back().prompt,
             QStringLiteral("電子納品データのルートフォルダを選択してください。"));
    QCOMPARE(dialog.m_szPath, folder);
    QCOMPARE(dialog.m_strTarget, folder);
    QCOMPARE(g_szLastFolder, folder);
    QCOMPARE(g_nMediaMode, 1);

    QTimer::singleShot(0, &dialog, clickFolder);
    QCOMPARE(dialog.exec(), static_cast<int>(QDialog::Rejected));
    QCOMPARE(prompts.browses.back().preselect, folder);
    QCOMPARE(dialog.m_szPath, folder);
  }

  void resultFileNames() {
    QVERIFY(ResultFileName(LocalTime{2024, 3, 9, 7, 5, 1}) == u"Kestrova結果_20240309070501.txt");
    const std::pair<const char*, const char*> cases[] = {
        {"/a/結果", "/a/結果.txt"},           {"/a/結果.txt", "/a/結果.txt"},
        {"/a/結果.TXT", "/a/結果.TXT"},       {"/a/結果.Txt", "/a/結果.Txt"},
        {"/a/結果.text", "/a/結果.text.txt"}, {"/a/.txt", "/a/.txt"},
    };
    for (const auto& [chosen, used] : cases) {
      QCOMPARE(WithTxtExtension(QString::fromUtf8(chosen)), QString::fromUtf8(used));
    }
  }
};

int RunMediaSelectionTests(int argc, char** argv) {
  MediaSelectionTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace kestrova::test

#include "media_selection_test.moc"
