// The main dialog: control states through a run, runs started by clicking, cancel, a media set
// in folder mode, saving and printing, Enter and closing, the icon, the tab order, growing the
// window, the progress display.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <thread>

#include "about_dlg.h"
#include "app_test_support.h"
#include "display_changes.h"
#include "dlg_set_drive.h"
#include "drive_list.h"
#include "image/check_hash_look_ahead.h"
#include "image/check_hash_module.h"
#include "platform/file_access.h"
#include "platform/shared_library.h"
#include "platform/text_encoding.h"
#include "run/run_globals.h"
#include "support/fixture_medium.h"
#include "support/test_files.h"

namespace kestrova::test {
namespace {

QString Q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// "1000+ 1001- ...": the enabling of the buttons and the group box that the run states change.
QString States(const CMyDlg& dialog) {
  QString states;
  for (const ControlId id :
       {ControlId::MediaSelect, ControlId::Start, ControlId::Cancel, ControlId::ResultGroup,
        ControlId::Print, ControlId::FileOutput, ControlId::Exit}) {
    states += QString::number(static_cast<int>(id)) +
              (dialog.Control(id)->isEnabled() ? QStringLiteral("+ ") : QStringLiteral("- "));
  }
  return states.trimmed();
}

const QString kStartUp = QStringLiteral("1000+ 1001- 1027- 1028- 1029- 1030- 1002+");
const QString kSelected = QStringLiteral("1000+ 1001+ 1027- 1028- 1029- 1030- 1002+");
const QString kRunning = QStringLiteral("1000- 1001- 1027+ 1028- 1029- 1030- 1002-");
const QString kEnded = QStringLiteral("1000+ 1001- 1027- 1028+ 1029+ 1030+ 1002+");

QString FieldText(const CMyDlg& dialog, ControlId id) {
  return static_cast<QLineEdit*>(dialog.Control(id))->text();
}

// What the log shows of the dialog's own control: no text the dialog has not yet put there.
QString ShownLog(const CMyDlg& dialog) {
  return static_cast<QPlainTextEdit*>(dialog.Control(ControlId::ResultLog))->toPlainText();
}

// Shows its medium number and a serial number, the stage of the photo entries and their
// progress, then waits for the cancel (at most 20 seconds) as a long medium would.
class SlowRun : public CheckRun {
 public:
  using CheckRun::CheckRun;
  MediumResult CheckMedium() override {
    m_host.SetFieldText(ControlId::MediaNumber, u"1");
    m_host.AppendLog(u" ＊＊PHOTO.XMLの内容を調べています。\n");
    m_host.SetFieldText(ControlId::SerialNumber, u"7");
    m_host.ReportProgress(3, 10);
    m_host.AppendLog(u"   検査中\n");
    for (int i = 0; i < 2000 && !g_bCancel; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return g_bCancel ? MediumResult::Cancelled : MediumResult::Clean;
  }
};

// A set of two media: each medium folder holds its media number in the file "MEDIA_NO".
class MediaSetRun : public CheckRun {
 public:
  using CheckRun::CheckRun;
  MediumResult CheckMedium() override {
    const std::string number = ReadBytes(ToFsPath(m_szMediaPath) / "MEDIA_NO");
    m_nMediaTotal = 2;
    m_host.SetFieldText(ControlId::MediaNumber, Utf8ToUtf16(number));
    m_host.AppendLog(u"   媒体 " + Utf8ToUtf16(number) + u"\n");
    if (std::stoi(number) != m_nLastMediaNo + 1) {
      return MediumResult::WrongMedium;
    }
    m_nLastMediaNo = std::stoi(number);
    return MediumResult::Clean;
  }
};

// Puts a copy of the slow stand-in tamper-check library (20 ms a photo, each call a line in
// "calls.log" beside it) in place of the loaded library while it lives.
class SlowCheckHashModule {
 public:
  explicit SlowCheckHashModule(const std::filesystem::path& folder)
      : m_calls(folder / "calls.log") {
    const auto library = folder / "libJACIC_CheckHash.so";
    std::filesystem::copy_file(TestCheckHashLibrary("slow"), library);
    m_library = LoadSharedLibrary(FromFsPath(library));
    g_hCheckHash = m_library;
    g_pfnCheckHashValue = reinterpret_cast<CheckHashValueFunction>(
        FindSharedLibrarySymbol(m_library, kCheckHashValueExport));
  }
  ~SlowCheckHashModule() {
    g_hCheckHash = m_savedLibrary;
    g_pfnCheckHashValue = m_savedFunction;
    if (m_library != nullptr) FreeSharedLibrary(m_library);
  }
  SlowCheckHashModule(const SlowCheckHashModule&) = delete;
  SlowCheckHashModule& operator=(const SlowCheckHashModule&) = delete;

