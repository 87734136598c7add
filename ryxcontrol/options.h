// The option lines the tool accepts, one option and its arguments per run.
#pragma once

#include "ryxcontrol/driver_state.h"

#include <string>
#include <vector>

namespace ryxcontrol {

struct RunOutcome {
  bool ok = false;
  std::string message;  // the one-line refusal, when not ok
};

// Applies the run's arguments to the state. Curve uploads read the named file;
// downloads write one. Arguments are those after the program name.
RunOutcome ApplyOption(const std::vector<std::string>& args, DriverState& state);

// The arguments as one command line, quoted where an argument holds a blank.
std::string QuoteArguments(const std::vector<std::string>& args);

}  // namespace ryxcontrol
