// The monitor's command file active.ryx: the driver options of the watched
// game's configuration, one Ryxcontrol argument line per line, replayed in order.
#pragma once

#include "monitor/activation_values.h"

#include <string>
#include <vector>

namespace monitor {

// The option lines for a configuration. A curve stored as ".\path" lies in the
// program folder (`programFolder`, a Linux folder without a trailing "/").
std::vector<std::string> ActiveRyxLines(const ActivationValues& v, const std::string& programFolder);

// The lines of a command file (CR LF or LF; empty lines kept as they are).
std::vector<std::string> ReadRyxFile(const std::string& path);

}  // namespace monitor