  bool loaded() const { return g_pfnCheckHashValue != nullptr; }
  size_t calls() const { return TextLines(m_calls); }

 private:
  SharedLibraryHandle m_savedLibrary = g_hCheckHash;
  CheckHashValueFunction m_savedFunction = g_pfnCheckHashValue;
  SharedLibraryHandle m_library = nullptr;
  std::filesystem::path m_calls;
};

template <typename Run>
CMyDlg::RunFactory Factory() {
  return [](RunHost& host) { return std::make_unique<Run>(host); };
}

}  // namespace

class MainDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScratchDir> m_dir;
  std::filesystem::path m_medium;
  std::unique_ptr<ScriptedPrompts> m_prompts;
  std::unique_ptr<CMyDlg> m_dialog;

  std::filesystem::path MakeMedium(const std::string& name) {
    const auto medium = m_dir->path() / "工事写真" / name;
    WriteBytes(medium / "PHOT_KQ4.DTD", "<!-- -->");
    return medium;
  }

  // Selects the fixture medium and starts a slow run on it; true once the run checks it.
  bool StartSlowRun() {
    m_dialog->SetRunFactory(Factory<SlowRun>());
    SelectFolderMedium(*m_dialog, *m_prompts, Q(m_medium));
    QTest::mouseClick(m_dialog->Control(ControlId::Start), Qt::LeftButton);
    return QTest::qWaitFor(
        [this] { return m_dialog->LogText().contains(QStringLiteral("検査中")); });
  }

 private slots:
  void init() {
    m_dir = std::make_unique<ScratchDir>();
    m_medium = MakeMedium("媒体1");
    m_prompts = std::make_unique<ScriptedPrompts>();
    g_szLastFolder.clear();
    m_dialog = std::make_unique<CMyDlg>();
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
  }

  void cleanup() {
    m_dialog.reset();
    m_prompts.reset();
    m_dir.reset();
  }

  void controlStatesThroughTheFourStates() {
    CMyDlg& dialog = *m_dialog;
    dialog.SetRunFactory(Factory<SlowRun>());
    QCOMPARE(States(dialog), kStartUp);

    SelectFolderMedium(dialog, *m_prompts, Q(m_medium));
    QCOMPARE(States(dialog), kSelected);
    QCOMPARE(FieldText(dialog, ControlId::TargetPath), Q(m_medium));
    QCOMPARE(dialog.MediaPath(), FromFsPath(m_medium) + u"/");

    g_nMediaMode = 0;
    QTest::mouseClick(dialog.Control(ControlId::Start), Qt::LeftButton);
    QTRY_COMPARE(States(dialog), kRunning);
    QCOMPARE(g_nMediaMode, 1);  // the next media are asked for as folders
    // The display is shown in batches: the serial number may come one batch before the progress.
    QTRY_COMPARE(FieldText(dialog, ControlId::SerialNumber), QStringLiteral("7"));
    QTRY_COMPARE(dialog.ProgressBar()->value(), 3);
    QCOMPARE(dialog.ProgressBar()->maximum(), 10);
    QCOMPARE(dialog.ProgressBar()->text(), QStringLiteral("PHOTO.XMLの内容"));
    QCOMPARE(dialog.ProgressCount()->text(), QStringLiteral("3 / 10 枚"));

    QTest::mouseClick(dialog.Control(ControlId::Cancel), Qt::LeftButton);
    QTRY_VERIFY(!dialog.IsRunning());
    QCOMPARE(States(dialog), kEnded);
    QCOMPARE(dialog.ProgressBar()->value(), 0);
    QCOMPARE(dialog.ProgressBar()->text(), QString());
    QCOMPARE(dialog.ProgressCount()->text(), QString());

    // A new selection empties the log and allows a new run, but no output.
    SelectFolderMedium(dialog, *m_prompts, Q(m_medium));
    QCOMPARE(States(dialog), kSelected);
    QVERIFY(dialog.LogText().isEmpty());
  }

