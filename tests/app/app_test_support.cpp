#include "app_test_support.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

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

}  // namespace kestrova::test
