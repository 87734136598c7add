#include "monitor/monitor_switches.h"

#include "platform/text.h"

#include <cmath>

namespace monitor {

MonitorSwitches ParseMonitorSwitches(const std::string& commandText) {
  MonitorSwitches result;
  if (commandText.empty()) return result;
  std::vector<std::string> words = platform::SplitOn(commandText, ' ');
  for (size_t i = 0; i < words.size(); ++i) {
    std::string word = platform::ToLower(words[i]);
    if (word == "-k" || word == "-kill" || word == "/k" || word == "/kill") {
      result.outcome = MonitorSwitches::Outcome::Kill;
      return result;
    }
    if (word == "-d" || word == "/d" || word == "-debug" || word == "/debug") {
      result.debugMode = true;
    } else if (word == "-r" || word == "/r" || word == "-refresh" || word == "/refresh") {
      if (i + 1 >= words.size()) {
        result.outcome = MonitorSwitches::Outcome::Usage;
        return result;
      }
      auto seconds = platform::ParseDecimal(words[++i]);
      if (!seconds || *seconds < 1 || *seconds > 10) {
        result.outcome = MonitorSwitches::Outcome::Usage;
        return result;
      }
      result.refreshInterval = static_cast<int>(std::nearbyint(*seconds * 1000));  // halves to even
    } else if (word == "-s" || word == "-skiposcheck" || word == "/s" || word == "/skiposcheck") {
      result.skipOsCheck = true;
    } else {
      result.outcome = MonitorSwitches::Outcome::Usage;
      return result;
    }
  }
  return result;
}

std::string CommandText(const std::vector<std::string>& args) { return platform::Join(args, " "); }

}  // namespace monitor
