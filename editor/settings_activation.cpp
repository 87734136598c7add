#include "editor/settings_activation.h"

#include "config_store/install_folder.h"
#include "config_store/ryx_command_file.h"
#include "platform/file_system.h"

#include <cstdio>
#include <vector>

namespace editor {

using platform::MsgIcon;

std::optional<ActivateBox> ReplayActiveRyx(const std::string& programFolder, const std::string& successTitle,
                                           platform::ToolRunner& runner) {
  const std::string tool = config_store::ControlToolPath(programFolder);
  const std::string file = config_store::ActiveRyxPath(programFolder);
  if (!platform::FileExists(tool))
    return ActivateBox{"File Not Found", "Ryxcontrol application " + tool + " does not exist.  Settings not applied.",
                       MsgIcon::Critical};
  if (!platform::FileExists(file))
    return ActivateBox{"File Not Found", "Ryx settings file " + file + " does not exist.  Settings not applied.",
                       MsgIcon::Critical};
  // Read before the first run, so that a file that cannot be read leaves the device as it was.
  std::optional<std::string> text = platform::ReadFileBytes(file);
  if (!text)
    return ActivateBox{"File Not Found", "Ryx settings file " + file + " could not be read.  Settings not applied.",
                       MsgIcon::Critical};

  std::vector<std::string> lines{"--set-defaults"};
  for (const std::string& line : platform::SplitLines(*text)) lines.push_back(line);
  // Lines whose run did not do its work, each with why.
  std::vector<std::string> failed;
  for (const std::string& line : lines) {
    switch (runner.Run(config_store::ryx::ToolCommandLine(programFolder, line))) {
      case platform::RunEnd::Finished:
        break;
      case platform::RunEnd::NotStarted:
        failed.push_back(line + "   (could not be started)");
        break;
      case platform::RunEnd::OverLimit:
        std::fprintf(stderr, "tunedeck: Ryxcontrol ran too long and was ended: %s\n", line.c_str());
        failed.push_back(line + "   (ran too long and was ended)");
        break;
      case platform::RunEnd::Stopped:
        return std::nullopt;
    }
  }
  if (!failed.empty()) {
    std::string text = "Ryxcontrol application " + tool + " did not apply every setting:";
    for (const std::string& line : failed) text += "\r\n" + line;
    return ActivateBox{successTitle, text + "\r\nSettings not completely applied.", MsgIcon::Critical};
  }
  return ActivateBox{successTitle, "Current settings successfully loaded.", MsgIcon::None};
}

}  // namespace editor
