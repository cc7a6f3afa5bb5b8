// kestrova-bench-desktop [--entries N] [MEDIUM]: times the desktop program's check of a medium
// under Qt's offscreen platform, from the start button to the end of the run with everything
// shown, every message answered with OK and no next medium; then kestrova-check on the same
// medium, and the ratio of the two. Without MEDIUM it checks a generated medium of N photo
// entries (default 30,000). With --desktop-only it prints only the desktop program's seconds.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench_support.h"
#include "check/engine_session.h"
#include "dlg_set_drive.h"
#include "my_dlg.h"
#include "qt_translations.h"
#include "user_prompts.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrova;

// Seconds from the start button to the end of the run on the medium folder.
double TimeDesktopCheck(const fs::path& medium) {
  const QString folder = QString::fromStdString(fs::absolute(medium).string());
  Prompts().messageBox = [](QWidget*, const QString&, MessageIcon, MessageButtons) {
    return MessageAnswer::Ok;
  };
  Prompts().browseFolder = [folder](QWidget*, const QString&, const QString&) { return folder; };
  CMyDlg dialog;
  dialog.show();
  QTimer::singleShot(0, &dialog, [&dialog] {
    dialog.MediaDialog().findChild<QPushButton*>(QStringLiteral("1034"))->click();
  });
  dialog.OnSelectMedia();
  // A next medium is not chosen: the browser of a set is cancelled.
  Prompts().browseFolder = [](QWidget*, const QString&, const QString&) { return QString(); };

  QElapsedTimer timer;
  timer.start();
  dialog.OnStartCheck();
  while (dialog.IsRunning()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  QCoreApplication::processEvents();
  return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  InstallJapaneseTranslations(app);
  int entries = 30000;
  bool desktopOnly = false;
  fs::path medium;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--entries") == 0 && i + 1 < argc) {
      entries = std::stoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--desktop-only") == 0) {
      desktopOnly = true;
    } else if (argv[i][0] == '-') {
      std::fprintf(stderr,
                   "usage: kestrova-bench-desktop [--entries N] [--desktop-only] [MEDIUM]\n");
      return 64;
    } else {
      medium = argv[i];
    }
  }
  const fs::path programDir = fs::canonical("/proc/self/exe").parent_path();
  fs::path scratch;
  if (medium.empty()) {
    scratch = fs::temp_directory_path() / ("kestrova-bench-desktop-" + std::to_string(getpid()));
    medium = scratch / "medium";
    bench::WriteEntriesMedium(medium, programDir / "PHOT_KQ4", entries);
  }

  const double desktop = [&medium] {
    const EngineSession session;
    return TimeDesktopCheck(medium);
  }();
  if (desktopOnly) {
    std::printf("%.3f\n", desktop);
  } else {
    const bench::Measurement cli =
        bench::Run({(programDir / "kestrova-check").string(), medium.string()});
    std::printf("desktop program (offscreen): %.2f s wall\n", desktop);
    std::printf("kestrova-check:              %.2f s wall\n", cli.seconds);
    std::printf("desktop / command line:      %.2f\n", desktop / cli.seconds);
  }
  if (!scratch.empty()) {
    fs::remove_all(scratch);
  }
  return 0;
}
