// A helper program started with an argument vector and an environment of our
// choosing (never through a shell), and awaited with a time limit without
// stopping the window: while it runs, the Qt event loop goes on, and a quit of
// the application ends the wait at once.
#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

enum class ChildOutput { Ours, Discarded };

// Starts `argv` (argv[0] the program's path) with exactly `environment`
// ("NAME=value" entries), standard input from /dev/null, standard output and
// error ours or on /dev/null, none of our other open files and default signal
// handling. The child's pid, or -1 when it could not be started.
pid_t StartChild(const std::vector<std::string>& argv, const std::vector<std::string>& environment, ChildOutput output);

enum class ChildEnd {
  Exited,      // ended by itself; exitCode holds its code (128 + the signal when killed)
  NotStarted,  // could not be started
  TimedOut,    // still running at the limit: killed and reaped
  Abandoned,   // the application is quitting: left to finish on its own
};

struct ChildOutcome {
  ChildEnd end = ChildEnd::NotStarted;
  int exitCode = -1;
};

// Starts `argv` with its output discarded, as StartChild does, and waits for its end.
ChildOutcome RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                      std::chrono::milliseconds limit);

}  // namespace platform
