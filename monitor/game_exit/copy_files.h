// COPY_FILES: files a configuration ships in the program's games folder,
// copied into the game's folder at every exit of the game. Each row of the
// block is a source (a relative name inside games/, matched without regard to
// case) and a destination relative to the game folder; missing folders are
// created and an existing file is replaced atomically.
#pragma once

#include "config_store/game_config.h"
#include "monitor/game_exit/path_helpers.h"

#include <string>
#include <vector>

namespace game_exit {

// The block is found among the first 500 lines and holds at most 500 rows.
inline constexpr size_t kCopyHeaderLineLimit = 500;
inline constexpr size_t kCopyRowLimit = 500;

struct CopyJob {
  std::string ProgramFolder;  // Linux path of the installation folder
  const GameFolder* game = nullptr;
  bool DebugMode = false;
  monitor::Log& log;
};

// Reads the block of the configuration file and copies every entry once the
// whole block was read (a row without both fields gives an empty source and
// destination). False when the block cannot be read (no header within
// its limit, no closing line, too many rows) or a copy failed.
bool ReadCopyFiles(const std::string& ActiveScgFile, const CopyJob& job);

// Copies each entry in order (the source as written relative to games/, the
// destination relative to the game folder); false at the first that fails: a missing source
// shows "Could not copy file: " and the path, an unresolvable destination logs
// "Error with copy path ", a failed copy logs its error.
bool ExecCopyFiles(const std::vector<config_store::TCopyFile>& CopyList, const CopyJob& job);

}  // namespace game_exit
