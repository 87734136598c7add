// tunedeck: the per-game configuration editor.
#include "config_store/install_folder.h"
#include "editor/editor_start.h"
#include "platform/file_system.h"
#include "platform/program_files.h"
#include "platform/qt_start.h"
#include "platform/quit_signals.h"
#include "platform/start_window.h"
#include "platform/text.h"

#include <QApplication>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  // The editor is of no use without its window, and would pause the monitor for nothing.
  if (!platform::RequireDisplay("tunedeck")) return 1;
  platform::PrepareQtPlatform();
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("Heliryx 360 Customizer"));
  // The About box and the splash closing must not end the program; the main window's unload does.
  app.setQuitOnLastWindowClosed(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  const std::string folder = platform::ProgramFolder();
  // What writes cut short by a kill or a power cut left in the folders the editor writes.
  platform::RemoveStaleTemporaries(folder);
  platform::RemoveStaleTemporaries(config_store::ScgFolderPath(folder));
  editor::EditorStart start(platform::Join(args, " "), folder);
  start.startMinimized = platform::TakeStartWindowRequest() != platform::StartWindow::Normal;
  start.leaveEventLoopOnEnd = true;
  // A logout, a closed terminal or a kill ends the editor through its unload:
  // tunedeck.ini and the monitor's hand-shake are written, nothing is saved.
  platform::QuitSignals quitSignals;
  QObject::connect(&quitSignals, &platform::QuitSignals::quit, [&start] {
    if (start.Window()) start.Window()->Terminate();
  });
  if (!start.Main()) return start.ExitCode();
  return app.exec();
}
