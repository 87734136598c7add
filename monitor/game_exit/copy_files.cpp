#include "monitor/game_exit/copy_files.h"

#include "monitor/game_exit/game_text_file.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace game_exit {
namespace {

void AddLog(const CopyJob& job, const std::string& line) {
  if (job.Log) job.Log(line);
}

// Drops `front` characters at the start and `back` at the end; empty when too short.
std::string Cut(const std::string& text, size_t front, size_t back) {
  if (text.size() < front + back) return {};
  return text.substr(front, text.size() - front - back);
}

// The Linux path of a source inside games/, or empty when the name could leave
// that folder (absolute, a drive, a ".." part, control characters).
std::string SourcePath(const std::string& programFolder, const std::string& source) {
  std::string games = platform::FindEntryNoCase(programFolder, "games");
  std::string gamesFolder = programFolder + "/" + (games.empty() ? std::string("games") : games);
  std::string name = source;
  for (char& c : name)
    if (c == '/') c = '\\';
  if (name.empty() || name[0] == '\\') return {};
  for (unsigned char c : name)
    if (c < 0x20 || c == ':') return {};
  std::string path = gamesFolder;
  for (const std::string& part : platform::SplitOn(name, '\\')) {
    if (part == "..") return {};
    if (part.empty() || part == ".") continue;
    std::string found = platform::FindEntryNoCase(path, part);
    path += "/" + (found.empty() ? part : found);
  }
  // Links there may not lead out of games/ either.
  return !platform::FileExists(path) || ResolvesWithin(path, gamesFolder) ? path : std::string();
}

}  // namespace

CopyEntry SplitCopyRow(const std::string& row) {
  CopyEntry entry;
  std::string text = platform::Trim(row);
  if (!text.empty()) text.erase(0, 1);  // the opening quote
  if (platform::EqualsNoCase(text, "ERROR") || text.find(',') == std::string::npos || text.size() < 8)
    return entry;
  std::vector<std::string> parts = platform::SplitOn(text, ',');
  entry.source = Cut(platform::Trim(parts[0]), 0, 1);
  entry.destination = Cut(platform::Trim(parts[1]), 1, 1);
  return entry;
}

bool ReadCopyFiles(const std::string& ActiveScgFile, const CopyJob& job) {
  auto bytes = platform::ReadFileBytes(ActiveScgFile);
  if (!bytes) return false;
  std::vector<std::string> lines = platform::SplitLines(*bytes);
  bytes.reset();

  size_t at = 0;  // lines read so far
  std::string current;
  while (!(current.size() >= 10 && platform::EqualsNoCase(current.substr(0, 10), "COPY_FILES"))) {
    if (at + 1 > kCopyHeaderLineLimit || at >= lines.size()) return false;
    current = lines[at++];
  }
  if (at >= lines.size()) return false;
  current = lines[at++];  // the "   {" line, not examined

  std::vector<CopyEntry> CopyList;
  while (current != "   }") {
    if (CopyList.size() > kCopyRowLimit) return false;
    if (at >= lines.size()) return false;  // no closing line
    current = lines[at++];
    if (current.empty() || current == "   }") continue;
    CopyList.push_back(SplitCopyRow(current));
  }
  return ExecCopyFiles(CopyList, job);
}

bool ExecCopyFiles(const std::vector<CopyEntry>& CopyList, const CopyJob& job) {
  for (const CopyEntry& entry : CopyList) {
    std::string source = SourcePath(job.ProgramFolder, entry.source);
    if (source.empty() || !platform::FileExists(source)) {
      std::string shown = source.empty() ? job.ProgramFolder + "/games/" + entry.source : source;
      platform::MsgBox("Could not copy file: " + platform::ToLower(shown), platform::MsgButtons::Ok,
                       platform::MsgIcon::None, "Heliryx 360 Monitor", true);
      return false;
    }
    std::string windowsDestination = job.game->Resolve(entry.destination);
    if (windowsDestination != "ERROR" && !job.game->Reaches(job.game->LinuxPath(windowsDestination)))
      windowsDestination = "ERROR";
    if (windowsDestination == "ERROR") {
      AddLog(job, "Error with copy path " + entry.destination);
      return false;
    }
    std::string folder = GetPathOnly(windowsDestination);
    if (!platform::FolderExists(job.game->LinuxPath(folder)) && BuildFolders(*job.game, folder, job.Log) != 0)
      return false;
    std::string destination = job.game->LinuxPath(windowsDestination);
    if (job.DebugMode) AddLog(job, "Copying " + entry.source + " to " + destination);
    std::string bytes;
    int error = ReadGameFile(source, bytes);
    if (error == 0) error = ReplaceGameFile(destination, bytes);
    if (error != 0) {
      AddLog(job, "Error " + std::to_string(error) + " copying " + entry.source + " to " + destination);
      return false;
    }
  }
  return true;
}

}  // namespace game_exit
