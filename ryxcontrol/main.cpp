// ryxcontrol: a stand-in for the controller driver's command-line tool. It takes
// one option and its arguments per run, keeps the driver state it was told in
// ryxcontrol.state beside it, and appends every run to ryxcontrol.log.
#include "platform/file_system.h"
#include "platform/program_files.h"
#include "ryxcontrol/driver_state.h"
#include "ryxcontrol/options.h"

#include <cstdio>
#include <string>
#include <vector>

// Control characters shown as \xNN, so that a message stays one line and an
// argument cannot forge a line of the record.
static std::string OneLine(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c != 0x7f) {
      out += static_cast<char>(c);
      continue;
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    out += hex;
  }
  return out;
}

// Applies the run's option to the driver state and records the run; the
// failure, or empty when the state took the option.
static std::string Run(const std::vector<std::string>& args) {
  const std::string folder = platform::ProgramFolder();
  const std::string statePath = folder + "/ryxcontrol.state";
  // Runs are meant to follow one another; the lock keeps the state whole if they do not.
  platform::FileUpdateLock lock(statePath);

  auto text = platform::ReadFileBytes(statePath);
  ryxcontrol::DriverState state = text ? ryxcontrol::ParseState(*text) : ryxcontrol::DriverState::Defaults();
  ryxcontrol::RunOutcome outcome = ryxcontrol::ApplyOption(args, state);
  std::string record = OneLine(ryxcontrol::QuoteArguments(args));
  std::string failure;
  if (!outcome.ok) {
    failure = OneLine(outcome.message);
    record += "\t(refused: " + failure + ")";
  } else if (!platform::WriteFileAtomic(statePath, ryxcontrol::FormatState(state))) {
    failure = "cannot write the driver state " + OneLine(statePath);
    record += "\t(failed: " + failure + ")";
  }
  platform::AppendToFile(folder + "/ryxcontrol.log", record + "\n");
  return failure;
}

int main(int argc, char** argv) {
  const std::string failure = Run(std::vector<std::string>(argv + 1, argv + argc));
  if (!failure.empty()) {
    std::fprintf(stderr, "ryxcontrol: %s\n", failure.c_str());
    return 2;
  }
  return 0;
}
