// Media selection: the drive list, the media dialog, the folder browser, and the names of saved
// results.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app_test_support.h"
#include "dlg_set_drive.h"
#include "drive_list.h"
#include "folder_browser.h"
#include "result_output.h"
#include "run/run_globals.h"
#include "support/test_files.h"

Q_DECLARE_METATYPE(kestrova::VolumeKind)

namespace kestrova::test {
namespace {

// Two media as the media dialog lists them.
std::vector<DriveEntry> FixtureDrives() {
  return {{"/media/user/DISC", "DISC", VolumeKind::Optical},
          {"/media/user/STICK", "", VolumeKind::Removable}};
}

// Sets HOME for as long as it lives.
class HomeFolder {
 public:
  explicit HomeFolder(const std::filesystem::path& home) : m_saved(qgetenv("HOME")) {
    qputenv("HOME", QByteArray::fromStdString(home.string()));
  }
  ~HomeFolder() { qputenv("HOME", m_saved); }
  HomeFolder(const HomeFolder&) = delete;
  HomeFolder& operator=(const HomeFolder&) = delete;

 private:
  QByteArray m_saved;
};

}  // namespace

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

  // Only media are listed: the system's own mounts are not, and an unlabelled volume shows its
  // mount point once.
  void driveListOfAFixtureListOfMounts() {
    const std::vector<MountedVolume> mounts = {
        {"/", "/dev/sda2", "ext4", ""},
        {"/boot", "/dev/sda1", "vfat", "BOOT"},
        {"/boot/efi", "/dev/sda1", "vfat", ""},
        {"/snap/core22/1380", "/dev/loop3", "squashfs", ""},
        {"/run/user/1000", "tmpfs", "tmpfs", ""},
        {"/run/user/1000/doc", "portal", "fuse.portal", ""},
        {"/home", "/dev/sda3", "ext4", "home"},
        {"/media/user/STICK", "/dev/sdz1", "vfat", ""},
        {"/srv/backup", "/dev/sdy1", "ext4", "BACKUP"},
        {"/mnt/image", "/dev/loop9", "ext4", ""},
        {"/media/user/写真2024", "/dev/sr0", "udf", "写真2024"},
        {"/run/media/user/CARD", "/dev/mmcblk0p1", "exfat", "CARD"},
        {"/var/lib/docker/overlay", "overlay", "overlay", ""},
    };
    QStringList items;
    for (const DriveEntry& drive : MediaDrives(mounts)) {
      items << DriveItemText(drive);
    }
    QCOMPARE(items, (QStringList{"/media/user/写真2024  [写真2024]", "/media/user/STICK",
                                 "/run/media/user/CARD  [CARD]", "/mnt/image"}));
  }

