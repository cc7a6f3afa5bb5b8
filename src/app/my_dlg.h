// The main dialog: media selection, start and cancel of a check run, the result log, saving and
// printing. It is the RunHost of the runs it starts: the worker thread's calls are carried out
// on the dialog's thread, in order, while the worker waits.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "check/check_run.h"
#include "run/run_host.h"

class QProgressBar;

namespace kestrova {

class CDlgSetDrive;
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
  CDlgSetDrive& MediaDialog() const { return *m_setDrive; }
  // The text of the result log, lines ending in line feeds.
  QString LogText() const;
  bool IsRunning() const { return m_running; }
  // The run last started, kept with its state until the next one starts.
  const CheckRun* LastRun() const { return m_run.get(); }
  const std::u16string& MediaPath() const { return m_szMediaPath; }

  // RunHost.
  void AppendLog(const std::u16string& text) override;
  void SetFieldText(ControlId field, const std::u16string& text) override;
  void EnableControl(ControlId control, bool enabled) override;
  void SetFocus(ControlId control) override;
  MessageAnswer ShowMessageBox(const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons) override;
  std::optional<std::u16string> ChooseNextMediumFolder(const std::u16string& prompt) override;
  void ReportProgress(int done, int total) override;

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

 private:
  template <typename Call>
  auto OnGuiThread(Call call) -> decltype(call());
  void OnRunFinished();
  void ClearProgress();
  // Writes the result log as a result file; false when it could not be written.
  bool WriteLogText(const QString& path) const;

  std::map<ControlId, QWidget*> m_controls;
  ResultLogView* m_log = nullptr;
  QProgressBar* m_progress = nullptr;
  CDlgSetDrive* m_setDrive = nullptr;
  RunFactory m_runFactory;
  std::unique_ptr<CheckRun> m_run;
  std::thread m_worker;
  bool m_running = false;
  bool m_closeRequested = false;
  std::u16string m_szMediaPath;  // the chosen medium, ending in a separator
  QString m_strTarget;           // the target text of the chosen medium
};

}  // namespace kestrova
