// Start-up: the clean-up list in its encodings, the single instance, Qt's texts in Japanese, and
// a program without a folder of its own.
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include "app_test_support.h"
#include "clean_list.h"
#include "platform/file_access.h"
#include "single_instance.h"
#include "support/test_files.h"
#include "user_prompts.h"

namespace kestrova::test {

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanList_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("gone");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<bool>("listDeleted");

    QTest::newRow("two existing files")
        << QStringLiteral("old.dll\nsub/古い.txt\n") << QStringList{"old.dll", "sub/古い.txt"}
        << QStringList{"keep.txt"} << true;
    QTest::newRow("only missing names") << QStringLiteral("無い.dll\nnone/x.txt") << QStringList{}
                                        << QStringList{"old.dll", "keep.txt"} << true;
    QTest::newRow("backslashes and letter case")
        << QStringLiteral("SUB\\古い.TXT\nOLD.DLL") << QStringList{"old.dll", "sub/古い.txt"}
        << QStringList{} << true;
    QTest::newRow("a name that cannot be deleted keeps the list")
        << QStringLiteral("old.dll\nsub\n") << QStringList{"old.dll"} << QStringList{"sub/古い.txt"}
        << false;
    QTest::newRow("names reaching outside are left alone")
        << QStringLiteral(
               "../outside.txt\nsub/../../outside.txt\n@OUTSIDE@\nlink/x.txt\n.\n\nold.dll")
        << QStringList{"old.dll"} << QStringList{"../outside.txt", "../outdir/x.txt", "keep.txt"}
        << true;
  }

  void cleanList() {
    QFETCH(QString, list);
    QFETCH(QStringList, gone);
    QFETCH(QStringList, kept);
    QFETCH(bool, listDeleted);

    ScratchDir dir;
    const auto program = dir.path() / "プログラム";
    for (const char* name :
         {"old.dll", "keep.txt", "sub/古い.txt", "../outside.txt", "../outdir/x.txt"}) {
      WriteBytes(program / name, "x");
    }
    std::filesystem::create_directory_symlink(dir.path() / "outdir", program / "link");
    list.replace(QStringLiteral("@OUTSIDE@"),
                 QString::fromStdString((dir.path() / "outside.txt").string()));
    WriteUtf16File(program / "Clean.ini", list.toStdString());

    std::vector<std::u16string> messages;
    ProcessCleanList(FromFsPath(program),
                     [&](const std::u16string& text) { messages.push_back(text); });

    QVERIFY(messages.empty());
    for (const QString& name : gone) {
      QVERIFY2(!std::filesystem::exists(program / name.toStdString()), qPrintable(name));
    }
    for (const QString& name : kept) {
      QVERIFY2(std::filesystem::exists(program / name.toStdString()), qPrintable(name));
    }
    QCOMPARE(!std::filesystem::exists(program / "Clean.ini"), listDeleted);
  }

  // The list is read as a Unicode text stream reads it: the byte order mark tells UTF-16LE from
  // UTF-8, and a list without one is UTF-16LE from its first byte.
  void cleanListEncodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QString list = QStringLiteral("old.dll\r\nsub\\古い.txt\r\n");
    QByteArray utf16;
    for (const QChar c : list) {
      utf16.append(static_cast<char>(c.unicode() & 0xFF));
      utf16.append(static_cast<char>(c.unicode() >> 8));
    }
    QTest::newRow("UTF-16LE with byte order mark") << QByteArray("\xFF\xFE", 2) + utf16;
    QTest::newRow("UTF-8 with byte order mark") << QByteArray("\xEF\xBB\xBF") + list.toUtf8();
    QTest::newRow("UTF-16LE without byte order mark") << utf16;
  }

  void cleanListEncodings() {
    QFETCH(QByteArray, bytes);
    ScratchDir dir;
    for (const char* name : {"old.dll", "keep.txt", "sub/古い.txt"}) {
      WriteBytes(dir.path() / name, "x");
    }
    WriteBytes(dir.path() / "Clean.ini", bytes.toStdString());

    std::vector<std::u16string> messages;
    ProcessCleanList(FromFsPath(dir.path()),
                     [&](const std::u16string& text) { messages.push_back(text); });
    QVERIFY(messages.empty());
    QVERIFY(!std::filesystem::exists(dir.path() / "old.dll"));
    QVERIFY(!std::filesystem::exists(dir.path() / "sub/古い.txt"));
    QVERIFY(std::filesystem::exists(dir.path() / "keep.txt"));
    QVERIFY(!std::filesystem::exists(dir.path() / "Clean.ini"));
  }

  void cleanListThatCannotBeRead() {
    ScratchDir dir;
    std::filesystem::create_directories(dir.path() / "Clean.ini");
    std::vector<std::u16string> messages;
    ProcessCleanList(FromFsPath(dir.path()),
                     [&](const std::u16string& text) { messages.push_back(text); });
    QCOMPARE(messages.size(), size_t{1});
    QVERIFY(messages[0] == u"UNICODEFILE OPEN失敗");

    // No list: nothing happens.
    messages.clear();
    ProcessCleanList(FromFsPath(dir.path() / "Clean.ini"),
                     [&](const std::u16string& text) { messages.push_back(text); });
    QVERIFY(messages.empty());
  }

  // The drive-mode prompt for the next medium: Qt's standard buttons speak Japanese.
  void standardButtonsAreJapanese() {
    QString okText;
    QString cancelText;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      okText = box->button(QMessageBox::Ok)->text();
      cancelText = box->button(QMessageBox::Cancel)->text();
      box->button(QMessageBox::Cancel)->click();
    });
    const MessageAnswer answer = ShowMessage(nullptr, u"媒体を交換してください。\n\n2/3枚目",
                                             MessageIcon::Exclamation, MessageButtons::OkCancel);
    QCOMPARE(answer, MessageAnswer::Cancel);
    QCOMPARE(cancelText, QStringLiteral("キャンセル"));
    QCOMPARE(okText, QStringLiteral("OK"));
  }

  void stopsWhenItsOwnFolderIsUnknown() {
    // This test program, run from a memory file, has no folder of its own; started in a folder
    // holding a tamper-check library, it must not load it.
    ScratchDir dir;
    std::filesystem::copy_file(TestCheckHashLibrary("marker"),
                               dir.path() / "libJACIC_CheckHash.so");
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    const int program = ProgramInMemory(self);
    const std::vector<std::string> args = {self, kStartWithoutProgramFolder};
    QProcess process;
    process.setProgram(QString::fromStdString(self));
    process.setChildProcessModifier([&] {
      if (::chdir(dir.path().c_str()) == 0) ExecFromMemory(program, args);
      ::_exit(126);
    });
    process.start();
    QVERIFY(process.waitForFinished(30000));
    ::close(program);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 71);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()),
             QStringLiteral(
                 "プログラムのフォルダを確認できませんでした。\r\nプログラムを終了します。\n"));
    QVERIFY(!std::filesystem::exists(dir.path() / "LOADED"));
  }

  void secondInstanceEndsAtOnce() {
    QProcess program;
    program.setProgram(QStringLiteral(KESTROVA_TEST_APP_EXE));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    {
      SingleInstanceLock first;
      QVERIFY2(first.Acquired(), qPrintable(SingleInstanceLock::LockFilePath()));
      program.start();
      QVERIFY(program.waitForFinished(30000));
      QCOMPARE(program.exitStatus(), QProcess::NormalExit);
      QCOMPARE(program.exitCode(), 0);
    }
    // With the lock free, the program starts and keeps running.
    program.start();
    QVERIFY(program.waitForStarted());
    QVERIFY(!program.waitForFinished(3000));
    {
      SingleInstanceLock second;
      QVERIFY(!second.Acquired());
    }
    program.kill();
    program.waitForFinished();
  }
};

int RunStartUpTests(int argc, char** argv) {
  StartUpTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace kestrova::test

#include "start_up_test.moc"
