// "Activate Current Settings" without the window: the control tool is run once
// with "--set-defaults" and then once per line of active.ryx, each run awaited
// before the next starts. What the player is told afterwards is decided here;
// the window only shows it.
#pragma once

#include "platform/dialogs.h"
#include "platform/process/run_and_wait.h"

#include <optional>
#include <string>

namespace editor {

// The runs of the control tool the replay makes (the window's real runs; a test's own).
class ToolRunner {
 public:
  virtual ~ToolRunner() = default;
  // Runs one command line of the control tool, waits for its end and says how
  // it ended; its exit code does not matter. Stopped means the program is
  // quitting: the run was ended, or never started.
  virtual platform::RunEnd Run(const std::string& commandLine) = 0;
};

// A message box to show.
struct ActivateBox {
  std::string title;
  std::string text;
  platform::MsgIcon icon = platform::MsgIcon::None;
};

// After active.ryx was written: checks that the tool and the file are there,
// then makes the runs. The box to show, or nothing when the runs were stopped.
std::optional<ActivateBox> ReplayActiveRyx(const std::string& programFolder, const std::string& successTitle,
                                           ToolRunner& runner);

}  // namespace editor
