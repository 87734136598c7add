// Watchpost's one window, frmMain: invisible unless in debug mode, it owns the
// start-up sequence, the log, the notification-area icon and the polling timer.
#pragma once

#include "monitor/activation.h"
#include "monitor/driver_runs.h"
#include "monitor/monitor_services.h"
#include "monitor/monitor_state.h"
#include "monitor/monitor_window.h"
#include "monitor/poll_loop.h"
#include "monitor/real_services.h"
#include "platform/local_endpoint.h"
#include "platform/process/process_table.h"
#include "platform/process/tool_runner.h"
#include "platform/program_end.h"
#include "platform/tray_icon.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;

namespace monitor {

// The window is what the logic calls back: the log and the tip (MonitorWindow),
// the tick's steps (PollLoop::Window) and the commands (DriverRuns::Window).
// Its controls, menu entries, timer and icon are named
// (platform/control_names.h): tests reach them by name.
class frmMain : public QWidget, public MonitorWindow, public PollLoop::Window, public DriverRuns::Window {
  Q_OBJECT
 public:
  // `programFolder` is the installation folder (the running program's folder).
  frmMain(std::string commandText, std::string programFolder, QWidget* parent = nullptr);
  ~frmMain() override;

  // The start-up sequence; runs again from the top on every resume.
  void Form_Load();
  // The unload step: closes the emulator, empties MODE, removes the icon, ends.
  void Form_Unload();
  // The usage box, then the unload step.
  void StartError();

  // True once the program has been told to end, and with which exit code.
  bool Ended() const { return end_.Ended(); }
  int ExitCode() const { return end_.ExitCode(); }
  const platform::ProgramEnd& End() const { return end_; }

  // The window the logic sees. The log is also echoed to standard output in
  // debug mode, which is where it shows without a display.
  void Line(const std::string& line) override;
  void SelectLastLine() override;
  void SelectLineBeforeLast() override;
  void SetTip(const std::string& tip) override;
  void Fatal(const std::string& text) override;
  std::string TimeText() override;

  // The icon's popup menu and the window's buttons. A command chosen while
  // Ryxcontrol runs are going on waits for them to end.
  void mAbout_Click();
  void mCustomize_Click();
  void mnuPointerly_Click();
  void mFreshline_Click();
  void mnuStartup_Click();
  void mPopupSuspend_Click();
  void cmdSuspend_Click();
  void mPopupExit_Click();
  void cmdExit_Click();
  // A quit signal (SIGTERM, SIGINT, SIGHUP) ends the monitor as its Exit does.
  void QuitOnSignal(int signalNumber);
  // Enters the suspended state without resetting the driver (the editor or the
  // updater is about to take over).
  void Suspend();

  // The tick's steps.
  void MailboxToggle() override;
  // The mailbox asked for anything but ACTIVE or SUSPEND: end at once, leaving
  // the emulator alone.
  void MailboxQuit(const std::string& mode) override;
  // Applies the configuration of the game found (SCGActivate).
  bool ActivateGame(const ActiveGame& game) override;
  void ClosePointerly() override;
  // The game-exit step for the game that ended; the tick calls it when no
  // watched game is left.
  void WriteStuff(const ActiveGame& game) override;

  // What a command does, once the driver runs let it go.
  void Perform(MonitorCommand command) override;
  // Logged, and said on standard error.
  void RunOverLimit(const std::string& CommandLine) override;
  // Logged, and said on standard error: nothing else would tell the player why
  // the controller did not change.
  void ToolNotStarted(const std::string& CommandLine) override;

  DriverRuns& Runs() { return *runs_; }
  platform::ProcessRunner& Runner() { return runner_; }
  // The state shared with the tick, the activation and the menus.
  const MonitorState& State() const { return state_; }
  const platform::TrayIcon& Tray() const { return IconData; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWatchList();
  void EndProgram(int exitCode);
  // Form_Load cannot go on: the critical box `text`, then the unload step
  // with exit code 1, naming `cause`.
  void FailLoad(const std::string& text, const std::string& cause);
  // Records why the program ends (the first cause given wins); the end names it
  // in the log and on standard error.
  void EndBecause(const std::string& cause);
  void tmrMonitor_Timer();

  // A Ryxcontrol run that lasts is where a hung tool would keep the mailbox
  // unread: a quit found there ends the run and the monitor.
  void WhileRunning();
  void SuspendToggle();
  void ToggleEmulator();
  void StartCustomizer();
  void StartUpdater();
  void LogSuspended();

  const std::string ProgramFolder;
  MonitorState state_;

  QListWidget* lstDebugWindow;
  QPushButton* cmdSuspend;
  QPushButton* cmdExit;
  QTimer* tmrMonitor;
  platform::TrayIcon IconData{this};

  QMenu* mPopupSys;
  QAction* mAbout;
  QAction* mCustomize;
  QAction* mnuPointerly;
  QAction* mFreshline;
  QAction* mnuStartup;
  QAction* mPopupSuspend;
  QAction* mPopupExit;

  std::string commandText_;
  std::unique_ptr<platform::SingleInstance> instance_;
  // The editor started by Customize, activated once it is up.
  platform::PendingActivation editorActivation_;

  QtClock clock_;
  platform::ProcessRunner runner_;
  PointerlyWindow emulator_;
  platform::ProcProcessTable processes_;
  std::unique_ptr<DriverRuns> runs_;
  std::unique_ptr<Activation> activation_;
  std::unique_ptr<PollLoop> loop_;
  QPointer<QWidget> startUp_;
  platform::ProgramEnd end_;
  int exitCode_ = 0;  // what the unload step ends with
  std::string endCause_;
};

}  // namespace monitor
