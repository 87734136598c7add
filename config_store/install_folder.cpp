#include "config_store/install_folder.h"

#include "platform/program_files.h"

namespace config_store {

std::string InFolder(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string MonitorIniPath(const std::string& programFolder) { return InFolder(programFolder, "watchpost.ini"); }
std::string EditorIniPath(const std::string& programFolder) { return InFolder(programFolder, "tunedeck.ini"); }
std::string EmulatorIniPath(const std::string& programFolder) { return InFolder(programFolder, "pointerly.ini"); }
std::string ActiveRyxPath(const std::string& programFolder) { return InFolder(programFolder, "active.ryx"); }
std::string UpdateListPath(const std::string& programFolder) { return InFolder(programFolder, kUpdateListName); }
std::string ShippedRecordPath(const std::string& programFolder) { return InFolder(programFolder, ".shipped"); }

static std::string SubFolder(const std::string& programFolder, std::string_view name) {
  return InFolder(programFolder, name) + "/";
}

std::string ScgFolderPath(const std::string& programFolder) { return SubFolder(programFolder, kScgFolderName); }
std::string GamesFolderPath(const std::string& programFolder) { return SubFolder(programFolder, kGamesFolderName); }
std::string CurveFolderPath(const std::string& programFolder) { return SubFolder(programFolder, kCurveFolderName); }
std::string RyxFolderPath(const std::string& programFolder) { return SubFolder(programFolder, kRyxFolderName); }

static std::string Program(const std::string& programFolder, const std::string& windowsName) {
  return InFolder(programFolder, platform::ProgramFile(windowsName));
}

std::string EditorProgramPath(const std::string& programFolder) { return Program(programFolder, "tunedeck.exe"); }
std::string MonitorProgramPath(const std::string& programFolder) { return Program(programFolder, "watchpost.exe"); }
std::string EmulatorProgramPath(const std::string& programFolder) { return Program(programFolder, "Pointerly.exe"); }
std::string UpdaterProgramPath(const std::string& programFolder) { return Program(programFolder, "fetchling.exe"); }
std::string ControlToolPath(const std::string& programFolder) { return Program(programFolder, "Ryxcontrol.exe"); }

}  // namespace config_store
