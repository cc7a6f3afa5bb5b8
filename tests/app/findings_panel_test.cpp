// The findings panel: its rows are the coded lines of the log, the tag filter, a selected row
// scrolls the log to its line, and a finding about a file shows what the reader found in it.
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QUrl>
#include <filesystem>

#include "app_test_support.h"
#include "findings_panel.h"

namespace kestrova::test {
namespace {

// Takes the URLs the desktop would open.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;

 public slots:
  void open(const QUrl& url) { urls << url; }
};

// The log's lines that carry an error code, with the tag when one is given.
int CodedLines(const QString& log, const QString& tag) {
  int count = 0;
  for (const QString& line : log.split(QLatin1Char('\n'))) {
    if (line.contains(QStringLiteral(" ERR-0")) && line.contains(tag)) {
      ++count;
    }
  }
  return count;
}

}  // namespace

class FindingsPanelTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ScriptedPrompts> m_prompts;
  std::unique_ptr<CMyDlg> m_dialog;

  FindingsPanel& Panel() { return m_dialog->Findings(); }
  QAbstractItemModel& Rows() { return *Panel().Table()->model(); }
  QString Cell(int row, int column) { return Rows().index(row, column).data().toString(); }

  // The first row whose code is the text; -1 when there is none.
  int RowOfCode(const QString& code) {
    for (int row = 0; row < Rows().rowCount(); ++row) {
      if (Cell(row, 1) == code) return row;
    }
    return -1;
  }

  void Select(int row) { Panel().Table()->selectRow(row); }

 private slots:
  void initTestCase() {
    const auto medium =
        std::filesystem::path(KESTROVA_TEST_SOURCE_DIR) / "examples" / "faulty-medium";
    if (!std::filesystem::exists(medium)) QSKIP("no faulty sample medium");
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_dialog = std::make_unique<CMyDlg>();
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    SelectFolderMedium(*m_dialog, *m_prompts, QString::fromStdString(medium.string()));
    QVERIFY(RunToEnd(*m_dialog));
  }

  void cleanupTestCase() {
    m_dialog.reset();
    m_prompts.reset();
  }

  void oneRowPerCodedLineAndEachLeadsToItsLine() {
    const QString log = m_dialog->LogText();
    QVERIFY(Rows().rowCount() > 10);
    QCOMPARE(Rows().rowCount(), CodedLines(log, QString()));
    auto* view = static_cast<QPlainTextEdit*>(m_dialog->Control(ControlId::ResultLog));
    for (int row = 0; row < Rows().rowCount(); ++row) {
      Select(row);
      const QString line = view->textCursor().block().text();
      QVERIFY2(line.contains(Cell(row, 1) + QLatin1Char(' ') + Cell(row, 0)), qPrintable(line));
      QVERIFY2(line.contains(Cell(row, 3)), qPrintable(line));
      QCOMPARE(view->textCursor().selectedText(), line);
    }
    // The selected line is in sight.
    QVERIFY(view->cursorRect().intersects(view->viewport()->rect()));
  }

  void filterByTag() {
    QComboBox* filter = Panel().TagFilter();
    const QString log = m_dialog->LogText();
    const int all = Rows().rowCount();
    for (int choice = 1; choice < filter->count(); ++choice) {
      filter->setCurrentIndex(choice);
      const QString tag = filter->currentText();
      QCOMPARE(Rows().rowCount(), CodedLines(log, tag));
      for (int row = 0; row < Rows().rowCount(); ++row) {
        QCOMPARE(Cell(row, 0), tag);
      }
    }
    filter->setCurrentIndex(0);
    QCOMPARE(Rows().rowCount(), all);
    QVERIFY(CodedLines(log, QStringLiteral("[要修正]")) > 0);
    QVERIFY(CodedLines(log, QStringLiteral("[要確認]")) > 0);
  }

  void aFindingAboutAFileShowsWhatTheReaderFound_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("thumbnail");
    QTest::newRow("file missing") << "ERR-005051"
                                  << "ファイルがありません" << false;
    QTest::newRow("EXIF") << "ERR-005055"
                          << "フレームサイズ：" << true;
  }

  void aFindingAboutAFileShowsWhatTheReaderFound() {
    QFETCH(QString, code);
    QFETCH(QString, answer);
    QFETCH(bool, thumbnail);
    const int row = RowOfCode(code);
    QVERIFY2(row >= 0, qPrintable(code));
    Select(row);
    QTRY_VERIFY(Panel().Answers()->text().contains(answer));
    QCOMPARE(!Panel().Thumbnail()->pixmap().isNull(), thumbnail);
    if (thumbnail) {
      QVERIFY(Panel().Thumbnail()->pixmap().width() <= 160);
      QVERIFY(Panel().Answers()->text().contains(QStringLiteral("GNSS情報：")));
    }

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    QTest::mouseClick(Panel().ShowFolderButton(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls.size(), 1);
    const QString folder = catcher.urls[0].toLocalFile();
    QVERIFY2(folder.endsWith(QStringLiteral("/PHOTO/PIC")) ||
                 folder.endsWith(QStringLiteral("/PHOTO/DRA")),
             qPrintable(folder));
  }

  void aFindingWithoutAFileShowsNoAnswers() {
    int row = 0;
    while (row < Rows().rowCount() && Cell(row, 1) != QStringLiteral("ERR-005042")) ++row;
    QVERIFY(row < Rows().rowCount());
    Select(row);
    QCOMPARE(Panel().Answers()->text(), QString());
    QVERIFY(!Panel().ShowFolderButton()->isEnabled());
  }
};

int RunFindingsPanelTests(int argc, char** argv) {
  FindingsPanelTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace kestrova::test

#include "findings_panel_test.moc"
