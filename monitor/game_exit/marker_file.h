// The marker file heliryx.360 in a game's folder: which configuration, at
// which revision, had its CUSTOM actions applied there. An INI file:
//   [Heliryx 360]
//   Version=5.1
//   [Games]
//   SCG=<configuration file name>
//   Revision=<revision>
#pragma once

#include <string>

namespace game_exit {

inline const std::string kMarkerFileName = "heliryx.360";
inline const std::string kMarkerVersion = "5.1";

// The marker's path in the game folder; an existing file of that name in
// another letter case is the marker.
std::string MarkerPath(const std::string& gameFolder);

// True when the marker's revision is not lower than the configuration's: as
// whole numbers when both are (10 is newer than 9), else as text without
// regard to case.
bool RevisionNotLower(const std::string& markerRevision, const std::string& configRevision);

// True when the marker names this configuration file (the program folder's
// scg/ and the SCG name, without regard to case), version 5.1, and a revision
// not lower than `revision`.
bool MarkerShowsApplied(const std::string& markerPath, const std::string& programFolder,
                        const std::string& ActiveScgFile, const std::string& revision);

// Writes the three keys in their order in one atomic replacement, so a crash
// never leaves a marker that names the configuration without its revision.
bool WriteMarker(const std::string& markerPath, const std::string& scgName, const std::string& revision);

}  // namespace game_exit
