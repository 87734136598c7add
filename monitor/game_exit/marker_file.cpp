#include "monitor/game_exit/marker_file.h"

#include "config_store/install_folder.h"
#include "config_store/profile_helpers.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace game_exit {

std::string MarkerPath(const std::string& gameFolder) {
  std::string found = platform::FindEntryNoCase(gameFolder, kMarkerFileName);
  return gameFolder + "/" + (found.empty() ? kMarkerFileName : found);
}

bool RevisionNotLower(const std::string& markerRevision, const std::string& configRevision) {
  auto marker = platform::ParseWholeNumber(markerRevision);
  auto config = platform::ParseWholeNumber(configRevision);
  if (marker && config) return *marker >= *config;
  return platform::ToLower(markerRevision) >= platform::ToLower(configRevision);
}

bool MarkerShowsApplied(const std::string& markerPath, const std::string& programFolder,
                        const std::string& ActiveScgFile, const std::string& revision) {
  std::string version = config_store::ReadIni(markerPath, "Heliryx 360", "Version");
  std::string scg = config_store::ReadIni(markerPath, "Games", "SCG");
  std::string applied = config_store::ReadIni(markerPath, "Games", "Revision");
  return platform::EqualsNoCase(version, kMarkerVersion) &&
         platform::EqualsNoCase(config_store::ScgFolderPath(programFolder) + scg, ActiveScgFile) &&
         RevisionNotLower(applied, revision);
}

bool WriteMarker(const std::string& markerPath, const std::string& scgName, const std::string& revision) {
  std::string text;
  if (platform::FileExists(markerPath)) {
    auto bytes = platform::ReadFileBytes(markerPath);
    if (bytes) text = std::move(*bytes);
  }
  text = platform::SetProfileValue(text, "Heliryx 360", "Version", kMarkerVersion);
  text = platform::SetProfileValue(text, "Games", "SCG", scgName);
  text = platform::SetProfileValue(text, "Games", "Revision", revision);
  return platform::WriteFileAtomic(markerPath, text);
}

}  // namespace game_exit
