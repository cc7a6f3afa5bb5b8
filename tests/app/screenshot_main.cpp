// kestrova_screenshot MEDIUM OUTPUT.png: runs the main dialog on the medium folder (every
// message answered with OK, no next medium), selects the first finding about a photo file whose
// thumbnail can be shown (else the first finding) and renders the dialog into a PNG.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QTableView>
#include <QTest>
#include <cstdio>

#include "app_test_support.h"
#include "check/engine_session.h"
#include "findings_panel.h"
#include "program_icon.h"
#include "qt_translations.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: kestrova_screenshot MEDIUM OUTPUT.png\n");
    return 64;
  }
  app.setWindowIcon(kestrova::ProgramIcon());
  kestrova::InstallJapaneseTranslations(app);
  const kestrova::EngineSession session;
  kestrova::test::ScriptedPrompts prompts;
  kestrova::CMyDlg dialog;
  // Somewhat larger than the window opens, as a user would make it to read the findings.
  dialog.resize(1000, 640);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) {
    return 1;
  }
  kestrova::test::SelectFolderMedium(dialog, prompts,
                                     QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
  if (!kestrova::test::RunToEnd(dialog)) {
    std::fprintf(stderr, "kestrova_screenshot: the run did not end\n");
    return 1;
  }
  kestrova::FindingsPanel& findings = dialog.Findings();
  QTableView* table = findings.Table();
  const int rows = table->model()->rowCount();
  int row = 0;
  for (; row < rows; ++row) {
    table->selectRow(row);
    if (!QTest::qWaitFor(
            [&] { return findings.Answers()->text() != QStringLiteral("読み込み中…"); })) {
      std::fprintf(stderr, "kestrova_screenshot: the file of finding %d was not read\n", row + 1);
      return 1;
    }
    if (!findings.Thumbnail()->pixmap().isNull()) {
      break;
    }
  }
  if (row == rows) {
    table->selectRow(0);
  }
  // The selection drawn as the user sees it, in the table that has the focus.
  dialog.activateWindow();
  table->setFocus();
  QApplication::processEvents();
  if (!dialog.grab().save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "kestrova_screenshot: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
