// The desktop program's tests under Qt's offscreen platform.
#include <sys/stat.h>

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "app_test_support.h"
#include "check/engine_session.h"
#include "my_app.h"
#include "qt_translations.h"
#include "support/test_files.h"

namespace kestrova::test {
int RunFindingsPanelTests(int argc, char** argv);
int RunMainDialogTests(int argc, char** argv);
int RunMediaSelectionTests(int argc, char** argv);
int RunStartUpTests(int argc, char** argv);
}  // namespace kestrova::test

int main(int argc, char** argv) {
  using namespace kestrova::test;
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  // The start-up tests run this program from a memory file, where it has no folder of its own:
  // the program's start-up, with its messages written to standard output.
  if (argc == 2 && std::string_view(argv[1]) == kStartWithoutProgramFolder) {
    kestrova::CMyApp app(argc, argv);
    ScriptedPrompts prompts;
    app.InitInstance();
    for (const auto& message : prompts.messages) {
      std::fputs((message.text + QLatin1Char('\n')).toUtf8().constData(), stdout);
    }
    return app.ExitInstance();
  }
  // A runtime folder of our own, so that the single-instance lock of the tests never meets a
  // program the user runs, nor a test run beside this one.
  ScratchDir runtime;
  ::chmod(runtime.path().c_str(), 0700);
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.path().string()));

  QApplication app(argc, argv);
  // As the program sets itself up; the icon is left to the windows, which set their own.
  if (!kestrova::InstallJapaneseTranslations(app)) {
    qWarning("Qt's Japanese translations are not installed");
  }
  // As the program and the command-line checker do, so that their runs can be compared.
  const kestrova::EngineSession session;
  int failures = 0;
  failures += RunStartUpTests(argc, argv);
  failures += RunMediaSelectionTests(argc, argv);
  failures += RunMainDialogTests(argc, argv);
  failures += RunFindingsPanelTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
