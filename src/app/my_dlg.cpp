#include "my_dlg.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

#include "about_dlg.h"
#include "app_fonts.h"
#include "check/result_file.h"
#include "dialog_units.h"
#include "dlg_set_drive.h"
#include "findings_panel.h"
#include "image/check_hash_module.h"
#include "log_view.h"
#include "platform/file_access.h"
#include "platform/local_time.h"
#include "program_icon.h"
#include "result_output.h"
#include "run/run_globals.h"
#include "user_prompts.h"

namespace kestrova {
namespace {

// Changes of the display that come faster are shown together.
constexpr qint64 kShowIntervalMs = 40;

// The findings panel's height and its gap to the log, in dialog units: the panel stands in the
// lower part of the log's room and keeps its height; the log above it takes the room that the
// window grows by.
constexpr int kFindingsHeight = 89;
constexpr int kFindingsGap = 3;

QString IdName(ControlId id) { return QString::number(static_cast<int>(id)); }

QPushButton* MakeButton(QWidget* parent, ControlId id, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(IdName(id));
  // No button is pressed by Enter: the dialog's Enter does nothing.
  button->setAutoDefault(false);
  return button;
}

QLineEdit* MakeField(QWidget* parent, ControlId id, Qt::Alignment alignment) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(IdName(id));
  field->setReadOnly(true);
  field->setAlignment(alignment);
  return field;
}

}  // namespace

CMyDlg::CMyDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_runFactory([](RunHost& host) { return std::make_unique<CheckRun>(host); }) {
  setWindowTitle(QString::fromUtf16(kMessageCaption));
  setWindowIcon(ProgramIcon());
  setFont(DialogFont());
  const DialogUnits units(font());
  m_defaultSize = units.Size(453, 333);
  setMinimumSize(m_defaultSize);
  setSizeGripEnabled(true);

  // The group box goes first, so that the buttons it frames lie above it; they are its
  // siblings, not its children, and keep their own enabling.
  auto* group = new QGroupBox(QStringLiteral("チェック結果"), this);
  group->setObjectName(IdName(ControlId::ResultGroup));
  Place(group, units.Rect(189, 36, 135, 37), Anchor::Fixed);
  m_controls[ControlId::ResultGroup] = group;

  const struct {
    ControlId id;
    const char16_t* text;
    QRect rect;
    void (CMyDlg::*handler)();
  } buttons[] = {
      {ControlId::MediaSelect, u"電子媒体指定", units.Rect(7, 7, 63, 27), &CMyDlg::OnSelectMedia},
      {ControlId::Start, u"チェック開始", units.Rect(7, 41, 87, 28), &CMyDlg::OnStartCheck},
      {ControlId::Cancel, u"キャンセル", units.Rect(115, 42, 61, 27), &CMyDlg::OnCancelCheck},
      {ControlId::Print, u"印刷", units.Rect(195, 47, 56, 22), &CMyDlg::OnPrintResult},
      {ControlId::FileOutput, u"ファイル出力", units.Rect(256, 47, 60, 22), &CMyDlg::OnSaveResult},
      {ControlId::Exit, u"終了", units.Rect(377, 44, 62, 25), &CMyDlg::reject},
  };
  for (const auto& spec : buttons) {
    QPushButton* button = MakeButton(this, spec.id, QString::fromUtf16(spec.text));
    Place(button, spec.rect, Anchor::Fixed);
    connect(button, &QPushButton::clicked, this, spec.handler);
    m_controls[spec.id] = button;
  }

  m_controls[ControlId::TargetPath] = MakeField(this, ControlId::TargetPath, Qt::AlignLeft);
  Place(m_controls[ControlId::TargetPath], units.Rect(76, 14, 370, 17), Anchor::GrowWidth);

  m_log = new ResultLogView(this);
  m_log->setObjectName(IdName(ControlId::ResultLog));
  m_log->setFont(LogFont());
  // The log's room of the control table, 7, 80, 439, 227, holds the log and below it the panel.
  const QRect logRect = units.Rect(7, 80, 439, 227 - kFindingsGap - kFindingsHeight);
  Place(m_log, logRect, Anchor::GrowBoth);
  m_controls[ControlId::ResultLog] = m_log;

  m_findings = new FindingsPanel(this);
  m_findings->setObjectName(QStringLiteral("findingsPanel"));
  Place(m_findings, units.Rect(7, 307 - kFindingsHeight, 439, kFindingsHeight),
        Anchor::BottomGrowWidth);
  connect(m_findings, &FindingsPanel::logPositionSelected, this, &CMyDlg::ShowLogLine);

  auto* mediaLabel = new QLabel(QStringLiteral("メディア番号"), this);
  mediaLabel->setObjectName(QStringLiteral("1035"));
  Place(mediaLabel, units.Rect(9, 312, 42, 12), Anchor::Bottom);
  m_controls[ControlId::MediaNumber] = MakeField(this, ControlId::MediaNumber, Qt::AlignRight);
  Place(m_controls[ControlId::MediaNumber], units.Rect(52, 310, 46, 16), Anchor::Bottom);
  auto* serialLabel = new QLabel(QStringLiteral("シリアル番号"), this);
  serialLabel->setObjectName(QStringLiteral("1036"));
  Place(serialLabel, units.Rect(108, 312, 44, 12), Anchor::Bottom);
  m_controls[ControlId::SerialNumber] = MakeField(this, ControlId::SerialNumber, Qt::AlignRight);
  Place(m_controls[ControlId::SerialNumber], units.Rect(153, 310, 47, 16), Anchor::Bottom);

  // In the free space right of the serial number: the stage being checked, inside the bar,
  // and during the photo entries of a medium the bar filling with "x / N 枚" beside it.
  m_progress = new QProgressBar(this);
  m_progress->setObjectName(QStringLiteral("progress"));
  m_progress->setTextVisible(true);
  m_progress->setAlignment(Qt::AlignCenter);
  Place(m_progress, units.Rect(206, 311, 156, 14), Anchor::BottomGrowWidth);
  m_progressCount = new QLabel(this);
  m_progressCount->setObjectName(QStringLiteral("progressCount"));
  m_progressCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QRect countRect = units.Rect(364, 311, 82, 14);
  countRect.moveRight(logRect.right());
  Place(m_progressCount, countRect, Anchor::BottomRight);
  ClearProgress();

  auto* about = new QAction(QString::fromUtf16(kAboutMenuText), this);
  about->setShortcut(QKeySequence::HelpContents);
  connect(about, &QAction::triggered, this, &CMyDlg::OnAbout);
  addAction(about);
  setContextMenuPolicy(Qt::ActionsContextMenu);

  m_setDrive = new CDlgSetDrive(this);

  for (const ControlId id : {ControlId::Start, ControlId::Cancel, ControlId::ResultGroup,
                             ControlId::Print, ControlId::FileOutput}) {
    m_controls[id]->setEnabled(false);
  }
  SetTabOrder();

  m_showTimer.setSingleShot(true);
  connect(&m_showTimer, &QTimer::timeout, this, &CMyDlg::ShowRecorded);
  m_sinceShown.start();
  resize(m_defaultSize);
}

