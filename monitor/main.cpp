// Watchpost: watches for games that have a configuration and applies it.
#include "config_store/install_folder.h"
#include "monitor/main_window.h"
#include "platform/file_system.h"
#include "platform/program_end.h"
#include "platform/program_files.h"
#include "platform/qt_start.h"
#include "platform/quit_signals.h"

#include <QApplication>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  platform::PrepareQtPlatform();
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("Heliryx 360 Monitor"));
  app.setQuitOnLastWindowClosed(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  const std::string folder = platform::ProgramFolder();
  // What writes cut short by a kill or a power cut left in the folders the monitor writes.
  platform::RemoveStaleTemporaries(folder);
  platform::RemoveStaleTemporaries(config_store::ScgFolderPath(folder));
  monitor::frmMain window(monitor::CommandText(args), folder);
  platform::LeaveEventLoopOnEnd(window.End());
  // A logout or kill ends the monitor the way its own Exit does: the emulator is
  // closed and the mailbox emptied.
  platform::QuitSignals quitSignals;
  QObject::connect(&quitSignals, &platform::QuitSignals::quit, &window,
                   [&window, &quitSignals] { window.QuitOnSignal(quitSignals.LastSignal()); });
  window.Form_Load();
  if (window.Ended()) return window.ExitCode();
  return app.exec();
}
