// The application object: one instance per user, the clean-up list, the tamper-check library,
// and the main dialog, whose closing ends the program.
#pragma once

#include <QApplication>
#include <optional>

#include "check/engine_session.h"

namespace kestrova {

class CMyApp : public QApplication {
  Q_OBJECT

 public:
  CMyApp(int& argc, char** argv);

  // Start-up and the main dialog; returns when the dialog has closed, at once when another
  // instance already runs or the program folder is not known. Always false: there is nothing to
  // run after the dialog.
  bool InitInstance();

  // Frees the tamper-check library; the program's exit status: 0, or
  // kExitProgramFolderUnknown when the program stopped because its folder is not known.
  int ExitInstance();

 private:
  int m_exitStatus = 0;
  std::optional<EngineSession> m_session;  // from start-up to ExitInstance
};

}  // namespace kestrova
