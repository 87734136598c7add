// "Activate Current Settings" without the window: the control tool is run once
// with "--set-defaults" and then once per line of active.ryx, each run awaited
// before the next starts. What the player is told afterwards is decided here;
// the window only shows it.
#pragma once

#include "platform/dialogs.h"
#include "platform/process/tool_runner.h"

#include <optional>
#include <string>

namespace editor {

// A message box to show.
struct ActivateBox {
  std::string title;
  std::string text;
  platform::MsgIcon icon = platform::MsgIcon::None;
};

// After active.ryx was written: checks that the tool and the file are there,
// then makes the runs, each awaited (a Stopped run means the program is
// quitting). The box to show, or nothing when the runs were stopped.
std::optional<ActivateBox> ReplayActiveRyx(const std::string& programFolder, const std::string& successTitle,
                                           platform::ToolRunner& runner);

}  // namespace editor