void CMyDlg::Place(QWidget* widget, const QRect& rect, Anchor anchor) {
  widget->setGeometry(rect);
  m_placements.push_back({widget, rect, anchor});
}

void CMyDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const int dx = std::max(0, width() - m_defaultSize.width());
  const int dy = std::max(0, height() - m_defaultSize.height());
  for (const Placement& placement : m_placements) {
    QRect rect = placement.rect;
    switch (placement.anchor) {
      case Anchor::Fixed:
        break;
      case Anchor::GrowWidth:
        rect.setWidth(rect.width() + dx);
        break;
      case Anchor::GrowBoth:
        rect.setSize(rect.size() + QSize(dx, dy));
        break;
      case Anchor::Bottom:
        rect.translate(0, dy);
        break;
      case Anchor::BottomGrowWidth:
        rect.translate(0, dy);
        rect.setWidth(rect.width() + dx);
        break;
      case Anchor::BottomRight:
        rect.translate(dx, dy);
        break;
    }
    placement.widget->setGeometry(rect);
  }
}

void CMyDlg::SetTabOrder() {
  // The order of the dialog's control table; the group box takes no focus.
  const ControlId order[] = {ControlId::MediaSelect, ControlId::TargetPath, ControlId::Start,
                             ControlId::Cancel,      ControlId::Print,      ControlId::FileOutput,
                             ControlId::Exit,        ControlId::ResultLog,  ControlId::MediaNumber,
                             ControlId::SerialNumber};
  for (size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(m_controls.at(order[i - 1]), m_controls.at(order[i]));
  }
  // The findings panel comes last.
  setTabOrder(m_controls.at(ControlId::SerialNumber), m_findings->TagFilter());
}

CMyDlg::~CMyDlg() {
  // A run still going when the dialog goes is cancelled; the worker's calls keep being carried
  // out until it has ended.
  if (m_running) {
    m_closeRequested = true;
    g_bCancel = 1;
    while (m_running) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  }
  if (m_worker.joinable()) {
    m_worker.join();
  }
}

void CMyDlg::SetRunFactory(RunFactory factory) { m_runFactory = std::move(factory); }

QWidget* CMyDlg::Control(ControlId id) const { return m_controls.at(id); }

QString CMyDlg::LogText() {
  ShowRecorded();
  return m_log->Text();
}

