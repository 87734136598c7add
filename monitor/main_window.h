// Watchpost's one window, frmMain: invisible unless in debug mode, it owns the
// start-up sequence, the log, the notification-area icon and the polling timer.
#pragma once

#include "monitor/monitor_switches.h"
#include "monitor/watch_list.h"
#include "platform/local_endpoint.h"
#include "platform/tray_icon.h"

#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

class QListWidget;
class QPushButton;

namespace monitor {

inline const std::string kMonitorTitle = "Heliryx 360 Monitor";

class frmMain : public QWidget {
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
  bool Ended() const { return ended_; }
  int ExitCode() const { return exitCode_; }

  // Appends one line to lstDebugWindow (also echoed to standard output in
  // debug mode, which is where the log shows without a display).
  void Log(const std::string& line);
  // Selects the line before last, so the list scrolls to it.
  void SelectLineBeforeLast();

  // Module-level state shared with the tick, the activation and the menus.
  const std::string ProgramFolder;
  int RefreshInterval = 1000;
  bool DebugMode = false;
  bool SkipOsCheck = false;
  std::string ScgFolder;
  std::string ScgExt;
  std::string MonitorIniFile;
  std::string CurrentMode;
  WatchTable WatchList;

  QListWidget* lstDebugWindow;
  QPushButton* cmdSuspend;
  QPushButton* cmdExit;
  QTimer tmrMonitor;
  platform::TrayIcon IconData;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWatchList();
  void EndProgram(int exitCode);
  void tmrMonitor_Timer();

  std::string commandText_;
  std::unique_ptr<platform::SingleInstance> instance_;
  bool ended_ = false;
  int exitCode_ = 0;
};

}  // namespace monitor
