// SCGActivate: applies a watched game's configuration when the game has started,
// to the mouse emulator (pointerly.ini and a restart) and to the controller
// driver (active.ryx, replayed through Ryxcontrol one run at a time), and
// records the game for the editor.
#pragma once

#include "monitor/activation_values.h"
#include "monitor/driver_runs.h"
#include "monitor/monitor_services.h"
#include "monitor/monitor_window.h"
#include "platform/process/tool_runner.h"

#include <string>

namespace monitor {

class Activation {
 public:
  Activation(DriverRuns& runs, platform::ToolRunner& runner, Emulator& emulator, Clock& clock, MonitorWindow& window,
             std::string programFolder);

  // False when the program is ending because the configuration is malformed.
  bool SCGActivate(const ActiveGame& game, bool debugMode);

  // The values of the last activation, for the game-exit step.
  ActivationValues Values;

  // Starts Pointerly (not awaited), once one that was just asked to close has
  // gone or a short grace has passed.
  void StartPointerly();

  // How long a closing emulator is given to go before the new one starts.
  static constexpr int kEmulatorGraceMs = 1000;

 private:
  DriverRuns& runs_;
  platform::ToolRunner& runner_;
  Emulator& emulator_;
  Clock& clock_;
  MonitorWindow& window_;
  std::string programFolder_;
};

}  // namespace monitor
