// Starting a program from a command line, hidden (no console, no shell), and
// waiting for it without stopping the window: while the child runs, the Qt event
// loop goes on (menus, the icon, timers), blocked in the kernel until the child
// ends or an event arrives, never spinning.
#pragma once

#include <string>
#include <vector>

class QEventLoop;

namespace platform {

// How long an awaited program may run before it is ended (far beyond what the
// driver's tool needs), and how long a program asked to end (SIGTERM) is given
// before it is killed (SIGKILL).
inline constexpr int kRunLimitMs = 30000;
inline constexpr int kRunGraceMs = 500;

// Lets a program that is ending cut its awaited runs short, whatever the
// programs it started do: Stop ends the wait in progress (its program is asked
// to end, and killed after the grace), and every later awaited run returns at
// once without starting anything. One per program, shared by all its runs
// (Watchpost's driver runs; the editor's Activate follows the same rule).
class RunStop {
 public:
  void Stop();
  bool Stopped() const { return stopped_; }

 private:
  friend class RunStopWait;
  bool stopped_ = false;
  std::vector<QEventLoop*> waits_;  // the waits in progress, innermost last
};

struct WaitRules {
  int limitMs = 0;          // a run that lasts longer is ended; 0 for no limit
  RunStop* stop = nullptr;  // optional
};

enum class RunEnd {
  Finished,    // it ended by itself (or was not awaited)
  NotStarted,  // it could not be started (result 0, as a program that cannot be started gives)
  OverLimit,   // it outlasted the limit and was ended
  Stopped,     // the wait was stopped and the program ended, or it was never started
};

// Starts the program the command line names (the program's path first, possibly
// with unquoted blanks; the rest split by the Windows rules) with our
// environment (plus the wish that its window stays hidden) and current folder, standard input from /dev/null, and none
// of our other open files. With `noWait` it returns 0 at once; otherwise it waits and returns the exit code (128 + the
// signal when the program was killed). A program that cannot be started gives 0; a failure while waiting gives -1.
int RunAndWait(const std::string& commandLine, bool noWait);
// The same with rules for the wait; `end`, when given, says how the run ended.
// An ended program's result is 128 + the signal that ended it.
int RunAndWait(const std::string& commandLine, bool noWait, const WaitRules& rules, RunEnd* end = nullptr);

// How many programs started with `noWait` have not been reaped yet (they are
// reaped as they end while an event loop runs, and at every RunAndWait).
int UnreapedChildren();

}  // namespace platform
