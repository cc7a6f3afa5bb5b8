// Helpers of the desktop program's tests: prompts answered from scripts, and driving the main
// dialog through a media selection and a run.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "my_dlg.h"
#include "user_prompts.h"

namespace kestrova::test {

// The argument that makes the test program run the desktop program's start-up alone.
inline constexpr char kStartWithoutProgramFolder[] = "--start-without-program-folder";

// Replaces the program's prompts while it lives: records every prompt and answers it from the
// scripts (message boxes Ok, browsers and save dialogs cancelled, printing declined, unless
// scripted otherwise).
class ScriptedPrompts {
 public:
  ScriptedPrompts();
  ~ScriptedPrompts();
  ScriptedPrompts(const ScriptedPrompts&) = delete;
  ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

  struct Message {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
  };
  struct Browse {
    QString prompt;
    QString preselect;
  };

  std::vector<Message> messages;
  std::deque<MessageAnswer> answers;
  std::vector<Browse> browses;
  std::deque<QString> folders;
  QString saveAnswer;
  QString saveInitialPath;
  int printRequests = 0;
  // Called at every message box and folder browser before it is answered.
  std::function<void()> onPrompt;

  // The texts of the message boxes, each followed by a line feed, CR LF as LF: what the
  // command-line checker writes to standard error for the same run.
  QString MessageTranscript() const;

 private:
  UserPrompts m_saved;
};

// Chooses the folder as the medium: the media select button, then the media dialog's folder
// button answered with the folder.
void SelectFolderMedium(CMyDlg& dialog, ScriptedPrompts& prompts, const QString& folder);

// Clicks the start button and waits until the run has ended; false on time-out.
bool RunToEnd(CMyDlg& dialog, int timeoutMs = 60000);

// Makes the calls on a worker thread, as a run makes them, while an event loop of the window
// thread carries out what they ask of the windows; false when they took longer than the time.
bool CallFromWorker(const std::function<void()>& calls, int timeoutMs = 120000);

}  // namespace kestrova::test
