// Sending the edited settings to the controller, the curve slots and the export
// of a command file. The device is reached only through the control tool.
#include "editor/main_window.h"

#include "config_store/install_folder.h"
#include "config_store/ryx_command_file.h"
#include "editor/selection.h"
#include "editor/settings_activation.h"
#include "platform/dialogs.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/process/command_line.h"
#include "platform/process/run_and_wait.h"
#include "platform/text.h"

#include <QRadioButton>
#include <cerrno>
#include <cstring>
#include <optional>

namespace editor {

using platform::MsgBox;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

const char kCurveFilter[] = "Sensitivity Curve Files (*.crv)|*.crv|All Files (*.*)|*.*";
const char kRyxFilter[] = "Ryxcontrol Command Files (*.ryx)|*.ryx|All Files (*.*)|*.*";

// The save dialog asked again while the chosen file exists and the player
// answers No; the chosen path, or nothing when cancelled.
std::optional<std::string> ChooseFileToWrite(const std::string& filter, const std::string& folder,
                                             const std::string& kindOfFile) {
  for (;;) {
    platform::FileDialogResult chosen = platform::ShowFileDialog({true, filter, folder, ""});
    if (chosen.fileTitle.empty()) return std::nullopt;
    if (!platform::FileExists(chosen.fileName)) return chosen.fileName;
    MsgResult answer = MsgBox(kindOfFile + " " + chosen.fileTitle + " already exists.  Would you like to overwrite it?",
                              MsgButtons::YesNoCancel, MsgIcon::Question, "File Exists");
    if (answer == MsgResult::Yes) return chosen.fileName;
    if (answer == MsgResult::Cancel) return std::nullopt;
  }
}

// The axis page's assignment, as the command file takes it.
config_store::AxisAssignments AxesOf(const TAxisInfo (&info)[7]) {
  config_store::AxisAssignments axes;
  for (int i = 1; i <= 6; ++i) axes[i - 1] = {info[i].Motion, info[i].Polarity};
  return axes;
}

// Why the last file operation failed, as the system says it.
std::string LastFailure() { return errno != 0 ? std::strerror(errno) : "it could not be written"; }

// The box shown when a path cannot be handed to the control tool.
void RefuseQuotedPath(const std::string& path) {
  MsgBox("Sensitivity curve file " + path +
             " cannot be used: the control tool cannot be given a path holding a double quote (\").",
         MsgButtons::Ok, MsgIcon::Critical, "Sensitivity Curve");
}

}  // namespace

// ------------------------------------------------------------------ Activate

bool frmMain::HoldWhileActivating(std::function<void()> command) {
  if (!activating_) return false;
  afterActivate_.push_back(std::move(command));
  if (stopActivateRuns_) stopActivateRuns_();
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
    errno = 0;
    if (!config_store::WriteRyxCommandFile(file, GameConfig, Flags.SkillLevel, AxesOf(AxisInfo), ProgramFolder)) {
      // An old active.ryx must not be replayed as if it held these settings.
      box = ActivateBox{"File Not Saved",
                        "Ryx settings file " + file + " could not be written: " + LastFailure() +
                            ".  Settings not applied.",
                        MsgIcon::Critical};
      continue;
    }
    // A quit or a close during the runs ends the run going on (the tool is
    // asked to end) and starts no further one; a run past the limit is ended.
    platform::RunStop stop;
    stopActivateRuns_ = [&stop] { stop.Stop(); };
    ToolRun run = [this, &stop](const std::string& commandLine) {
      platform::RunEnd end = platform::RunEnd::Finished;
      platform::RunAndWait(commandLine, false, {activateRunLimitMs, &stop}, &end);
      switch (end) {
        case platform::RunEnd::NotStarted: return ToolRunEnd::NotStarted;
        case platform::RunEnd::OverLimit: return ToolRunEnd::OverLimit;
        case platform::RunEnd::Stopped: return ToolRunEnd::Stopped;
        case platform::RunEnd::Finished: break;
      }
      return ToolRunEnd::Finished;
    };
    box = ReplayActiveRyx(ProgramFolder, kEditorTitle, run);
    stopActivateRuns_ = nullptr;
  } while (activateAgain_ && afterActivate_.empty());
  activating_ = false;

  // A quit or a close chosen during the runs comes now, and the player is leaving: no box.
  std::vector<std::function<void()>> held = std::move(afterActivate_);
  afterActivate_.clear();
  if (!held.empty()) {
    // Exit chosen twice asks nothing more once the window has ended.
    for (auto& command : held)
      if (!ended_) command();
    return;
  }
  if (box) MsgBox(box->text, MsgButtons::Ok, box->icon, box->title);
}

