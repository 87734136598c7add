// "Activate Current Settings" without the window: the control tool is run once
// with "--set-defaults" and then once per line of active.ryx, each run awaited
// before the next starts. What the player is told afterwards is decided here;
// the window only shows it.
#pragma once

#include "platform/dialogs.h"

#include <functional>
#include <optional>
#include <string>

namespace editor {

// How one awaited run of the control tool ended.
enum class ToolRunEnd {
  Finished,    // it ran to its end (its exit code does not matter)
  NotStarted,  // it could not be started
  OverLimit,   // it outlasted the limit and was ended
  Stopped,     // the program is quitting: the run was ended, or never started
};

// Runs one command line of the control tool and waits for its end.
using ToolRun = std::function<ToolRunEnd(const std::string& commandLine)>;

// A message box to show.
struct ActivateBox {
  std::string title;
  std::string text;
  platform::MsgIcon icon = platform::MsgIcon::None;
};

// After active.ryx was written: checks that the tool and the file are there,
// then makes the runs. The box to show, or nothing when the runs were stopped.
std::optional<ActivateBox> ReplayActiveRyx(const std::string& programFolder, const std::string& successTitle,
                                           const ToolRun& run);

}  // namespace editor
