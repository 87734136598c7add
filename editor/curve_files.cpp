#include "editor/curve_files.h"

#include "config_store/install_folder.h"
#include "config_store/ryx_command_file.h"
#include "editor/save_dialog.h"
#include "platform/dialogs.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/process/command_line.h"

namespace editor {

namespace {

const char kCurveFilter[] = "Sensitivity Curve Files (*.crv)|*.crv|All Files (*.*)|*.*";

// The box shown when a path cannot be handed to the control tool.
void RefuseQuotedPath(const std::string& path) {
  platform::MsgBox("Sensitivity curve file " + path +
                       " cannot be used: the control tool cannot be given a path holding a double quote (\").",
                   platform::MsgButtons::Ok, platform::MsgIcon::Critical, "Sensitivity Curve");
}

std::string CurveFolder(const std::string& programFolder) {
  const std::string folder = config_store::CurveFolderPath(programFolder);
  if (!platform::FolderExists(folder)) platform::CreateFolder(folder);
  return folder;
}

}  // namespace

void DownloadCurve(const std::string& programFolder, int slot, platform::ToolRunner& runner) {
  std::optional<std::string> path =
      ChooseFileToWrite(kCurveFilter, CurveFolder(programFolder), "Sensitivity curve file");
  if (!path) return;
  std::optional<std::string> quoted = platform::QuoteWindowsArgument(*path);
  if (!quoted) {
    RefuseQuotedPath(*path);
    return;
  }
  // The tool numbers its curves 0 to 5, as the buttons show them; it writes the file itself.
  runner.Start(config_store::ryx::ToolCommandLine(
      programFolder, "--download-sensitivity-curve " + std::to_string(slot - 1) + " " + *quoted));
}

std::optional<std::string> ChooseCurveFile(const std::string& programFolder) {
  platform::FileDialogResult chosen = platform::ShowFileDialog({false, kCurveFilter, CurveFolder(programFolder), ""});
  if (chosen.fileTitle.empty()) return std::nullopt;
  // Kept, such a path could never be uploaded.
  if (!platform::QuoteWindowsArgument(chosen.fileName)) {
    RefuseQuotedPath(chosen.fileName);
    return std::nullopt;
  }
  return platform::FileExists(chosen.fileName) ? chosen.fileName : std::string();
}

std::array<std::string, 7> CurveFilesOf(const config_store::TGameConfig& config, const std::string& programFolder) {
  std::array<std::string, 7> files;
  for (int slot = 1; slot <= 6; ++slot)
    files[slot] = config_store::ryx::CurveFilePath(config.Curve(slot).USER, programFolder);
  return files;
}

}  // namespace editor