  void choosingADriveOrCancellingTheMediaDialog() {
    const std::vector<DriveEntry> drives = {{"/media/user/DISC", "DISC", VolumeKind::Optical}};
    CMyDlg& dialog = *m_dialog;
    dialog.MediaDialog().SetDriveSource([&drives] { return drives; });
    const auto answerMediaDialog = [&dialog](const char* button) {
      QTimer::singleShot(0, &dialog, [&dialog, button] {
        dialog.MediaDialog().findChild<QPushButton*>(QString::fromLatin1(button))->click();
      });
      QTest::mouseClick(dialog.Control(ControlId::MediaSelect), Qt::LeftButton);
    };

    answerMediaDialog("1");
    QCOMPARE(FieldText(dialog, ControlId::TargetPath), drives.front().root);
    const std::u16string drivePath = JoinPath(drives.front().root.toStdU16String(), u"");
    QVERIFY(dialog.MediaPath() == drivePath);
    QCOMPARE(dialog.MediaDialog().m_target.mediaMode, 0);
    QCOMPARE(States(dialog), kSelected);

    // Cancelled, the media dialog leaves the selection as it was.
    answerMediaDialog("2");
    QCOMPARE(FieldText(dialog, ControlId::TargetPath), drives.front().root);
    QVERIFY(dialog.MediaPath() == drivePath);
    QCOMPARE(States(dialog), kSelected);
  }

  void versionDialogFromTheDialogsMenu() {
    QString shown;
    QTimer::singleShot(0, m_dialog.get(), [&shown] {
      if (auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget())) {
        shown = about->windowTitle();
        about->accept();
      }
    });
    QCOMPARE(m_dialog->actions().size(), 1);
    QCOMPARE(m_dialog->actions()[0]->text(), QString::fromUtf16(kAboutMenuText));
    m_dialog->actions()[0]->trigger();
    QCOMPARE(shown, QStringLiteral("Kestrovaシステム のバージョン情報"));
  }

  void fullRunLogsWhatTheCommandLinePrints_data() {
    QTest::addColumn<QString>("medium");
    QTest::newRow("only a DTD file") << QString();
    for (const char* sample : {"sample-medium", "faulty-medium"}) {
      const auto folder = std::filesystem::path(KESTROVA_TEST_SOURCE_DIR) / "examples" / sample;
      if (std::filesystem::exists(folder)) {
        QTest::newRow(sample) << Q(folder);
      }
    }
  }

  void fullRunLogsWhatTheCommandLinePrints() {
    QFETCH(QString, medium);
    if (medium.isEmpty()) {
      medium = Q(m_medium);
    }
    CMyDlg& dialog = *m_dialog;
    SelectFolderMedium(dialog, *m_prompts, medium);
    QVERIFY(RunToEnd(dialog));

    const CommandResult cli = RunChecker({medium.toStdString()});
    QCOMPARE(QString::fromStdString(MaskTimes(dialog.LogText().toStdString() + "\n")),
             QString::fromStdString(MaskTimes(cli.out)));
    QCOMPARE(m_prompts->MessageTranscript(), QString::fromStdString(cli.err));
    QVERIFY(dialog.LogText().startsWith(QStringLiteral("Kestrovaシステム -- ")));
    QCOMPARE(States(dialog), kEnded);
    for (const ControlId id :
         {ControlId::TargetPath, ControlId::MediaNumber, ControlId::SerialNumber}) {
      QCOMPARE(FieldText(dialog, id), QString());
    }
  }

