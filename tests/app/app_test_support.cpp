#include "app_test_support.h"

#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

#include "dlg_set_drive.h"

namespace kestrova::test {

ScriptedPrompts::ScriptedPrompts() : m_saved(Prompts()) {
  Prompts().messageBox = [this](QWidget*, const QString& text, MessageIcon icon,
                                MessageButtons buttons) {
    messages.push_back({text, icon, buttons});
    if (onPrompt) onPrompt();
    if (answers.empty()) {
      return MessageAnswer::Ok;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  };
  Prompts().browseFolder = [this](QWidget*, const QString& prompt, const QString& preselect) {
    browses.push_back({prompt, preselect});
    if (onPrompt) onPrompt();
    if (folders.empty()) {
      return QString();
    }
    const QString folder = folders.front();
    folders.pop_front();
    return folder;
  };
  Prompts().chooseSaveFile = [this](QWidget*, const QString&, const QString& initialPath,
                                    const QString&) {
    saveInitialPath = initialPath;
    return saveAnswer;
  };
  Prompts().confirmPrint = [this](QWidget*, QPrinter&) {
    ++printRequests;
    return false;
  };
}

ScriptedPrompts::~ScriptedPrompts() { Prompts() = m_saved; }

QString ScriptedPrompts::MessageTranscript() const {
  QString transcript;
  for (const Message& message : messages) {
    transcript += message.text + QLatin1Char('\n');
  }
  transcript.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return transcript;
}

void SelectFolderMedium(CMyDlg& dialog, ScriptedPrompts& prompts, const QString& folder) {
  prompts.folders.push_back(folder);
  QTimer::singleShot(0, &dialog, [&dialog] {
    dialog.MediaDialog().findChild<QPushButton*>(QStringLiteral("1034"))->click();
  });
  QTest::mouseClick(dialog.Control(ControlId::MediaSelect), Qt::LeftButton);
}

bool RunToEnd(CMyDlg& dialog, int timeoutMs) {
  QTest::mouseClick(dialog.Control(ControlId::Start), Qt::LeftButton);
  return QTest::qWaitFor([&dialog] { return !dialog.IsRunning(); }, timeoutMs);
}

bool CallFromWorker(const std::function<void()>& calls, int timeoutMs) {
  QEventLoop loop;
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  std::atomic<bool> done = false;
  std::thread worker([&] {
    calls();
    done = true;
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  const bool inTime = done;
  // A worker still waiting for the window is let through before it is joined.
  while (!done) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
  }
  worker.join();
  return inTime;
}

}  // namespace kestrova::test
