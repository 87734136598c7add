#include "monitor/main_window.h"

#include "config_store/profile_helpers.h"
#include "editor/check_attached_dialog.h"
#include "editor/windows_version.h"
#include "monitor/monitor_icons.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/local_endpoint.h"
#include "platform/modal.h"
#include "platform/program_files.h"
#include "platform/text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

namespace monitor {

using config_store::ReadIni;
using config_store::WriteIni;

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
  connect(cmdExit, &QPushButton::clicked, this, [this] { Form_Unload(); });
  connect(&tmrMonitor, &QTimer::timeout, this, [this] { tmrMonitor_Timer(); });
}

frmMain::~frmMain() = default;

void frmMain::Log(const std::string& line) {
  lstDebugWindow->addItem(platform::FromAnsi(line));
  if (DebugMode) {
    std::printf("%s\n", platform::FromAnsi(line).toUtf8().constData());
    std::fflush(stdout);
  }
}

void frmMain::SelectLineBeforeLast() {
  if (lstDebugWindow->count() >= 2) lstDebugWindow->setCurrentRow(lstDebugWindow->count() - 2);
}

void frmMain::Form_Load() {
  // 1. Hidden until debug mode shows it.
  hide();
  RefreshInterval = 1000;

  // 2. The command line.
  MonitorSwitches switches = ParseMonitorSwitches(commandText_);
  DebugMode = switches.debugMode;
  SkipOsCheck = switches.skipOsCheck;
  RefreshInterval = switches.refreshInterval;
  if (switches.outcome == MonitorSwitches::Outcome::Kill) {
    std::string ini = ProgramFolder + "/watchpost.ini";
    if (platform::FileExists(ini)) WriteIni(ini, "APPLICATION", "MODE", "");
    Form_Unload();
    return;
  }
  if (switches.outcome == MonitorSwitches::Outcome::Usage) {
    StartError();
    return;
  }

  // 3. The registered version.
  config_store::SaveRegString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "Version", "5.10");

  // 4. The debug window.
  if (DebugMode) {
    setWindowState(Qt::WindowNoState);
    show();
  } else {
    setWindowState(Qt::WindowMinimized);
  }

  // 5. One monitor per installation: a second copy ends without a word, and
  // without the unload step, which would close the running monitor's emulator
  // in the middle of a game.
  if (!instance_) instance_ = std::make_unique<platform::SingleInstance>("watchpost");
  if (!instance_->Claim(500)) {
    hide();
    EndProgram(0);
    return;
  }

  // 6. Kept off the task bar by the tool-window flag set at construction.

  // 7. The operating-system check.
  if (!SkipOsCheck) {
    bool refused = false;
    editor::GetWindowsVersion(false, [&] { refused = true; });
    if (refused) {
      Form_Unload();
      return;
    }
  }

  // 8. The notification-area icon (adding it again on a resume has no effect).
  IconData.Add(MonitorIcon(), kMonitorTitle);

  // 9. The controller warning, which the attach check never asks for at present.
  if (!config_store::ReadCheckAttached()) {
    editor::frmCheckAttached dialog([this] { Form_Unload(); });
    platform::ExecModal(dialog);
  }

  // 10. The configuration folder.
  ScgFolder = ProgramFolder + "/scg/";
  if (!platform::FolderExists(ScgFolder)) {
    platform::MsgBox("Configuration file folder " + ScgFolder + " not found.", platform::MsgButtons::Ok,
                     platform::MsgIcon::Critical, "Critical Error");
    exitCode_ = 1;
    Form_Unload();
    return;
  }

  // 11. The mailbox.
  ScgExt = ".scg";
  std::string ini = ProgramFolder + "/watchpost.ini";
  if (!platform::FileExists(ini)) platform::WriteFileAtomic(ini, "");
  MonitorIniFile = ini;
  WriteIni(MonitorIniFile, "VERSION", "VERSION", "5.1");
  WriteIni(MonitorIniFile, "APPLICATION", "MODE", "ACTIVE");
  CurrentMode = "ACTIVE";

  // 12. The watch list.
  BuildWatchList();

  // 13. Nothing to watch is fatal.
  if (WatchList.empty()) {
    platform::MsgBox("No configuration files found in folder " + ScgFolder, platform::MsgButtons::Ok,
                     platform::MsgIcon::Critical, "Critical Error");
    exitCode_ = 1;
    Form_Unload();
    return;
  }

  // 14. The count.
  if (DebugMode) {
    Log("--------");
    Log("Successfully added " + std::to_string(WatchList.size()) + " items to the watch list.");
    Log("");
    SelectLineBeforeLast();
  }

  // 15. The polling timer.
  tmrMonitor.start(RefreshInterval);
}

void frmMain::BuildWatchList() {
  if (DebugMode) {
    Log("Building watch list...");
    Log("--------");
  }
  WatchList = monitor::BuildWatchList(ScgFolder, [this](const std::string& line) { Log(line); });
}

void frmMain::StartError() {
  const std::string crlf = "\r\n";
  platform::MsgBox("Command line Options:" + crlf + crlf + "-d for debug mode" + crlf +
                       "-r to set the Monitor refresh rate (1 to 10 seconds)" + crlf +
                       "-s to skip Windows 2000/XP check" + crlf + "-? to bring up this dialog",
                   platform::MsgButtons::Ok, platform::MsgIcon::None, kMonitorTitle);
  exitCode_ = 1;
  Form_Unload();
}

void frmMain::Form_Unload() {
  if (ended_) return;
  // The emulator belongs to the game being watched; ask it to close.
  platform::PostCloseToWindow("Pointerly");
  CurrentMode.clear();
  tmrMonitor.stop();
  if (!MonitorIniFile.empty()) WriteIni(MonitorIniFile, "APPLICATION", "MODE", "");
  IconData.Remove();
  EndProgram(exitCode_);
}

void frmMain::EndProgram(int exitCode) {
  if (ended_) return;
  ended_ = true;
  exitCode_ = exitCode;
  tmrMonitor.stop();
  IconData.Remove();
  hide();
  // Before the event loop runs, main() sees Ended(); once it runs, exit() also
  // leaves any wait that is yielding inside it.
  QCoreApplication::exit(exitCode);
}

void frmMain::closeEvent(QCloseEvent* event) {
  event->accept();
  Form_Unload();
}

void frmMain::tmrMonitor_Timer() {}

}  // namespace monitor
