// The installation folder's own files and folders, named here once for every
// program. Each path function takes the folder with or without a trailing "/".
#pragma once

#include <string>
#include <string_view>

namespace config_store {

// The names as they lie in the folder, for callers that find them without
// regard to case or that mirror the layout (the update site has the same folders).
inline constexpr std::string_view kScgFolderName = "scg";
inline constexpr std::string_view kGamesFolderName = "games";
inline constexpr std::string_view kCurveFolderName = "crv";
inline constexpr std::string_view kRyxFolderName = "ryx";
// The editor's snapshots of the record for the change check.
inline constexpr std::string_view kBeforeSnapshotName = "before.scg";
inline constexpr std::string_view kAfterSnapshotName = "after.scg";
// The updater's list of what the update site offers, by the name it has there too.
inline constexpr std::string_view kUpdateListName = "ryxupdate.nfo";

// `name` inside `folder`, with one "/" between them; an empty folder is the
// working folder.
std::string InFolder(const std::string& folder, std::string_view name);

// watchpost.ini: the mode mailbox and the control tool's recorded version.
std::string MonitorIniPath(const std::string& programFolder);
// tunedeck.ini: the editor's game table and the game last edited.
std::string EditorIniPath(const std::string& programFolder);
// pointerly.ini: the mouse emulator's bindings for the game being played.
std::string EmulatorIniPath(const std::string& programFolder);
// active.ryx: the option lines last sent to the control tool.
std::string ActiveRyxPath(const std::string& programFolder);
std::string UpdateListPath(const std::string& programFolder);
// .shipped: the SHA-256 of each file we put in the folder (see shipped_record.h).
std::string ShippedRecordPath(const std::string& programFolder);

// The folders, each with a trailing "/": the configurations, the files the
// game-exit copies take from, the sensitivity curves, the exported command files.
std::string ScgFolderPath(const std::string& programFolder);
std::string GamesFolderPath(const std::string& programFolder);
std::string CurveFolderPath(const std::string& programFolder);
std::string RyxFolderPath(const std::string& programFolder);

// The programs of the tool set in the folder, through the platform's mapping of
// their Windows names.
std::string EditorProgramPath(const std::string& programFolder);
std::string MonitorProgramPath(const std::string& programFolder);
std::string EmulatorProgramPath(const std::string& programFolder);
std::string UpdaterProgramPath(const std::string& programFolder);
std::string ControlToolPath(const std::string& programFolder);
// The name the running editor is reached by (its single-instance test), so the
// monitor can activate the editor it started.
inline constexpr const char* kEditorInstanceName = "tunedeck";

}  // namespace config_store
