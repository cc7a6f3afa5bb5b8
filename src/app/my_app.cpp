#include "my_app.h"

#include "check/engine_session.h"
#include "clean_list.h"
#include "my_dlg.h"
#include "platform/program_folder.h"
#include "program_icon.h"
#include "qt_translations.h"
#include "run/version.h"
#include "single_instance.h"
#include "user_prompts.h"

namespace kestrova {

CMyApp::CMyApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("kestrova"));
  setApplicationVersion(QString::fromLatin1(kVersion));
  setDesktopFileName(QStringLiteral("kestrova"));
  setWindowIcon(ProgramIcon());
  InstallJapaneseTranslations(*this);
}

bool CMyApp::InitInstance() {
  // Without its own folder the program has no rule tables and no library it may trust: it
  // loads nothing, least of all from the current folder, which may be a medium.
  if (!EngineSession::UseProgramFolder(std::nullopt)) {
    ShowMessage(nullptr,
                u"プログラムのフォルダを確認できませんでした。\r\nプログラムを終了します。",
                MessageIcon::Stop);
    m_exitStatus = kExitProgramFolderUnknown;
    return false;
  }
  // Held until the process ends; a second instance ends silently.
  static SingleInstanceLock instanceLock;
  if (!instanceLock.Acquired()) {
    return false;
  }
  ProcessCleanList(ProgramFolder(), [](const std::u16string& text) {
    ShowMessage(nullptr, text, MessageIcon::Exclamation);
  });
  // A missing library is reported by the check that needs it, not here.
  m_session.emplace();
  CMyDlg dialog;
  dialog.exec();
  return false;
}

int CMyApp::ExitInstance() {
  m_session.reset();
  return m_exitStatus;
}

}  // namespace kestrova
