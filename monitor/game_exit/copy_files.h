// COPY_FILES: files a configuration ships in the program's games folder,
// copied into the game's folder at every exit of the game. Each row of the
// block is a source (a relative name inside games/, matched without regard to
// case) and a destination relative to the game folder; missing folders are
// created and an existing file is replaced atomically.
#pragma once

#include "monitor/game_exit/path_helpers.h"

#include <string>
#include <vector>

namespace game_exit {

// The block is found among the first 500 lines and holds at most 500 rows.
inline constexpr size_t kCopyHeaderLineLimit = 500;
inline constexpr size_t kCopyRowLimit = 500;

struct CopyEntry {
  std::string source;       // as written, relative to games/
  std::string destination;  // as written, relative to the game folder
};

struct CopyJob {
  std::string ProgramFolder;  // Linux path of the installation folder
  const GameFolder* game = nullptr;
  bool DebugMode = false;
  LogLine Log;
};

// The source and destination of one row; both empty when the row holds no
// comma, is shorter than 8 characters or is "ERROR".
CopyEntry SplitCopyRow(const std::string& row);

// Reads the block of the configuration file and copies every entry once the
// whole block was read. False when the block cannot be read (no header within
// its limit, no closing line, too many rows) or a copy failed.
bool ReadCopyFiles(const std::string& ActiveScgFile, const CopyJob& job);

// Copies each entry in order; false at the first that fails: a missing source
// shows "Could not copy file: " and the path, an unresolvable destination logs
// "Error with copy path ", a failed copy logs its error.
bool ExecCopyFiles(const std::vector<CopyEntry>& CopyList, const CopyJob& job);

}  // namespace game_exit
