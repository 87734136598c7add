#include "monitor/main_window.h"

#include "common_ui/about_dialog.h"
#include "common_ui/check_attached_dialog.h"
#include "common_ui/windows_version.h"
#include "config_store/install_folder.h"
#include "config_store/mode_mailbox.h"
#include "config_store/profile_helpers.h"
#include "monitor/game_exit/exit_step.h"
#include "monitor/mailbox.h"
#include "monitor/monitor_icons.h"
#include "monitor/startup_dialog.h"
#include "platform/control_names.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/local_endpoint.h"
#include "platform/modal.h"
#include "platform/profile.h"
#include "platform/program_files.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/win_path.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <cstring>

namespace monitor {

frmMain::frmMain(std::string commandText, std::string programFolder, QWidget* parent)
    : QWidget(parent), ProgramFolder(std::move(programFolder)), commandText_(std::move(commandText)) {
  // A tool window keeps the program off the task bar.
  setWindowFlag(Qt::Tool, true);
  setWindowTitle(QStringLiteral("Heliryx 360 Monitor - Debug Mode"));
  setWindowIcon(MonitorIcon());
  lstDebugWindow = new QListWidget(this);
  cmdSuspend = new QPushButton(QStringLiteral("Suspend"), this);
  cmdExit = new QPushButton(QStringLiteral("Exit"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdSuspend);
  buttons->addWidget(cmdExit);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(lstDebugWindow);
  resize(480, 360);
  connect(cmdSuspend, &QPushButton::clicked, this, [this] { cmdSuspend_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  tmrMonitor = new QTimer(this);
  connect(tmrMonitor, &QTimer::timeout, this, [this] { tmrMonitor_Timer(); });

  // The icon's popup menu.
  mPopupSys = new QMenu(QStringLiteral("Popup Menu"), this);
  mAbout = mPopupSys->addAction(QStringLiteral("About..."));
  mCustomize = mPopupSys->addAction(QStringLiteral("Customize..."));
  mPopupSys->addSeparator();  // mSeperator3
  mnuPointerly = mPopupSys->addAction(QStringLiteral("*BETA* Enable Mouse * BETA*"));
  mnuPointerly->setCheckable(true);
  mPopupSys->addSeparator();  // mSeperator2
  mFreshline = mPopupSys->addAction(QStringLiteral("Web update..."));
  mnuStartup = mPopupSys->addAction(QStringLiteral("Startup settings..."));
  mPopupSys->addSeparator();  // mSeperator1
  mPopupSuspend = mPopupSys->addAction(QStringLiteral("Suspend"));
  mPopupSuspend->setCheckable(true);
  mPopupExit = mPopupSys->addAction(QStringLiteral("Exit"));
  // The check marks change only through the handlers, never by the click itself.
  for (QAction* item : {mnuPointerly, mPopupSuspend})
    connect(item, &QAction::triggered, this, [item](bool) { item->setChecked(!item->isChecked()); });
  connect(mAbout, &QAction::triggered, this, [this] { mAbout_Click(); });
  connect(mCustomize, &QAction::triggered, this, [this] { mCustomize_Click(); });
  connect(mnuPointerly, &QAction::triggered, this, [this] { mnuPointerly_Click(); });
  connect(mFreshline, &QAction::triggered, this, [this] { mFreshline_Click(); });
  connect(mnuStartup, &QAction::triggered, this, [this] { mnuStartup_Click(); });
  connect(mPopupSuspend, &QAction::triggered, this, [this] { mPopupSuspend_Click(); });
  connect(mPopupExit, &QAction::triggered, this, [this] { mPopupExit_Click(); });
  using platform::NameControl;
  NameControl(lstDebugWindow, "lstDebugWindow");
  NameControl(cmdSuspend, "cmdSuspend");
  NameControl(cmdExit, "cmdExit");
  NameControl(tmrMonitor, "tmrMonitor");
  NameControl(&IconData, "IconData");
  NameControl(mPopupSys, "mPopupSys");
  NameControl(mAbout, "mAbout");
  NameControl(mCustomize, "mCustomize");
  NameControl(mnuPointerly, "mnuPointerly");
  NameControl(mFreshline, "mFreshline");
  NameControl(mnuStartup, "mnuStartup");
  NameControl(mPopupSuspend, "mPopupSuspend");
  NameControl(mPopupExit, "mPopupExit");
  IconData.SetMenu(mPopupSys);
  connect(&IconData, &platform::TrayIcon::doubleClicked, this, [this] { mCustomize_Click(); });
  // Without a tray (a desktop with none, or GNOME without its AppIndicator
  // extension) the monitor has no icon and no menu: the player is told once
  // that it runs all the same, and how to end it.
  connect(&IconData, &platform::TrayIcon::trayMissing, this, [this] {
    const std::string line =
        "No notification area shows the monitor's icon: Watchpost keeps watching games, but its menu cannot be "
        "opened. The editor starts from its own menu entry; \"watchpost -k\" ends the monitor.";
    Line(line);
    std::fprintf(stderr, "watchpost: %s\n", line.c_str());
  });
  connect(&IconData, &platform::TrayIcon::trayAppeared, this,
          [this] { Line("A notification area appeared: the monitor's icon is shown there."); });

  // The logic behind the tick, over the real clock, runner, emulator window and processes.
  runs_ = std::make_unique<DriverRuns>(runner_, ProgramFolder, *this);
  activation_ = std::make_unique<Activation>(*runs_, runner_, emulator_, clock_, *this, ProgramFolder);
  loop_ = std::make_unique<PollLoop>(state_, processes_, clock_, *this);
  connect(&runner_, &platform::ProcessRunner::stillWaiting, this, [this] { WhileRunning(); });
}

void frmMain::WhileRunning() {
  if (Ended() || state_.MonitorIniFile.empty()) return;
  std::string mode = config_store::ReadModeFile(state_.MonitorIniFile);
  if (ReadMailbox(mode, state_.CurrentMode) != MailboxAction::Quit) return;
  runner_.StopRuns();
  MailboxQuit(mode);
}

void frmMain::RunOverLimit(const std::string& CommandLine) {
  const int limitMs = runner_.LimitMs();
  std::string seconds = std::to_string(limitMs / 1000);
  if (limitMs % 1000 != 0) seconds += "." + std::to_string(limitMs % 1000 / 100);
  std::string line = "Ended a run that lasted over " + seconds + " seconds: " + CommandLine;
  Line(line);
  std::fprintf(stderr, "watchpost: %s\n", line.c_str());
}

void frmMain::ToolNotStarted(const std::string&) {
  const std::string tool = config_store::ControlToolPath(ProgramFolder);
  const std::string why = platform::FileExists(tool) ? "it cannot be run" : "it is not there";
  std::string line = "Cannot start " + platform::FileNamePart(tool) + " in " + ProgramFolder + " (" + why +
                     "): the controller's settings were not changed.";
  Line(line);
  std::fprintf(stderr, "watchpost: %s\n", line.c_str());
}

frmMain::~frmMain() = default;

void frmMain::Line(const std::string& line) {
  lstDebugWindow->addItem(platform::FromAnsi(line));
  if (state_.DebugMode) {
    std::printf("%s\n", platform::FromAnsi(line).toUtf8().constData());
    std::fflush(stdout);
  }
}

void frmMain::SelectLastLine() {
  if (lstDebugWindow->count() > 0) lstDebugWindow->setCurrentRow(lstDebugWindow->count() - 1);
}

void frmMain::SelectLineBeforeLast() {
  if (lstDebugWindow->count() >= 2) lstDebugWindow->setCurrentRow(lstDebugWindow->count() - 2);
}

void frmMain::SetTip(const std::string& tip) { IconData.SetTip(tip); }

void frmMain::Fatal(const std::string& text) {
  platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical, kMonitorTitle);
  EndBecause("the configuration could not be applied: " + text);
  Form_Unload();
}

std::string frmMain::TimeText() { return TimeOfDayText(); }

void frmMain::Form_Load() {
  // Hidden until debug mode shows it.
  hide();

  // The command line.
  MonitorSwitches switches = ParseMonitorSwitches(commandText_);
  state_.DebugMode = switches.debugMode;
  state_.SkipOsCheck = switches.skipOsCheck;
  state_.RefreshInterval = switches.refreshInterval;
  if (switches.outcome == MonitorSwitches::Outcome::Kill) {
    config_store::WriteModeIfPresent(ProgramFolder, "");
    EndBecause("started with the kill switch");
    Form_Unload();
    return;
  }
  if (switches.outcome == MonitorSwitches::Outcome::Usage) {
    StartError();
    return;
  }

  // The registered version.
  config_store::SaveRegString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "Version", "5.10");

  // The debug window.
  if (state_.DebugMode) {
    setWindowState(Qt::WindowNoState);
    show();
  } else {
    setWindowState(Qt::WindowMinimized);
  }

  // One monitor per installation: a second copy ends without a word, and
  // without the unload step, which would close the running monitor's emulator
  // in the middle of a game.
  const bool firstLoad = !instance_;
  if (firstLoad) instance_ = std::make_unique<platform::SingleInstance>("watchpost", ProgramFolder);
  if (!instance_->Claim(500)) {
    hide();
    EndBecause("a monitor already runs for this folder");
    EndProgram(0);
    return;
  }
  // An emulator running now was started by a monitor that went away without
  // its unload (killed, crashed): no game of ours needs it, so it is closed
  // before it turns the controller into mouse and keys on the desktop.
  if (firstLoad && emulator_.Running()) {
    emulator_.ClosePointerly();
    Line("Closed a Pointerly left running by an earlier monitor.");
  }

  // Kept off the task bar by the tool-window flag set at construction.

  // The operating-system check.
  if (!state_.SkipOsCheck) {
    if (common_ui::GetWindowsVersion(false).refused) {
      EndBecause("the operating system check refused it");
      Form_Unload();
      return;
    }
  }

  // The notification-area icon (adding it again on a resume has no effect).
  IconData.Add(MonitorIcon(), kMonitorTitle);

  // The controller warning, which the attach check never asks for at present.
  if (!config_store::ReadCheckAttached()) {
    common_ui::frmCheckAttached dialog;
    connect(&dialog, &common_ui::frmCheckAttached::exitChosen, this, [this] {
      EndBecause("the controller was not found");
      Form_Unload();
    });
    platform::ExecModal(dialog);
    if (Ended()) return;
  }

  // The configuration folder.
  state_.ScgFolder = config_store::ScgFolderPath(ProgramFolder);
  if (!platform::FolderExists(state_.ScgFolder)) {
    FailLoad("Configuration file folder " + state_.ScgFolder + " not found.",
             "configuration file folder " + state_.ScgFolder + " not found");
    return;
  }

  // The mailbox.
  std::string ini = config_store::MonitorIniPath(ProgramFolder);
  // A mailbox the monitor cannot write would end it at the first tick with no
  // word of why (a folder the player may not write): end now and say so.
  int error = platform::FileExists(ini) ? 0 : platform::TryWriteFileAtomic(ini, "");
  if (error == 0) error = platform::TryWriteProfileString("VERSION", "VERSION", "5.1", ini);
  if (error == 0) error = config_store::WriteModeFile(ini, "ACTIVE");
  if (error != 0) {
    const std::string text = platform::CannotWriteText(ini, error);
    FailLoad(text, text);
    return;
  }
  state_.MonitorIniFile = ini;
  state_.CurrentMode = "ACTIVE";

  // The watch list.
  BuildWatchList();

  // Nothing to watch is fatal.
  if (state_.WatchList.empty()) {
    FailLoad("No configuration files found in folder " + state_.ScgFolder,
             "no configuration files found in folder " + state_.ScgFolder);
    return;
  }

  // The count of watched games, in debug mode.
  if (state_.DebugMode) {
    Line("--------");
    Line("Successfully added " + std::to_string(state_.WatchList.size()) + " items to the watch list.");
    Line("");
    SelectLineBeforeLast();
  }

  // The polling timer; its first scan looks at every process anew, so that
  // nothing missed while suspended stays unseen.
  processes_.LookAtAllNextScan();
  tmrMonitor->start(state_.RefreshInterval);
}

void frmMain::FailLoad(const std::string& text, const std::string& cause) {
  platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical, "Critical Error");
  exitCode_ = 1;
  EndBecause(cause);
  Form_Unload();
}

void frmMain::BuildWatchList() {
  if (state_.DebugMode) {
    Line("Building watch list...");
    Line("--------");
  }
  state_.WatchList = monitor::BuildWatchList(state_.ScgFolder, *this);
}

void frmMain::StartError() {
  const std::string crlf = "\r\n";
  platform::MsgBox("Command line Options:" + crlf + crlf + "-d for debug mode" + crlf +
                       "-r to set the Monitor refresh rate (1 to 10 seconds)" + crlf +
                       "-s to skip Windows 2000/XP check" + crlf + "-? to bring up this dialog",
                   platform::MsgButtons::Ok, platform::MsgIcon::None, kMonitorTitle);
  exitCode_ = 1;
  EndBecause("the command line was not understood");
  Form_Unload();
}

void frmMain::Form_Unload() {
  if (Ended()) return;
  // The emulator belongs to the game being watched; ask it to close.
  platform::PostCloseToWindow("Pointerly");
  state_.CurrentMode.clear();
  tmrMonitor->stop();
  if (!state_.MonitorIniFile.empty()) config_store::WriteModeFile(state_.MonitorIniFile, "");
  IconData.Remove();
  EndProgram(exitCode_);
}

void frmMain::EndBecause(const std::string& cause) {
  if (endCause_.empty()) endCause_ = cause;
}

void frmMain::EndProgram(int exitCode) {
  if (!end_.End(exitCode)) return;
  // Nothing else would tell why a monitor went away.
  std::string line = "Monitor ended: " + (endCause_.empty() ? std::string("unloaded") : endCause_);
  Line(line);
  std::fprintf(stderr, "watchpost: %s\n", line.c_str());
  tmrMonitor->stop();
  IconData.Remove();
  hide();
}

void frmMain::closeEvent(QCloseEvent* event) {
  event->accept();
  EndBecause("the window was closed");
  Form_Unload();
}

void frmMain::tmrMonitor_Timer() {
  // A command still being carried out (its Ryxcontrol runs yield to the event
  // loop) keeps the tick for later: inside it the tick would read the mailbox
  // half-way through a suspend, or start runs beside the command's own.
  if (runs_->Busy()) return;
  loop_->tmrMonitor_Timer();
}

void frmMain::MailboxToggle() { runs_->Perform(MonitorCommand::SuspendToggle); }

bool frmMain::ActivateGame(const ActiveGame& game) { return activation_->SCGActivate(game, state_.DebugMode); }

void frmMain::ClosePointerly() { emulator_.ClosePointerly(); }

void frmMain::WriteStuff(const ActiveGame& game) {
  game_exit::WriteStuff({ProgramFolder, game, activation_->Values.Bindings, state_.DebugMode}, *this, *runs_);
}

// The commands, each through the driver runs' queue.
void frmMain::mAbout_Click() { common_ui::ShowAbout(common_ui::AboutProduct::Monitor, kMonitorTitle, this); }
void frmMain::mCustomize_Click() { runs_->Submit(MonitorCommand::Customize); }
void frmMain::mnuPointerly_Click() { runs_->Submit(MonitorCommand::EmulatorToggle); }
void frmMain::mFreshline_Click() { runs_->Submit(MonitorCommand::WebUpdate); }
void frmMain::mPopupSuspend_Click() { runs_->Submit(MonitorCommand::SuspendToggle); }
void frmMain::cmdSuspend_Click() { mPopupSuspend_Click(); }
void frmMain::mPopupExit_Click() {
  EndBecause("Exit chosen from the menu");
  runs_->Submit(MonitorCommand::Exit);
}
void frmMain::cmdExit_Click() {
  EndBecause("the Exit button was pressed");
  mPopupExit_Click();
}
void frmMain::QuitOnSignal(int signalNumber) {
  const char* name = ::sigabbrev_np(signalNumber);
  EndBecause(std::string("signal ") + (name ? std::string("SIG") + name : std::to_string(signalNumber)) + " received");
  mPopupExit_Click();
}

void frmMain::mnuStartup_Click() {
  if (startUp_) {
    startUp_->raise();
    return;
  }
  auto* dialog = new frmStartUp(ProgramFolder, platform::ProgramFileName(), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  startUp_ = dialog;
  dialog->show();
}

void frmMain::Perform(MonitorCommand command) {
  if (Ended()) return;
  switch (command) {
    case MonitorCommand::SuspendToggle:
      SuspendToggle();
      break;
    case MonitorCommand::Exit:
      Form_Unload();
      break;
    case MonitorCommand::EmulatorToggle:
      ToggleEmulator();
      break;
    case MonitorCommand::Customize:
      StartCustomizer();
      break;
    case MonitorCommand::WebUpdate:
      StartUpdater();
      break;
  }
  // A wait for a game ends at once when the monitor is no longer active.
  if (!platform::EqualsNoCase(state_.CurrentMode, "ACTIVE")) clock_.Wake();
}

void frmMain::LogSuspended() {
  if (lstDebugWindow->count() > 0 && !lstDebugWindow->item(lstDebugWindow->count() - 1)->text().isEmpty()) Line("");
  Line("Monitoring suspended at " + TimeText());
  Line("");
  SelectLineBeforeLast();
}

void frmMain::SuspendToggle() {
  if (!mPopupSuspend->isChecked()) {
    mPopupSuspend->setChecked(true);
    state_.CurrentMode = "SUSPEND";
    // Another program may write the mailbox while the reset runs (the updater's
    // quit, the editor's resume): its word is kept for the next tick to act on.
    const std::string wordBefore = config_store::ReadModeFile(state_.MonitorIniFile);
    emulator_.ClosePointerly();
    runs_->ResetRyxDefaults();
    if (Ended()) return;
    IconData.Modify(DisabledIcon(), "Heliryx 360 Monitor - Suspended");
    emulator_.ClosePointerly();
    QCoreApplication::processEvents();
    tmrMonitor->start(kSuspendedRefreshMs);
    LogSuspended();
    cmdSuspend->setText(QStringLiteral("Resume"));
    // The look and the write are one step under the mailbox's lock. A mailbox
    // that is gone is made again, as the toggle always has: else the next tick
    // would read "ERROR" and end the monitor.
    if (!config_store::ReplaceMode(ProgramFolder, wordBefore, "SUSPEND") &&
        !platform::FileExists(state_.MonitorIniFile))
      config_store::WriteModeFile(state_.MonitorIniFile, "SUSPEND");
  } else {
    mPopupSuspend->setChecked(false);
    state_.CurrentMode = "ACTIVE";
    IconData.Modify(MonitorIcon(), kMonitorTitle);
    QCoreApplication::processEvents();
    tmrMonitor->start(state_.RefreshInterval);
    Line("Monitoring resumed at " + TimeText());
    Line("");
    SelectLineBeforeLast();
    cmdSuspend->setText(QStringLiteral("Suspend"));
    Form_Load();
  }
}

void frmMain::Suspend() {
  config_store::WriteModeIfPresent(ProgramFolder, "SUSPEND");
  mPopupSuspend->setChecked(true);
  state_.CurrentMode = "SUSPEND";
  emulator_.ClosePointerly();
  IconData.Modify(DisabledIcon(), kMonitorTitle);
  tmrMonitor->start(kSuspendedRefreshMs);
  LogSuspended();
  cmdSuspend->setText(QStringLiteral("Resume"));
}

void frmMain::StartCustomizer() {
  std::string editorPath = config_store::EditorProgramPath(ProgramFolder);
  if (platform::FileExists(editorPath)) {
    Suspend();
    // Started minimised with the focus, then activated: its window comes up
    // restored and in front, which on a desktop without a task bar is the
    // only way the player would see it.
    if (platform::StartDetached(editorPath, {}, platform::StartWindow::Minimized))
      editorActivation_.Start(config_store::kEditorInstanceName, ProgramFolder);
  } else {
    platform::MsgBox("Heliryx 360 Customizer not found.", platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                     "Launch Error", true);
  }
}

void frmMain::StartUpdater() {
  std::string updater = config_store::UpdaterProgramPath(ProgramFolder);
  if (platform::FileExists(updater)) {
    Suspend();
    platform::StartDetached(updater);
  } else {
    platform::MsgBox("Heliryx 360 Web Update utility not found.", platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                     "Update Error", true);
  }
}

void frmMain::ToggleEmulator() {
  std::string pointerly = config_store::EmulatorProgramPath(ProgramFolder);
  if (!platform::FileExists(pointerly)) {
    platform::MsgBox("Pointerly utility not found... Aborting...", platform::MsgButtons::Ok,
                     platform::MsgIcon::Critical, "Launch Error");
    return;
  }
  runs_->ResetRyxDefaults();
  if (mnuPointerly->isChecked()) {
    mnuPointerly->setChecked(false);
    emulator_.ClosePointerly();
  } else {
    mnuPointerly->setChecked(true);
    emulator_.ClosePointerly();
    activation_->StartPointerly();
  }
}

void frmMain::MailboxQuit(const std::string& mode) {
  EndBecause("the mailbox's MODE read \"" + mode + "\" at " + TimeText());
  state_.CurrentMode.clear();
  tmrMonitor->stop();
  config_store::WriteModeFile(state_.MonitorIniFile, "");
  IconData.Remove();
  EndProgram(0);
}

}  // namespace monitor
