// Tunedeck's start as its own main runs it, up to the shown main window with
// the remembered or first game filled in.
//   bench_editor_start_probe START_STAMP IDLE_MS INSTALLATION_FOLDER
#include "bench/editor/start_report.h"
#include "config_store/install_folder.h"
#include "editor/editor_start.h"
#include "platform/file_system.h"
#include "platform/qt_start.h"

#include <QApplication>
#include <QComboBox>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  platform::PrepareQtPlatform();
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("Heliryx 360 Customizer"));
  app.setQuitOnLastWindowClosed(false);
  const std::string folder = argv[3];
  platform::RemoveStaleTemporaries(folder);
  platform::RemoveStaleTemporaries(config_store::ScgFolderPath(folder));
  editor::EditorStart start("", folder);
  if (!start.Main() || !start.Window() || !start.Window()->isVisible() ||
      start.Window()->Controls().Get<QComboBox>("cboGameList")->currentIndex() < 0) {
    std::fprintf(stderr, "the editor did not show a filled window\n");
    return 1;
  }
  bench_start::ReportShown(argv[1], std::atoi(argv[2]));
  return app.exec();
}
