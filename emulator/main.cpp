// pointerly: the mouse emulator.
#include "emulator/main_window.h"
#include "platform/input/program_session.h"
#include "platform/qt_start.h"

#include <QApplication>

int main(int argc, char** argv) {
  platform::PrepareQtPlatform();
  QApplication app(argc, argv);
  // The window is normally hidden; closing the About box must not end the program.
  app.setQuitOnLastWindowClosed(false);
  emulator::frmMain form;
  // The monitor starts the emulator unseen; started by hand it shows its window.
  if (platform::StartedFromTerminal()) form.show();
  form.Form_Load();
  if (form.Ended()) return form.ExitCode();
  return app.exec();
}
