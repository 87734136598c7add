// fetchling: the web updater. Started under its own name it relaunches itself
// as `fl` from a private folder; that copy runs the wizard.
#include "platform/program_end.h"
#include "platform/program_files.h"
#include "platform/qt_start.h"
#include "platform/quit_signals.h"
#include "platform/start_window.h"
#include "updater/main_window.h"
#include "updater/relaunch.h"

#include <QApplication>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  // The wizard waits for a person's clicks: without a window its copy would hold
  // the monitor suspended for good.
  if (!platform::RequireDisplay(updater::IsRelaunchedCopy() ? "fl" : "fetchling")) return 1;
  platform::PrepareQtPlatform();
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("Freshline"));
  app.setQuitOnLastWindowClosed(false);
  platform::StartWindow how = platform::TakeStartWindowRequest();
  if (!updater::IsRelaunchedCopy()) return updater::RelaunchFromPrivateFolder();

  // Downloads go beside the copy; the installation is the starting copy's.
  updater::UpdaterSettings settings;
  settings.tempFolder = platform::ProgramFolder();
  settings.installFolder = updater::InstallFolderArgument(std::vector<std::string>(argv + 1, argv + argc));
  updater::frmMain form(settings);
  platform::LeaveEventLoopOnEnd(form.End());
  // A logout or kill ends the updater through its unload, so the monitor is handed back.
  platform::QuitSignals quitSignals;
  QObject::connect(&quitSignals, &platform::QuitSignals::quit, &form, [&form] { form.Form_Unload(); });
  form.Form_Load();
  if (form.Ended()) return form.ExitCode();
  if (how == platform::StartWindow::Minimized) form.showMinimized();
  return app.exec();
}