template <typename Change>
void CMyDlg::Record(Change change) {
  // While a close waits for the run, every step of the run renews the cancel, so that a run
  // that had not yet reset the flag when the close came still ends at its next poll.
  if (m_closeRequested) {
    g_bCancel = 1;
  }
  if (!change(m_recorded)) {
    return;
  }
  if (QThread::currentThread() == thread()) {
    ShowRecorded();
  } else {
    QMetaObject::invokeMethod(
        this, [this] { ScheduleShow(); }, Qt::QueuedConnection);
  }
}

void CMyDlg::ScheduleShow() {
  // The first change after a quiet spell is shown at once; later ones at most every interval.
  if (m_showTimer.isActive()) {
    return;
  }
  const qint64 wait = kShowIntervalMs - m_sinceShown.elapsed();
  if (wait <= 0) {
    ShowRecorded();
  } else {
    m_showTimer.start(static_cast<int>(wait));
  }
}

void CMyDlg::ShowRecorded() {
  m_showTimer.stop();
  m_sinceShown.restart();
  const DisplayBatch batch = m_recorded.Take();
  if (!batch.log.empty()) {
    m_log->AppendText(QString::fromStdU16String(batch.log));
  }
  for (const auto& [field, text] : batch.fields) {
    if (auto* edit = qobject_cast<QLineEdit*>(m_controls.at(field))) {
      edit->setText(QString::fromStdU16String(text));
    }
  }
  for (const auto& [control, enabled] : batch.enabling) {
    m_controls.at(control)->setEnabled(enabled);
  }
  if (batch.focus) {
    m_controls.at(*batch.focus)->setFocus();
  }
  if (batch.stage) {
    ShowStage(*batch.stage);
  }
  if (batch.progress) {
    ShowProgress(batch.progress->first, batch.progress->second);
  }
  if (!batch.findings.empty()) {
    m_findings->AddFindings(batch.findings);
  }
}

template <typename Call>
auto CMyDlg::WaitOnGuiThread(Call call) -> decltype(call()) {
  // The prompt comes after everything the run showed before it, the log's last line included.
  auto shown = [this, &call] {
    ShowRecorded();
    m_log->Flush();
    return call();
  };
  if (QThread::currentThread() == thread()) {
    return shown();
  }
  using Result = decltype(call());
  Result result{};
  QMetaObject::invokeMethod(
      this, [&result, &shown] { result = shown(); }, Qt::BlockingQueuedConnection);
  return result;
}

void CMyDlg::AppendLog(const std::u16string& text) {
  Record([&](DisplayChanges& changes) { return changes.AppendLog(text); });
}

void CMyDlg::SetFieldText(ControlId field, const std::u16string& text) {
  Record([&](DisplayChanges& changes) { return changes.SetFieldText(field, text); });
}

void CMyDlg::EnableControl(ControlId control, bool enabled) {
  Record([&](DisplayChanges& changes) { return changes.EnableControl(control, enabled); });
}

void CMyDlg::SetFocus(ControlId control) {
  Record([&](DisplayChanges& changes) { return changes.SetFocus(control); });
}

void CMyDlg::ReportProgress(int done, int total) {
  Record([&](DisplayChanges& changes) { return changes.ReportProgress(done, total); });
}

void CMyDlg::ReportFinding(const Finding& finding) {
  // Read on the run's thread, which sets them.
  const bool checkSeal = g_guideline == Guideline::H29 && g_pfnCheckHashValue != nullptr;
  Record([&](DisplayChanges& changes) { return changes.ReportFinding(finding, checkSeal); });
}

MessageAnswer CMyDlg::ShowMessageBox(const std::u16string& text, MessageIcon icon,
                                     MessageButtons buttons) {
  if (m_closeRequested) {
    g_bCancel = 1;
  }
  return WaitOnGuiThread([&] {
    // A run that ends because the dialog is closing asks nothing more.
    if (m_closeRequested) {
      return buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
    }
    return ShowMessage(this, text, icon, buttons);
  });
}

std::optional<std::u16string> CMyDlg::ChooseNextMediumFolder(const std::u16string& prompt) {
  if (m_closeRequested) {
    g_bCancel = 1;
  }
  return WaitOnGuiThread([&]() -> std::optional<std::u16string> {
    if (m_closeRequested) {
      return std::nullopt;
    }
    const QString folder =
        Prompts().browseFolder(this, QString::fromStdU16String(prompt), FolderToPreselect());
    if (folder.isEmpty()) {
      return std::nullopt;
    }
    g_szLastFolder = folder;
    return folder.toStdU16String();
  });
}

