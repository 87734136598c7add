#include "monitor/monitor_services.h"

#include "platform/program_files.h"

namespace monitor {

std::string RyxCommandLine(const std::string& programFolder, const std::string& options) {
  return "\"" + programFolder + "/" + platform::ProgramFile("Ryxcontrol.exe") + "\" " + options;
}

}  // namespace monitor
