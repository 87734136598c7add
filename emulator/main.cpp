// pointerly: the mouse emulator.
#include "emulator/main_window.h"
#include "platform/input/input_sink.h"
#include "platform/program_end.h"
#include "platform/qt_start.h"
#include "platform/start_window.h"

#include <QApplication>

int main(int argc, char** argv) {
  platform::PrepareQtPlatform();
  QApplication app(argc, argv);
  // The window is normally hidden; closing the About box must not end the program.
  app.setQuitOnLastWindowClosed(false);
  platform::SystemInputSinks sinks;
  emulator::frmMain form(emulator::EmulatorIniPath(), sinks);
  platform::LeaveEventLoopOnEnd(form.End());
  // The monitor starts the emulator hidden; started directly it shows its window.
  switch (platform::TakeStartWindowRequest()) {
    case platform::StartWindow::Normal:
      form.show();
      break;
    case platform::StartWindow::Minimized:
      form.showMinimized();
      break;
    case platform::StartWindow::Hidden:
      break;
  }
  form.Form_Load();
  if (form.Ended()) return form.ExitCode();
  return app.exec();
}
