// The findings panel: its rows are the coded lines of the log, the tag filter, a selected row
// scrolls the log to its line, and a finding about a file shows what the reader found in it.
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QUrl>
#include <filesystem>

#include "app_test_support.h"
#include "file_preview.h"
#include "findings_panel.h"
#include "image/check_hash_module.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "run/finding_writer.h"

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
    QVERIFY(Rows().rowCount() >= 9);
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
    // A line wider than the log is shown from its start.
    Select(RowOfCode(QStringLiteral("ERR-005035")));
    QVERIFY(QFontMetrics(view->font()).horizontalAdvance(view->textCursor().block().text()) >
            view->viewport()->width());
    QCOMPARE(view->horizontalScrollBar()->value(), 0);
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
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("thumbnail");
    QTest::newRow("file missing") << "ERR-005051" << QString::fromUtf8("写真４.JPG")
                                  << QStringList{QStringLiteral("ファイルがありません")} << false;
    QTest::newRow("no EXIF information")
        << "ERR-005055"
        << "P0000008.JPG"
        << QStringList{QStringLiteral("EXIF情報：なし"),
                       QStringLiteral("フレームサイズ：1280 × 960"),
                       QStringLiteral("GNSS情報：なし")}
        << true;
    QTest::newRow("no GNSS data") << "ERR-005057"
                                  << "P0000011.JPG"
                                  << QStringList{QStringLiteral("EXIF画素数：1280 × 960"),
                                                 QStringLiteral("フレームサイズ：1280 × 960"),
                                                 QStringLiteral("GNSS情報：なし")}
                                  << true;
  }

  void aFindingAboutAFileShowsWhatTheReaderFound() {
    QFETCH(QString, code);
    QFETCH(QString, file);
    QFETCH(QStringList, answers);
    QFETCH(bool, thumbnail);
    const int row = RowOfCode(code);
    QVERIFY2(row >= 0, qPrintable(code));
    Select(row);
    QCOMPARE(Panel().FileName()->text(), file);
    QTRY_VERIFY(Panel().Answers()->text() != QStringLiteral("読み込み中…"));
    const QStringList lines = Panel().Answers()->text().split(QLatin1Char('\n'));
    for (const QString& answer : answers) {
      QVERIFY2(lines.contains(answer), qPrintable(Panel().Answers()->text()));
    }
    // No tamper check under this guideline.
    QVERIFY(!Panel().Answers()->text().contains(QStringLiteral("改ざん")));
    const QPixmap picture = Panel().Thumbnail()->pixmap();
    QCOMPARE(!picture.isNull(), thumbnail);
    if (thumbnail) {
      // The 1280 × 960 photo, scaled into the box.
      QCOMPARE(picture.size(), QSize(160, 120));
    }

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    QTest::mouseClick(Panel().ShowFolderButton(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls.size(), 1);
    const QString folder = catcher.urls[0].toLocalFile();
    QVERIFY2(folder.endsWith(QStringLiteral("/faulty-medium/PHOTO/PIC")), qPrintable(folder));
  }

  void aFindingWithoutAFileShowsNoAnswers() {
    Select(RowOfCode(QStringLiteral("ERR-005055")));
    const int row = RowOfCode(QStringLiteral("ERR-005042"));
    QVERIFY(row >= 0);
    Select(row);
    QCOMPARE(Panel().FileName()->text(), QString());
    QCOMPARE(Panel().Answers()->text(), QString());
    QVERIFY(Panel().Thumbnail()->pixmap().isNull());
    QVERIFY(!Panel().ShowFolderButton()->isEnabled());
    // An answer for the row selected before that comes late is not shown.
    QTest::qWait(200);
    QCOMPARE(Panel().Answers()->text(), QString());
  }

  // Under the 平成29 guideline the tamper-check library's verdict is among the answers.
  void theSealVerdictUnderTheNewerGuideline_data() {
    QTest::addColumn<QString>("photo");
    QTest::addColumn<bool>("checkSeal");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("sealed") << "P0000001.JPG" << true << "改ざんチェック：改ざんなし";
    QTest::newRow("altered") << "P0000005.JPG" << true << "改ざんチェック：改ざんの可能性あり";
    QTest::newRow("not asked") << "P0000005.JPG" << false << "";
  }

  void theSealVerdictUnderTheNewerGuideline() {
    QFETCH(QString, photo);
    QFETCH(bool, checkSeal);
    QFETCH(QString, verdict);
    if (g_pfnCheckHashValue == nullptr) QSKIP("the tamper-check library is not loaded");
    const auto path = std::filesystem::path(KESTROVA_TEST_SOURCE_DIR) / "examples" /
                      "sample-medium-h29" / "PHOTO" / "PIC" / photo.toStdString();
    const QStringList answers =
        PreviewFile(FromFsPath(path), checkSeal).answers.split(QLatin1Char('\n'));
    QCOMPARE(answers.filter(QStringLiteral("改ざん")),
             verdict.isEmpty() ? QStringList() : QStringList{verdict});
  }

  // Many thousands of findings, as a large faulty medium gives them: they list as they come, and
  // the last one still leads to its line.
  void thousandsOfFindings() {
    CMyDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    constexpr int kFindings = 30000;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(CallFromWorker([&] {
      for (int i = 1; i <= kFindings; ++i) {
        Finding finding =
            MakeFinding(FindingKind::PhotoFileMissing, {u"P" + DecimalText(i) + u".JPG"});
        finding.serialNumber = DecimalText(i);
        dialog.AppendLog(u"  シリアル番号 " + *finding.serialNumber + u"\n");
        dialog.AppendLog(finding.text);
        dialog.ReportFinding(finding);
      }
    }));
    QTRY_COMPARE(dialog.Findings().Table()->model()->rowCount(), kFindings);
    // A generous bound: the rows come in batches and are never measured one by one.
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    qInfo() << kFindings << "findings listed in" << timer.elapsed() << "ms";
    QTableView* table = dialog.Findings().Table();
    table->selectRow(kFindings - 1);
    auto* view = static_cast<QPlainTextEdit*>(dialog.Control(ControlId::ResultLog));
    QVERIFY2(view->textCursor().block().text().contains(QStringLiteral("P30000.JPG")),
             qPrintable(view->textCursor().block().text()));
    QCOMPARE(table->model()->index(kFindings - 1, 2).data().toString(), QStringLiteral("30000"));
  }
};

int RunFindingsPanelTests(int argc, char** argv) {
  FindingsPanelTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace kestrova::test

#include "findings_panel_test.moc"
