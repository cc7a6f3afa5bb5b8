// The main dialog: media selection, start and cancel of a check run, the result log, saving and
// printing. It is the RunHost of the runs it starts: what only displays (log, fields, enabling,
// focus, progress) is recorded by the worker and shown by the dialog's thread in batches, in
// order; message boxes and folder browsers are carried out on the dialog's thread while the
// worker waits, after everything recorded before them is shown.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "check/check_run.h"
#include "check/engine_session.h"
#include "display_changes.h"
#include "run/run_host.h"

class QLabel;
class QProgressBar;

namespace kestrova {

class CDlgSetDrive;
class FindingsPanel;
class ResultLogView;

class CMyDlg : public QDialog, public RunHost {
  Q_OBJECT

 public:
  using RunFactory = std::function<std::unique_ptr<CheckRun>(RunHost& host)>;

  explicit CMyDlg(QWidget* parent = nullptr);
  ~CMyDlg() override;

  // Replaces how a run is made; the default makes a CheckRun.
  void SetRunFactory(RunFactory factory);

  // The control with the ID; every control of the dialog's table has one.
  QWidget* Control(ControlId id) const;
  QProgressBar* ProgressBar() const { return m_progress; }
  // "x / N 枚" beside the progress bar during the photo entries of a medium.
  QLabel* ProgressCount() const { return m_progressCount; }
  CDlgSetDrive& MediaDialog() const { return *m_setDrive; }
  FindingsPanel& Findings() const { return *m_findings; }
  // The text of the result log, lines ending in line feeds, after showing what the run has
  // recorded so far.
  QString LogText();
  bool IsRunning() const { return m_running; }
  // The run last started, kept with its state until the next one starts.
  const CheckRun* LastRun() const { return m_run.get(); }
  const std::u16string& MediaPath() const { return m_target.mediumPath; }

  // RunHost.
  void AppendLog(const std::u16string& text) override;
  void SetFieldText(ControlId field, const std::u16string& text) override;
  void EnableControl(ControlId control, bool enabled) override;
  void SetFocus(ControlId control) override;
  MessageAnswer ShowMessageBox(const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons) override;
  std::optional<std::u16string> ChooseNextMediumFolder(const std::u16string& prompt) override;
  void ReportProgress(int done, int total) override;
  void ReportFinding(const Finding& finding) override;

 public slots:
  void OnSelectMedia();
  void OnStartCheck();
  void OnCancelCheck();
  void OnPrintResult();
  void OnSaveResult();
  void OnAbout();
  // Enter does nothing.
  void accept() override;
  // Escape, the close box and the exit button. During a run the close is taken as a cancel and
  // carried out when the run has ended.
  void reject() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // How a control follows the window's size: the log takes the room, the bottom row stays at
  // the bottom, the path field and the progress bar take the width.
  enum class Anchor { Fixed, GrowWidth, GrowBoth, Bottom, BottomGrowWidth, BottomRight };
  struct Placement {
    QWidget* widget;
    QRect rect;  // at the default size
    Anchor anchor;
  };

  void Place(QWidget* widget, const QRect& rect, Anchor anchor);
  void SetTabOrder();
  template <typename Change>
  void Record(Change change);
  void ScheduleShow();
  // Shows everything the run recorded so far (on the dialog's thread).
  void ShowRecorded();
  template <typename Call>
  auto WaitOnGuiThread(Call call) -> decltype(call());
  void OnRunFinished();
  void ClearProgress();
  void ShowStage(const std::u16string& stage);
  void ShowProgress(int done, int total);
  // Scrolls the log to the position and selects the line there.
  void ShowLogLine(int position);
  // Writes the result log as a result file; false when it could not be written.
  bool WriteLogText(const QString& path);

  std::map<ControlId, QWidget*> m_controls;
  ResultLogView* m_log = nullptr;
  QProgressBar* m_progress = nullptr;
  QLabel* m_progressCount = nullptr;
  FindingsPanel* m_findings = nullptr;
  std::vector<Placement> m_placements;
  QSize m_defaultSize;
  DisplayChanges m_recorded;
  QTimer m_showTimer;
  QElapsedTimer m_sinceShown;
  CDlgSetDrive* m_setDrive = nullptr;
  RunFactory m_runFactory;
  std::unique_ptr<CheckRun> m_run;
  std::thread m_worker;
  bool m_running = false;
  std::atomic<bool> m_closeRequested = false;
  CheckTarget m_target;  // the chosen medium
};

}  // namespace kestrova