  void cancelDuringARun() {
    CMyDlg& dialog = *m_dialog;
    QVERIFY(StartSlowRun());
    QTest::mouseClick(dialog.Control(ControlId::Cancel), Qt::LeftButton);
    QTRY_VERIFY(!dialog.IsRunning());

    QVERIFY2(dialog.LogText().endsWith(QStringLiteral(" キャンセル")),
             qPrintable(dialog.LogText()));
    QCOMPARE(dialog.LastRun()->m_finalResult, MediumResult::Cancelled);
    QCOMPARE(m_prompts->messages.size(), size_t{1});
    QCOMPARE(m_prompts->messages[0].text,
             QStringLiteral("キャンセルされました。\r\n検査を中断します。"));
    QCOMPARE(FieldText(dialog, ControlId::MediaNumber), QString());
    QCOMPARE(FieldText(dialog, ControlId::SerialNumber), QString());
  }

  void cancelOnALargeMediumEndsWithinOnePhotoEntry() {
    SlowCheckHashModule library(m_dir->path());
    QVERIFY(library.loaded());
    const FixtureMedium fixture = SealedPhotoMedium(1000);
    const auto medium = m_dir->path() / "工事写真" / "大きな媒体";
    WriteFixtureMedium(medium, KESTROVA_TEST_PROGRAM_DIR, fixture);
    LinkSealedPhotos(medium, fixture);
    CMyDlg& dialog = *m_dialog;
    SelectFolderMedium(dialog, *m_prompts, Q(medium));
    QTest::mouseClick(dialog.Control(ControlId::Start), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&library] { return library.calls() >= 5; }, 30000));

    // Counted after the click: the worker does not wait for the window, so on a loaded machine
    // it may check further entries between a count taken before the click and the click itself.
    QTest::mouseClick(dialog.Control(ControlId::Cancel), Qt::LeftButton);
    const size_t before = library.calls();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsRunning(), 10000);
    // The entry under way when cancel was clicked is finished; of the photos asked about ahead,
    // only the calls under way (one per worker) finish, and no further one is started.
    QVERIFY2(library.calls() <= before + CheckHashLookAhead::DefaultWorkerCount(),
             qPrintable(QString::number(library.calls())));
    QVERIFY2(dialog.LogText().endsWith(QStringLiteral(" キャンセル")),
             qPrintable(dialog.LogText().right(300)));
    QCOMPARE(dialog.LastRun()->m_finalResult, MediumResult::Cancelled);
  }

  void mediaSetInFolderModeAnsweredThroughTheBrowser() {
    CMyDlg& dialog = *m_dialog;
    dialog.SetRunFactory(Factory<MediaSetRun>());
    const auto first = MakeMedium("媒体1");
    WriteBytes(first / "MEDIA_NO", "1");
    const auto wrong = m_dir->path() / "工事写真" / "別の媒体";
    WriteBytes(wrong / "MEDIA_NO", "1");
    const auto second = m_dir->path() / "工事写真" / "媒体2";
    WriteBytes(second / "MEDIA_NO", "2");

    SelectFolderMedium(dialog, *m_prompts, Q(first));
    m_prompts->browses.clear();
    m_prompts->folders = {Q(wrong), Q(second)};
    // Each prompt comes after the log shows every line written before it.
    QStringList logEnds;
    m_prompts->onPrompt = [&] { logEnds << ShownLog(dialog).right(8); };
    QVERIFY(RunToEnd(dialog));
    QCOMPARE(logEnds.size(), 3);
    QCOMPARE(logEnds[0], QStringLiteral("   媒体 1\n"));
    QCOMPARE(logEnds[1], QStringLiteral("   媒体 1\n"));
    QVERIFY2(logEnds[2].endsWith(QStringLiteral(" 完了")), qPrintable(logEnds[2]));

    const QString next =
        QStringLiteral("次の媒体イメージが格納されているフォルダを選択してください。（2/2枚目）");
    QCOMPARE(m_prompts->browses.size(), size_t{2});
    QCOMPARE(m_prompts->browses[0].prompt, next);
    QCOMPARE(m_prompts->browses[0].preselect, Q(first));
    QCOMPARE(m_prompts->browses[1].prompt, QStringLiteral("メディア番号が異なります。\n") + next);
    QCOMPARE(m_prompts->browses[1].preselect, Q(wrong));
    QCOMPARE(g_szLastFolder, Q(second));

    const QString log = dialog.LogText();
    QVERIFY(log.contains(QStringLiteral(" チェック対象 -- ") + Q(first) + QLatin1Char('\n')));
    QVERIFY(log.contains(QStringLiteral("   媒体 1\n   媒体 1\n   媒体 2\n")));
    QVERIFY(log.endsWith(QStringLiteral(" 完了")));
    QCOMPARE(dialog.LastRun()->m_finalResult, MediumResult::Clean);
    QCOMPARE(m_prompts->messages.back().text,
             QStringLiteral("検査が正常に終了しました。\r\n検査結果を確認してください。"));
    QCOMPARE(FieldText(dialog, ControlId::MediaNumber), QString());
  }

  void savedFileHoldsTheLogAsUtf16WithCrLf() {
    CMyDlg& dialog = *m_dialog;
    SelectFolderMedium(dialog, *m_prompts, Q(m_medium));
    QVERIFY(RunToEnd(dialog));

    const std::vector<std::pair<std::string, std::string>> cases = {
        {"結果", "結果.txt"}, {"結果.TXT", "結果.TXT"}, {"結果.log", "結果.log.txt"}};
    for (const auto& [chosen, written] : cases) {
      m_prompts->saveAnswer = Q(m_dir->path() / chosen);
      QTest::mouseClick(dialog.Control(ControlId::FileOutput), Qt::LeftButton);
      const std::string bytes = ReadBytes(m_dir->path() / written);
      QVERIFY2(bytes.size() > 4, written.c_str());

      std::string expected = "\xFF\xFE";
      for (const char16_t unit : dialog.LogText().toStdU16String()) {
        if (unit == u'\n') expected += std::string("\r\0", 2);
        expected.push_back(static_cast<char>(unit & 0xFF));
        expected.push_back(static_cast<char>(unit >> 8));
      }
      QCOMPARE(bytes, expected);
      QVERIFY(bytes.substr(bytes.size() - 2) != std::string("\n\0", 2));
    }
    QVERIFY(m_prompts->saveInitialPath.contains(QStringLiteral("/Kestrova結果_")));
    QVERIFY(m_prompts->saveInitialPath.endsWith(QStringLiteral(".txt")));
    QVERIFY(m_prompts->messages.size() == 1);

    // A file that cannot be written is reported, and nothing is left behind.
    m_prompts->saveAnswer = Q(m_dir->path() / "無い" / "結果.txt");
    QTest::mouseClick(dialog.Control(ControlId::FileOutput), Qt::LeftButton);
    QCOMPARE(m_prompts->messages.size(), size_t{2});
    QVERIFY(m_prompts->messages.back().text.startsWith(
        QStringLiteral("結果ファイルを保存できませんでした。")));

    // A cancelled save dialog writes nothing.
    m_prompts->saveAnswer.clear();
    const auto before = std::distance(std::filesystem::directory_iterator(m_dir->path()),
                                      std::filesystem::directory_iterator());
    QTest::mouseClick(dialog.Control(ControlId::FileOutput), Qt::LeftButton);
    QCOMPARE(std::distance(std::filesystem::directory_iterator(m_dir->path()),
                           std::filesystem::directory_iterator()),
             before);
  }

  void printWritesTheTemporaryFileAndAsksForAPrinter() {
    CMyDlg& dialog = *m_dialog;
    SelectFolderMedium(dialog, *m_prompts, Q(m_medium));
    QVERIFY(RunToEnd(dialog));

    const auto temporary = m_dir->path() / "一時";
    std::filesystem::create_directories(temporary);
    const bool hadTmp = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QByteArray::fromStdString(temporary.string()));
    QTest::mouseClick(dialog.Control(ControlId::Print), Qt::LeftButton);
    if (hadTmp) {
      qputenv("TMPDIR", savedTmp);
    } else {
      qunsetenv("TMPDIR");
    }

    QCOMPARE(m_prompts->printRequests, 1);
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(temporary)) {
      files.push_back(entry.path());
    }
    QCOMPARE(files.size(), size_t{1});
    const std::string name = files[0].filename().string();
    QVERIFY2(name.rfind("Kestrova結果_", 0) == 0 &&
                 name.size() == std::string("Kestrova結果_").size() + 18,
             name.c_str());
    QCOMPARE(ReadBytes(files[0]).substr(0, 4), std::string("\xFF\xFEK\0", 4));
  }

  void enterDoesNothing() {
    CMyDlg& dialog = *m_dialog;
    SelectFolderMedium(dialog, *m_prompts, Q(m_medium));
    dialog.activateWindow();
    dialog.Control(ControlId::Start)->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
      QTest::keyClick(dialog.Control(ControlId::Start), key);
      QTest::keyClick(&dialog, key);
    }
    QTest::qWait(50);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.IsRunning());
    QVERIFY(dialog.LastRun() == nullptr);
    QCOMPARE(States(dialog), kSelected);
  }

  void escapeClosesTheDialogWhenNoRunIsGoing() {
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), static_cast<int>(QDialog::Rejected));
  }

  void closingDuringARunCancelsItAndClosesAtItsEnd() {
    CMyDlg& dialog = *m_dialog;
    QVERIFY(StartSlowRun());

    QVERIFY(!dialog.close());
    QTRY_VERIFY(!dialog.isVisible());
    QVERIFY(!dialog.IsRunning());
    QVERIFY(dialog.LogText().endsWith(QStringLiteral(" キャンセル")));
    QVERIFY(m_prompts->messages.empty());
  }

  void stageOfTheLogsProgressLines_data() {
    QTest::addColumn<QString>("appended");
    QTest::addColumn<QString>("stage");  // "-": none
    QTest::newRow("stage line") << QStringLiteral(" ＊＊PHOTO.XMLの内容を調べています。\n")
                                << QStringLiteral("PHOTO.XMLの内容");
    QTest::newRow("the last of two")
        << QStringLiteral(
               " ＊工事管理ファイルのチェックを開始しました。\n ＊＊PHOT_KQ4.DTDの内容を"
               "調べています。\n ＊＊PHOTO_KQ.XMLとPHOT_KQ4.DTDの関係を調べています。\n")
        << QStringLiteral("PHOTO_KQ.XMLとPHOT_KQ4.DTDの関係");
    QTest::newRow("after the blank line of a medium")
        << QStringLiteral("\n ＊＊メディア番号を調べています。\n   メディア総枚数：1\n")
        << QStringLiteral("メディア番号");
    QTest::newRow("a start line is no stage")
        << QStringLiteral(" ＊媒体チェックを開始しました。\n") << QStringLiteral("-");
    QTest::newRow("stars inside a finding are no stage")
        << QStringLiteral("  ERR-005030 [要修正] 工事名称 ＊＊確認 \n") << QStringLiteral("-");
  }

  void stageOfTheLogsProgressLines() {
    QFETCH(QString, appended);
    QFETCH(QString, stage);
    const auto found = LastStage(appended.toStdU16String());
    QCOMPARE(found ? QString::fromStdU16String(*found) : QStringLiteral("-"), stage);
  }

  // Of a batch only its final state is shown: the whole log in order, the last field texts, and
  // no progress of a stage that has given way to the next.
  void recordedChangesKeepTheLogAndTheLastValues() {
    DisplayChanges changes;
    QVERIFY(changes.AppendLog(u"a\n"));
    QVERIFY(!changes.SetFieldText(ControlId::SerialNumber, u"1"));
    changes.ReportProgress(1, 2);
    changes.AppendLog(u" ＊＊PHOTO.XMLの内容を調べています。\n");
    changes.SetFieldText(ControlId::SerialNumber, u"2");
    changes.EnableControl(ControlId::Cancel, true);
    changes.EnableControl(ControlId::Cancel, false);
    changes.SetFocus(ControlId::Print);
    DisplayBatch batch = changes.Take();
    QVERIFY(batch.log == u"a\n ＊＊PHOTO.XMLの内容を調べています。\n");
    QVERIFY(batch.fields.at(ControlId::SerialNumber) == u"2");
    QCOMPARE(batch.enabling.at(ControlId::Cancel), false);
    QVERIFY(batch.focus == ControlId::Print);
    QVERIFY(batch.stage == u"PHOTO.XMLの内容");
    QVERIFY(!batch.progress);

    QVERIFY(changes.Take().empty());
    QVERIFY(changes.ReportProgress(3, 4));
    batch = changes.Take();
    QVERIFY(!batch.stage);
    QVERIFY((batch.progress == std::pair{3, 4}));
  }

  void programIconOnTheWindowAndInTheVersionDialog() {
    QVERIFY(!m_dialog->windowIcon().isNull());
    QVERIFY(!m_dialog->windowIcon().availableSizes().isEmpty());
    CAboutDlg about(m_dialog.get());
    bool pixmapShown = false;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
      pixmapShown = pixmapShown || !label->pixmap().isNull();
    }
    QVERIFY(pixmapShown);
  }

  // Tab goes through the controls in the order of the dialog's control table.
  void tabOrderFollowsTheControlTable() {
    CMyDlg& dialog = *m_dialog;
    for (const ControlId id :
         {ControlId::Start, ControlId::Cancel, ControlId::Print, ControlId::FileOutput}) {
      dialog.Control(id)->setEnabled(true);
    }
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.Control(ControlId::MediaSelect)->setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 14; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order.join(QLatin1Char(' ')),
             QStringLiteral("1000 1033 1001 1027 1029 1030 1002 1032 1034 1037 "
                            "findingTagFilter findings 1000 1033 1001"));
  }

  // The window is resizable and maximisable from the dialog's size up; the log takes the room,
  // the bottom row stays at the bottom.
  void theWindowGrowsAndTheLogWithIt() {
    CMyDlg& dialog = *m_dialog;
    QVERIFY(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    const QSize defaultSize = dialog.size();
    QCOMPARE(dialog.minimumSize(), defaultSize);
    QVERIFY(dialog.maximumSize().width() > 2000);
    QWidget* log = dialog.Control(ControlId::ResultLog);
    const QRect logBefore = log->geometry();
    const int serialGap = dialog.height() - dialog.Control(ControlId::SerialNumber)->y();
    const int lineHeight = QFontMetrics(log->font()).lineSpacing();
    const int linesBefore = static_cast<QPlainTextEdit*>(log)->viewport()->height() / lineHeight;

    dialog.resize(1200, 900);
    QTRY_COMPARE(dialog.size(), QSize(1200, 900));
    QCOMPARE(log->width(), logBefore.width() + 1200 - defaultSize.width());
    QCOMPARE(log->height(), logBefore.height() + 900 - defaultSize.height());
    QCOMPARE(dialog.height() - dialog.Control(ControlId::SerialNumber)->y(), serialGap);
    QCOMPARE(dialog.ProgressCount()->geometry().right(), log->geometry().right());
    const int linesAfter = static_cast<QPlainTextEdit*>(log)->viewport()->height() / lineHeight;
    QVERIFY2(linesAfter >= linesBefore * 2, qPrintable(QString::number(linesAfter)));

    dialog.resize(100, 100);
    QTRY_COMPARE(dialog.size(), defaultSize);
    QCOMPARE(log->geometry(), logBefore);
  }

  void logStaysFastWithTensOfThousandsOfLines() {
    CMyDlg& dialog = *m_dialog;
    constexpr int kLines = 30000;
    const std::u16string line =
        u" ERR-005012 [要修正] ファイルが見つかりません。 PHOTO/PIC/P0000001.JPG\n";
    QElapsedTimer timer;
    timer.start();
    // The dialog's own event loop carries out the worker's calls, as in the program.
    QVERIFY(CallFromWorker([&] {
      for (int i = 0; i < kLines; ++i) {
        dialog.AppendLog(line);
      }
    }));
    // Laying out and painting the log at every append would take minutes here.
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    qInfo() << kLines << "lines appended in" << timer.elapsed() << "ms";
    const QString text = dialog.LogText();
    QCOMPARE(text.size(), static_cast<qsizetype>(line.size()) * kLines);
    QVERIFY(text.endsWith(QString::fromStdU16String(line)));
  }
};

int RunMainDialogTests(int argc, char** argv) {
  MainDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace kestrova::test

#include "main_dialog_test.moc"
