// The watched game, as the polling loop found it. Kept after the game has
// ended, for the game-exit step.
#pragma once

#include <string>
#include <vector>

namespace monitor {

struct ActiveGame {
  std::string ActiveScgFile;                       // the configuration file (folder and name)
  std::string ActiveAppName;                       // its APPLICATION_NAME
  std::string ActiveExeName;                       // the executable's file name
  std::string ActiveExeFolder;                     // its folder (Linux path, no trailing "/")
  std::string ActivePid;                           // the process identifier as decimal text
  std::string ActiveWinePrefix;                    // the Wine prefix of a Windows game; empty otherwise
  std::string ActiveWineLoader;                    // the Wine loader that ran it
  std::vector<std::string> ActiveWineEnvironment;  // its Wine variables ("NAME=value")
};

}  // namespace monitor
