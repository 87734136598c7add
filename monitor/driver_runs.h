// Every run of Ryxcontrol the monitor makes goes through here, one at a time.
// While runs are going on the window still answers the player (the waits
// yield), so a command chosen then (suspend, exit, the emulator switch, ...)
// is held until the runs have ended instead of starting runs of its own in the
// middle of them. The suspend toggle and the exit also stop an activation's
// replay at the next gap between two runs, so that the driver is left at its
// defaults and not at the game's settings; an exit does not even wait for the
// run going on, which a hung tool could make endless.
#pragma once

#include "monitor/game_exit/exit_step.h"
#include "platform/process/tool_runner.h"

#include <deque>
#include <string>
#include <vector>

namespace monitor {

enum class MonitorCommand {
  SuspendToggle,   // the menu's Suspend/Resume, the Suspend button
  Exit,            // the menu's Exit, the Exit button
  EmulatorToggle,  // the emulator item of the menu
  Customize,       // start the editor (suspends first)
  WebUpdate,       // start the updater (suspends first)
};

// The driver's reset is also what the game-exit step asks of the driver.
class DriverRuns : public game_exit::Driver {
 public:
  // The monitor's window as the runs see it (the window implements it; tests record the calls).
  class Window {
   public:
    virtual ~Window() = default;
    // Does what the command does, now (the window's handlers).
    virtual void Perform(MonitorCommand command) = 0;
    // A run of the tool outlasted the runner's limit and was ended; the runs go on.
    virtual void RunOverLimit(const std::string& CommandLine) = 0;
    // The tool could not be started (missing, not executable), so the driver
    // was not told `CommandLine`; said for the first such run after each
    // NewGame() (and before the first), not for every line.
    virtual void ToolNotStarted(const std::string& CommandLine) = 0;
  };

  DriverRuns(platform::ToolRunner& runner, std::string programFolder, Window& window);

  // Performs the command now, or queues it while runs are going on.
  void Submit(MonitorCommand command);
  // Performs it now, as one sequence (for the monitor's own decisions, such as
  // the mailbox's suspend, which never arrive in the middle of runs).
  void Perform(MonitorCommand command);

  // Holds the runs together: commands wait until the outermost Sequence ends,
  // and are performed then, in the order they came.
  class Sequence {
   public:
    explicit Sequence(DriverRuns& runs);
    ~Sequence();
    Sequence(const Sequence&) = delete;
    Sequence& operator=(const Sequence&) = delete;

   private:
    DriverRuns& runs_;
  };

  // A watched game has started: a tool that cannot be started is said again.
  void NewGame() { toolNotStartedSaid_ = false; }

  // "--set-defaults", then curve slots 1 to 5 back to the default curve; stops
  // between runs when an exit is queued.
  void ResetRyxDefaults() override;
  // One awaited run per line, in order; stops between runs when a suspend
  // toggle or an exit is queued. False when it stopped early.
  bool Replay(const std::vector<std::string>& lines);
  // True when a queued command wants the current activation to stop.
  bool StopRequested() const;
  // True when an exit is queued: the runs going on are ended (the runner is
  // stopped) and no further run starts.
  bool ExitRequested() const;
  // True when a queued command will take the monitor out of its active state
  // (suspend, exit, the editor, the updater): no emulator is to start then.
  bool LeavingActive() const;
  bool Busy() const { return depth_ > 0; }

 private:
  void Run(const std::string& options);
  void Drain();

  platform::ToolRunner& runner_;
  std::string programFolder_;
  Window& window_;
  int depth_ = 0;
  std::deque<MonitorCommand> queued_;
  bool toolNotStartedSaid_ = false;
};

}  // namespace monitor
