#include "editor/editor_start.h"

#include "common_ui/check_attached_dialog.h"
#include "common_ui/windows_version.h"
#include "config_store/install_folder.h"
#include "config_store/mode_mailbox.h"
#include "config_store/profile_helpers.h"
#include "editor/editor_switches.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/local_endpoint.h"
#include "platform/modal.h"
#include "platform/text.h"

#include <QPlainTextEdit>

namespace editor {

namespace {

// What to say about the first file of the editor's folder it could not write;
// empty when it can write them. The mailbox counts only when it exists: the
// editor never creates one.
std::string UnwritableFileText(const std::string& programFolder) {
  std::string settings = config_store::EditorIniPath(programFolder);
  if (int error = platform::ReplaceError(settings)) return platform::CannotWriteText(settings, error);
  std::string mailbox = config_store::MonitorIniPath(programFolder);
  if (platform::FileExists(mailbox))
    if (int error = platform::ReplaceError(mailbox)) return platform::CannotWriteText(mailbox, error);
  return {};
}

}  // namespace

EditorStart::EditorStart(std::string commandText, std::string programFolder)
    : commandText_(std::move(commandText)), programFolder_(std::move(programFolder)) {}

EditorStart::~EditorStart() = default;

void EditorStart::End(int exitCode) {
  exitCode_ = exitCode;
  splash_.reset();
}

void EditorStart::ShowCommandLineHelp() {
  platform::MsgBox(kEditorUsageText, platform::MsgButtons::Ok, platform::MsgIcon::None, kEditorTitle);
  End(1);
}

bool EditorStart::Main() {
  // The attachment warning (the check never asks for it at present).
  bool quit = false;
  if (!config_store::ReadCheckAttached()) {
    common_ui::frmCheckAttached dialog;
    QObject::connect(&dialog, &common_ui::frmCheckAttached::exitChosen, [&quit] { quit = true; });
    platform::ExecModal(dialog);
    if (quit) {
      End(0);
      return false;
    }
  }
  // One editor per installation folder: a second start brings the running
  // one to the front, restored, and ends without a window of its own.
  instance_ = std::make_unique<platform::SingleInstance>(config_store::kEditorInstanceName, programFolder_);
  // A short wait lets a start right after an editor closed find the name free.
  if (!instance_->Claim(500)) {
    instance_->ActivateRunning();
    End(0);
    return false;
  }
  // The splash, shown at once; the operating-system check is on unless the
  // command line turns it off.
  SkipOsCheck = false;
  splash_ = std::make_unique<frmSplash>();
  splash_->setWindowState(Qt::WindowNoState);
  splash_->show();
  splash_->raise();
  splash_->repaint();
  // The configuration folder.
  ScgFolder = config_store::ScgFolderPath(programFolder_);
  if (!platform::FolderExists(ScgFolder)) {
    platform::MsgBox("Configuration file folder " + ScgFolder + " not found.", platform::MsgButtons::Ok,
                     platform::MsgIcon::Critical, "Critical Error");
    End(1);
    return false;
  }
  // The command line.
  EditorSwitches switches = ParseEditorSwitches(commandText_);
  SkipOsCheck = switches.skipOsCheck;
  if (switches.outcome == EditorSwitches::Outcome::Kill) {
    config_store::WriteModeIfPresent(programFolder_, "");
    End(0);
    return false;
  }
  if (switches.outcome == EditorSwitches::Outcome::Usage) {
    ShowCommandLineHelp();
    return false;
  }
  // The operating-system check.
  if (common_ui::GetWindowsVersion(SkipOsCheck).refused) {
    End(1);
    return false;
  }
  // A folder that cannot take the settings file and the mailbox (one the player
  // may not write) would lose every change silently: said before anything is written.
  if (std::string unwritable = UnwritableFileText(programFolder_); !unwritable.empty()) {
    platform::MsgBox(unwritable, platform::MsgButtons::Ok, platform::MsgIcon::Critical, "Critical Error");
    // The monitor that started the editor suspended itself; no window will
    // unload to resume it, so this way out hands it back as the unload does.
    config_store::ReplaceMode(programFolder_, "SUSPEND", "ACTIVE");
    End(1);
    return false;
  }
  // The main window.
  window_ = std::make_unique<frmMain>(programFolder_);
  window_->startMinimized = startMinimized;
  frmMain* window = window_.get();
  if (leaveEventLoopOnEnd) platform::LeaveEventLoopOnEnd(window->End());
  QObject::connect(window, &frmMain::repaintSplash, window, [this] {
    if (splash_) splash_->repaint();
  });
  QObject::connect(window, &frmMain::unloadSplash, window, [this] { splash_.reset(); });
  QObject::connect(window, &frmMain::splashStatus, window, [this](const std::string& text) {
    if (!splash_) return;
    splash_->txtStatus->setPlainText(platform::FromAnsi(text));
    splash_->repaint();
  });
  QObject::connect(&instance_->Endpoint(), &platform::LocalEndpoint::message, window,
                   [this](const std::string& message) {
                     if (message == platform::kActivateMessage && window_ && !window_->Ended())
                       window_->mPopRestore_Click();
                   });
  window_->Form_Load();
  if (window_->Ended()) {
    End(window_->ExitCode());
    return false;
  }
  return true;
}

}  // namespace editor
