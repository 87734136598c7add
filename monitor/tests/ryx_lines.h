// Ryxcontrol option lines as the monitor's tests compare them.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace monitor_test {

using Lines = std::vector<std::string>;

// The six runs that put the driver back to its defaults.
inline const Lines kDefaults = {"--set-defaults",
                                "--reset-sensitivity-curve 1",
                                "--reset-sensitivity-curve 2",
                                "--reset-sensitivity-curve 3",
                                "--reset-sensitivity-curve 4",
                                "--reset-sensitivity-curve 5"};

inline Lines Joined(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

}  // namespace monitor_test
