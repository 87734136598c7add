// The game-exit step: what the monitor does once a watched game has ended and
// no other watched game runs. It restores the driver's defaults, copies the
// configuration's COPY_FILES into the game's folder (at every exit), runs its
// CUSTOM actions (once per configuration revision, rows flagged ALWAYS at
// every exit), and records in the marker file heliryx.360 what it applied.
//
//   game_exit::GameExitState state;    // the monitor's values for the game that ended
//   game_exit::GameExitSeams seams;    // the monitor's window and driver reset
//   game_exit::WriteStuff(state, seams);
//
// Runs to its end on the caller's thread; the only wait is the message box
// shown the first time a revision is applied (through platform::MsgBox).
#pragma once

#include "monitor/game_exit/bindings.h"
#include "monitor/monitor_window.h"

#include <functional>
#include <string>
#include <vector>

namespace game_exit {

struct GameExitState {
  std::string ProgramFolder;    // Linux path of the installation folder
  std::string ActiveScgFile;    // ScgFolderPath(ProgramFolder) + the configuration's file name
  std::string ActiveAppName;    // the configuration's APPLICATION_NAME
  std::string ActiveExeName;    // the game's executable file name
  std::string ActiveExeFolder;  // Linux folder of the game's executable
  std::string WinePrefix;       // the game's Wine prefix; empty when it did not run under Wine
  GameBindings Bindings;        // as the activation stored them
  std::string WineLoader = {};  // the Wine loader that ran the game
  std::vector<std::string> WineEnvironment = {};  // the game's Wine variables ("NAME=value")
};

struct GameExitSeams {
  bool DebugMode = false;
  // The log and the icon's tip (set back to the monitor's title); without one nothing is shown.
  monitor::MonitorWindow* Window = nullptr;
  std::function<void()> ResetRyxDefaults;  // optional: driver defaults, each run awaited
};

struct GameExitOutcome {
  bool AlreadyConfigured = false;  // the marker showed this revision applied
  bool MarkerWritten = false;
  int CustomError = 0;             // 999, 888, 777, 555 or 444 when a CUSTOM action failed
};

GameExitOutcome WriteStuff(const GameExitState& state, const GameExitSeams& seams);

}  // namespace game_exit