void CMyDlg::ShowStage(const std::u16string& stage) {
  // The stage's text is the bar's own: no percentage.
  m_progress->setFormat(
      QString::fromStdU16String(stage).replace(QLatin1Char('%'), QStringLiteral("%%")));
  m_progress->setRange(0, 1);
  m_progress->setValue(0);
  m_progressCount->clear();
}

void CMyDlg::ShowProgress(int done, int total) {
  m_progress->setRange(0, std::max(total, 1));
  m_progress->setValue(std::clamp(done, 0, std::max(total, 1)));
  m_progressCount->setText(QString::number(done) + QStringLiteral(" / ") + QString::number(total) +
                           QStringLiteral(" 枚"));
}

void CMyDlg::ClearProgress() { ShowStage(u""); }

void CMyDlg::ShowLogLine(int position) {
  ShowRecorded();
  m_log->Flush();
  QTextCursor cursor(m_log->document());
  cursor.setPosition(std::clamp(position, 0, m_log->document()->characterCount() - 1));
  // Selected from its end back to its start, so that the view shows the line's start.
  cursor.movePosition(QTextCursor::EndOfBlock);
  cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
  m_log->setTextCursor(cursor);
  m_log->centerCursor();
}

void CMyDlg::OnSelectMedia() {
  if (m_running || m_setDrive->exec() != QDialog::Accepted) {
    return;
  }
  if (m_setDrive->m_target.text.empty()) {
    return;
  }
  m_target = m_setDrive->m_target;
  static_cast<QLineEdit*>(m_controls.at(ControlId::TargetPath))
      ->setText(QString::fromStdU16String(m_target.text));
  m_log->Clear();
  m_recorded.ClearLog();
  m_findings->Clear();
  m_controls.at(ControlId::Start)->setEnabled(true);
  for (const ControlId id :
       {ControlId::Print, ControlId::FileOutput, ControlId::Cancel, ControlId::ResultGroup}) {
    m_controls.at(id)->setEnabled(false);
  }
  m_controls.at(ControlId::Start)->setFocus();
}

void CMyDlg::OnStartCheck() {
  // The start button is disabled by the run itself; a second press before that starts nothing.
  if (m_running) {
    return;
  }
  if (m_worker.joinable()) {
    m_worker.join();
  }
  m_run = m_runFactory(*this);
  Aim(*m_run, m_target);
  m_running = true;
  ClearProgress();
  CheckRun* run = m_run.get();
  m_worker = std::thread([this, run] {
    run->RunCheck();
    QMetaObject::invokeMethod(
        this, [this] { OnRunFinished(); }, Qt::QueuedConnection);
  });
}

void CMyDlg::OnRunFinished() {
  m_worker.join();
  m_running = false;
  ShowRecorded();
  m_log->Flush();
  ClearProgress();
  if (m_closeRequested) {
    m_closeRequested = false;
    QDialog::reject();
  }
}

void CMyDlg::OnCancelCheck() { g_bCancel = 1; }

void CMyDlg::accept() {}

void CMyDlg::reject() {
  if (m_running) {
    m_closeRequested = true;
    g_bCancel = 1;
    return;
  }
  QDialog::reject();
}

void CMyDlg::OnAbout() {
  CAboutDlg about(this);
  about.exec();
}

bool CMyDlg::WriteLogText(const QString& path) {
  return WriteResultFile(ToFsPath(path.toStdU16String()), LogText().toStdU16String());
}

void CMyDlg::OnSaveResult() {
  // Disabled during a run; a click that came before the run's enabling was shown does nothing.
  if (m_running) {
    return;
  }
  const QString name = QString::fromStdU16String(ResultFileName(CurrentLocalTime()));
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QString path = Prompts().chooseSaveFile(this, QStringLiteral("Kestrova結果を保存"),
                                          QDir(documents).filePath(name),
                                          QStringLiteral("テキスト文書 (*.txt)"));
  if (path.isEmpty()) {
    return;
  }
  path = WithTxtExtension(path);
  if (!WriteLogText(path)) {
    ShowMessage(this, u"結果ファイルを保存できませんでした。\n" + path.toStdU16String(),
                MessageIcon::Exclamation);
  }
}

void CMyDlg::OnPrintResult() {
  if (m_running) {
    return;
  }
  const QString path = QDir(QDir::tempPath())
                           .filePath(QString::fromStdU16String(ResultFileName(CurrentLocalTime())));
  // The temporary file keeps what was printed; like the print itself, it is left to the user.
  WriteLogText(path);
  QPrinter printer;
  printer.setDocName(QFileInfo(path).fileName());
  if (!Prompts().confirmPrint(this, printer)) {
    return;
  }
  QTextDocument document;
  document.setDefaultFont(m_log->font());
  document.setPlainText(LogText());
  document.print(&printer);
}

}  // namespace kestrova
