#include "monitor/game_exit/copy_files.h"

#include "config_store/block_readers.h"
#include "config_store/install_folder.h"
#include "monitor/game_exit/game_text_file.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/win_path.h"

namespace game_exit {
namespace {

void AddLog(const CopyJob& job, const std::string& line) { job.log.Line(line); }

// The Linux path of a source inside games/, or empty when the name could leave
// that folder (absolute, a drive, a ".." part, control characters).
std::string SourcePath(const std::string& programFolder, const std::string& source) {
  std::string gamesFolder = platform::ResolveNoCase(programFolder, std::string(config_store::kGamesFolderName));
  if (source.empty() || source[0] == '\\' || source[0] == '/') return {};
  for (unsigned char c : source)
    if (c < 0x20 || c == ':') return {};
  std::string path = platform::ResolveBelowNoCase(gamesFolder, source);
  // Links there may not lead out of games/ either.
  return path.empty() || !platform::FileExists(path) || ResolvesWithin(path, gamesFolder) ? path : std::string();
}

}  // namespace

bool ReadCopyFiles(const std::string& ActiveScgFile, const CopyJob& job) {
  auto bytes = platform::ReadFileBytes(ActiveScgFile);
  if (!bytes) return false;
  config_store::BlockRules rules;
  rules.keyIgnoresCase = true;
  rules.keyLineLimit = kCopyHeaderLineLimit;
  rules.rowLimit = static_cast<int>(kCopyRowLimit);
  config_store::BlockScan scan = config_store::ScanBlock(platform::SplitLines(*bytes), "COPY_FILES", rules);
  // Nothing is copied from a block that was not read whole.
  if (scan.end != config_store::BlockScan::End::Terminator) return false;
  std::vector<config_store::TCopyFile> CopyList;
  for (const std::string& row : scan.rows)
    CopyList.push_back(config_store::SplitCopyRow(row, config_store::MissingList::Empty));
  return ExecCopyFiles(CopyList, job);
}

bool ExecCopyFiles(const std::vector<config_store::TCopyFile>& CopyList, const CopyJob& job) {
  for (const config_store::TCopyFile& entry : CopyList) {
    std::string source = SourcePath(job.ProgramFolder, entry.Source);
    if (source.empty() || !platform::FileExists(source)) {
      std::string shown = source.empty() ? config_store::GamesFolderPath(job.ProgramFolder) + entry.Source : source;
      platform::MsgBox("Could not copy file: " + platform::ToLower(shown), platform::MsgButtons::Ok,
                       platform::MsgIcon::None, "Heliryx 360 Monitor", true);
      return false;
    }
    std::string windowsDestination = job.game->Resolve(entry.Destination);
    if (windowsDestination != "ERROR" && !job.game->Reaches(job.game->LinuxPath(windowsDestination)))
      windowsDestination = "ERROR";
    if (windowsDestination == "ERROR") {
      AddLog(job, "Error with copy path " + entry.Destination);
      return false;
    }
    std::string folder = GetPathOnly(windowsDestination);
    if (!platform::FolderExists(job.game->LinuxPath(folder)) && BuildFolders(*job.game, folder, job.log) != 0)
      return false;
    std::string destination = job.game->LinuxPath(windowsDestination);
    if (job.DebugMode) AddLog(job, "Copying " + entry.Source + " to " + destination);
    std::string bytes;
    int error = ReadGameFile(source, bytes);
    if (error == 0) error = ReplaceGameFile(destination, bytes);
    if (error != 0) {
      AddLog(job, "Error " + std::to_string(error) + " copying " + entry.Source + " to " + destination);
      return false;
    }
  }
  return true;
}

}  // namespace game_exit
