// Sending the edited settings to the controller and the export of a command
// file. The device is reached only through the control tool.
#include "editor/main_window.h"

#include "config_store/install_folder.h"
#include "config_store/ryx_command_file.h"
#include "editor/pages/motions_page.h"
#include "editor/save_dialog.h"
#include "editor/settings_activation.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/process/tool_runner.h"

#include <optional>

namespace editor {

using platform::MsgBox;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

const char kRyxFilter[] = "Ryxcontrol Command Files (*.ryx)|*.ryx|All Files (*.*)|*.*";

// The axis page's assignment, as the command file takes it.
config_store::AxisAssignments AxesOf(const TAxisInfo (&info)[7]) {
  config_store::AxisAssignments axes;
  for (int i = 1; i <= 6; ++i) axes[i - 1] = {info[i].Motion, info[i].Polarity};
  return axes;
}

}  // namespace

// ------------------------------------------------------------------ Activate

bool frmMain::HoldWhileActivating(std::function<void()> command) {
  if (!activating_) return false;
  afterActivate_.push_back(std::move(command));
  if (activateRuns_) activateRuns_->StopRuns();
  return true;
}

void frmMain::cmdApplySettings_Click() {
  // A click while the runs go on is taken when they end: runs never overlap.
  if (activating_) {
    activateAgain_ = true;
    return;
  }
  activating_ = true;
  std::optional<ActivateBox> box;
  do {
    activateAgain_ = false;
    box.reset();
    std::string file = config_store::ActiveRyxPath(ProgramFolder);
    const config_store::RyxWriteResult written =
        config_store::WriteRyxCommandFile(file, GameConfig, Flags.SkillLevel, AxesOf(motions_->Axes()), ProgramFolder);
    if (!written.Written()) {
      // An old active.ryx must not be replayed as if it held these settings.
      box = ActivateBox{
          "File Not Saved",
          "Ryx settings file " + file + " could not be written: " + written.Why() + ".  Settings not applied.",
          MsgIcon::Critical};
      continue;
    }
    // A quit or a close during the runs ends the run going on (the tool is
    // asked to end) and starts no further one; a run past the limit is ended.
    platform::ProcessRunner runs(activateRunLimitMs);
    activateRuns_ = &runs;
    box = ReplayActiveRyx(ProgramFolder, kEditorTitle, runs);
    activateRuns_ = nullptr;
  } while (activateAgain_ && afterActivate_.empty());
  activating_ = false;

  // A quit or a close chosen during the runs comes now, and the player is leaving: no box.
  std::vector<std::function<void()>> held = std::move(afterActivate_);
  afterActivate_.clear();
  if (!held.empty()) {
    // Exit chosen twice asks nothing more once the window has ended.
    for (auto& command : held)
      if (!Ended()) command();
    return;
  }
  if (box) MsgBox(box->text, MsgButtons::Ok, box->icon, box->title);
}

// ------------------------------------------------------------------- export

void frmMain::mExport_Click() {
  const std::string folder = config_store::RyxFolderPath(ProgramFolder);
  if (!platform::FolderExists(folder)) platform::CreateFolder(folder);
  std::optional<std::string> path = ChooseFileToWrite(kRyxFilter, folder, "Ryxcontrol command file");
  if (!path) return;
  const config_store::RyxWriteResult written =
      config_store::WriteRyxCommandFile(*path, GameConfig, Flags.SkillLevel, AxesOf(motions_->Axes()), ProgramFolder);
  if (!written.Written())
    MsgBox("Ryxcontrol command file " + *path + " was not written: " + written.Why(), MsgButtons::Ok, MsgIcon::Critical,
           "Export to .Ryx format");
}

}  // namespace editor