// ------------------------------------------------------------------- curves

// Bold with the file as tip (as this system writes paths) when the slot holds a curve.
void frmMain::ShowCurveSlot(int slot) {
  const std::string& path = GameConfig.Curve(slot).USER;
  QFont font = optSensCurves(slot)->font();
  font.setBold(!path.empty());
  optSensCurves(slot)->setFont(font);
  optSensCurves(slot)->setToolTip(
      platform::FromAnsi(path.empty() ? "Default Curve" : config_store::ryx::CurveFilePath(path, ProgramFolder)));
}

void frmMain::cmdCurveSave_Click() {
  const std::string folder = config_store::CurveFolderPath(ProgramFolder);
  if (!platform::FolderExists(folder)) platform::CreateFolder(folder);
  if (std::optional<std::string> path = ChooseFileToWrite(kCurveFilter, folder, "Sensitivity curve file")) {
    if (std::optional<std::string> quoted = platform::QuoteWindowsArgument(*path)) {
      // The tool numbers its curves 0 to 5, as the buttons show them.
      platform::RunAndWait(config_store::ryx::ToolCommandLine(
                               ProgramFolder, "--download-sensitivity-curve " + std::to_string(CurveSlot - 1) + " " + *quoted),
                           true);
    } else {
      RefuseQuotedPath(*path);
    }
  }
  AnyChanges("cmdCurveSave_Click");
}

void frmMain::cmdCurveLoad_Click() {
  const std::string folder = config_store::CurveFolderPath(ProgramFolder);
  if (!platform::FolderExists(folder)) platform::CreateFolder(folder);
  platform::FileDialogResult chosen = platform::ShowFileDialog({false, kCurveFilter, folder, ""});
  if (!chosen.fileTitle.empty()) {
    if (!platform::QuoteWindowsArgument(chosen.fileName)) {
      // Kept, such a path could never be uploaded.
      RefuseQuotedPath(chosen.fileName);
    } else {
      GameConfig.Curve(CurveSlot).USER = platform::FileExists(chosen.fileName) ? chosen.fileName : "";
      ShowCurveSlot(CurveSlot);
    }
  }
  AnyChanges("cmdCurveLoad_Click");
}

void frmMain::cmdCurveReset_Click() {
  GameConfig.Curve(CurveSlot).USER = "";
  ShowCurveSlot(CurveSlot);
  AnyChanges("cmdCurveReset_Click");
}

// ------------------------------------------------------------------- export

void frmMain::mExport_Click() {
  const std::string folder = config_store::RyxFolderPath(ProgramFolder);
  if (!platform::FolderExists(folder)) platform::CreateFolder(folder);
  std::optional<std::string> path = ChooseFileToWrite(kRyxFilter, folder, "Ryxcontrol command file");
  if (!path) return;
  errno = 0;
  if (!config_store::WriteRyxCommandFile(*path, GameConfig, Flags.SkillLevel, AxesOf(AxisInfo), ProgramFolder))
    MsgBox("Ryxcontrol command file " + *path + " was not written: " + LastFailure(), MsgButtons::Ok,
           MsgIcon::Critical, "Export to .Ryx format");
}

}  // namespace editor