  void choosingADrive() {
    ScriptedPrompts prompts;
    CDlgSetDrive dialog(nullptr);
    dialog.SetDriveSource(FixtureDrives);
    QStringList items;
    QWidget* focused = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
      auto* list = dialog.findChild<QComboBox*>(QStringLiteral("1003"));
      for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
      focused = dialog.focusWidget();
      list->setCurrentIndex(1);
      dialog.findChild<QPushButton*>(QStringLiteral("1"))->click();
    });
    QCOMPARE(dialog.exec(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(items, (QStringList{"/media/user/DISC  [DISC]", "/media/user/STICK"}));
    QCOMPARE(dialog.m_nDriveIndex, 1);
    QVERIFY(dialog.m_target.text == u"/media/user/STICK");
    QVERIFY(dialog.m_target.mediumPath == u"/media/user/STICK/");
    QCOMPARE(dialog.m_target.mediaMode, 0);
    QVERIFY(prompts.messages.empty());
    // The dialog opens with the drive list in the focus, the first control of its tab order.
    QCOMPARE(focused, dialog.findChild<QComboBox*>(QStringLiteral("1003")));
    QStringList chain;
    for (QWidget* w = focused->nextInFocusChain(); w != focused; w = w->nextInFocusChain()) {
      if (w->focusPolicy() & Qt::TabFocus) chain << w->objectName();
    }
    QCOMPARE(chain, (QStringList{"1034", "1", "2"}));

    // The drive chosen last is preselected the next time.
    int preselected = -1;
    QTimer::singleShot(0, &dialog, [&] {
      preselected = dialog.findChild<QComboBox*>(QStringLiteral("1003"))->currentIndex();
      dialog.reject();
    });
    dialog.exec();
    QCOMPARE(preselected, 1);
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

  // Folders only, no new folder button, Japanese buttons; without a preselection it opens at the
  // desktop (or the home folder where there is none), and the prompt stands above the folders
  // with its line breaks.
  void folderBrowser() {
    ScratchDir dir;
    const HomeFolder home(dir.path());
    const QString homePath = QString::fromStdString(dir.path().string());
    QCOMPARE(CFolderBrowser::StartFolder(), homePath);
    std::filesystem::create_directories(dir.path() / "Desktop");
    QCOMPARE(CFolderBrowser::StartFolder(), homePath + QStringLiteral("/Desktop"));

    const QString prompt = QStringLiteral(
        "メディア番号が異なります。\n次の媒体イメージが格納されているフォルダを選択してください。"
        "（2/3枚目）");
    CFolderBrowser browser(nullptr, prompt, QString());
    QFileDialog* folders = browser.Folders();
    QVERIFY(folders->testOption(QFileDialog::ShowDirsOnly));
    QVERIFY(folders->testOption(QFileDialog::DontUseNativeDialog));
    QCOMPARE(folders->fileMode(), QFileDialog::Directory);
    QCOMPARE(folders->directory().absolutePath(), homePath + QStringLiteral("/Desktop"));
    QCOMPARE(browser.Prompt()->text(), prompt);
    QCOMPARE(browser.windowTitle(),
             QStringLiteral("メディア番号が異なります。次の媒体イメージが格納されているフォルダを"
                            "選択してください。（2/3枚目）"));

    const auto media = dir.path() / "媒体2";
    std::filesystem::create_directories(media);
    bool newFolderShown = true;
    QString cancelText;
    QTimer::singleShot(0, &browser, [&] {
      auto* newFolder = folders->findChild<QToolButton*>(QStringLiteral("newFolderButton"));
      newFolderShown = newFolder == nullptr || newFolder->isVisible();
      cancelText =
          folders->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
      QVERIFY(browser.Prompt()->isVisible());
      QVERIFY(browser.Prompt()->geometry().bottom() < folders->geometry().top());
      folders->setDirectory(QString::fromStdString(media.string()));
      static_cast<QDialog*>(folders)->accept();
    });
    QCOMPARE(browser.exec(), static_cast<int>(QDialog::Accepted));
    QVERIFY(!newFolderShown);
    QCOMPARE(cancelText, QStringLiteral("キャンセル"));
    QCOMPARE(browser.ChosenFolder(), QString::fromStdString(media.string()));

    CFolderBrowser preselected(nullptr, prompt, QString::fromStdString(media.string()));
    QCOMPARE(preselected.Folders()->directory().absolutePath(),
             QString::fromStdString(media.string()));
    QTimer::singleShot(0, &preselected, [&] { preselected.Folders()->reject(); });
    QCOMPARE(preselected.exec(), static_cast<int>(QDialog::Rejected));
    QCOMPARE(preselected.ChosenFolder(), QString());
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
    QCOMPARE(QString::fromStdU16String(dialog.m_target.text), folder);
    QCOMPARE(QString::fromStdU16String(dialog.m_target.mediumPath), folder + "/");
    QCOMPARE(dialog.m_target.mediaMode, 1);
    QCOMPARE(g_szLastFolder, folder);

    QTimer::singleShot(0, &dialog, clickFolder);
    QCOMPARE(dialog.exec(), static_cast<int>(QDialog::Rejected));
    QCOMPARE(prompts.browses.back().preselect, folder);
    QCOMPARE(QString::fromStdU16String(dialog.m_target.text), folder);
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
