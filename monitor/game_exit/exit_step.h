// The game-exit step: what the monitor does once a watched game has ended and
// no other watched game runs. It restores the driver's defaults, copies the
// configuration's COPY_FILES into the game's folder (at every exit), runs its
// CUSTOM actions (once per configuration revision, rows flagged ALWAYS at
// every exit), and records in the marker file heliryx.360 what it applied.
//
//   game_exit::GameExitState state;    // the monitor's values for the game that ended
//   game_exit::WriteStuff(state, window, driver);  // the monitor's window, the driver's runs
//
// Runs to its end on the caller's thread; the only wait is the message box
// shown the first time a revision is applied (through platform::MsgBox).
#pragma once

#include "monitor/active_game.h"
#include "monitor/game_exit/bindings.h"
#include "monitor/monitor_window.h"

#include <string>
#include <vector>

namespace game_exit {

struct GameExitState {
  std::string ProgramFolder;  // Linux path of the installation folder
  monitor::ActiveGame Game;   // the game that ended (its ActiveScgFile lies in ScgFolderPath(ProgramFolder))
  GameBindings Bindings;      // as the activation stored them
  bool DebugMode = false;     // the monitor's debug mode: the step's lines are logged
};

// The controller's driver as the step sees it (the monitor's driver runs; tests record the call).
class Driver {
 public:
  virtual ~Driver() = default;
  // Puts the driver back to its defaults; returns once every run has ended.
  virtual void ResetRyxDefaults() = 0;
};

struct GameExitOutcome {
  bool AlreadyConfigured = false;  // the marker showed this revision applied
  bool MarkerWritten = false;
  int CustomError = 0;  // 999, 888, 777, 555 or 444 when a CUSTOM action failed
};

// `window` takes the log and the icon's tip (set back to the monitor's title).
GameExitOutcome WriteStuff(const GameExitState& state, monitor::MonitorWindow& window, Driver& driver);

}  // namespace game_exit
