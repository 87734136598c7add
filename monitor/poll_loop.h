// The monitor's polling tick, tmrMonitor_Timer: one scan of the running
// processes, the mode mailbox read once per scan, and, while active, the first
// running process whose executable is in the watch list activated and waited
// for until it ends (the window stays responsive meanwhile). After an exit it
// scans again within the same tick; when no watched game is left it closes the
// emulator and runs the game-exit step.
#pragma once

#include "monitor/activation_values.h"
#include "monitor/monitor_services.h"
#include "monitor/watch_list.h"
#include "platform/process/process_table.h"

#include <functional>
#include <optional>
#include <string>

namespace monitor {

// The window's state the tick reads (and, for CurrentMode, the commands change).
struct PollState {
  const WatchTable& WatchList;
  const std::string& ScgFolder;       // ends with "/"
  const std::string& MonitorIniFile;
  const std::string& CurrentMode;
};

// The first listed process that is watched, with the first watch-list entry
// naming its executable (compared without regard to case); none when none.
struct WatchedProcess {
  std::optional<platform::ProcessInfo> process;
  const WatchEntry* entry = nullptr;
};
WatchedProcess FindWatchedProcess(platform::ProcessTable& processes, const WatchIndex& watched);

class PollLoop {
 public:
  struct Hooks {
    std::function<void()> suspendToggle;  // mPopupSuspend_Click, for a mailbox ACTIVE or SUSPEND
    std::function<void(const std::string& mode)> quit;  // the mailbox's quit, with the value read: ends the program
    // SCGActivate for Active(); false when the program is ending.
    std::function<bool(const ActiveGame&)> activate;
    std::function<void()> closePointerly;
    std::function<void(const ActiveGame&)> writeStuff;  // the game-exit step
  };

  PollLoop(PollState state, platform::ProcessTable& processes, Clock& clock, Hooks hooks);

  void tmrMonitor_Timer();

  // The last watched game (kept after it ended).
  const ActiveGame& Active() const { return active_; }

  static constexpr int kGamePollMs = 250;

 private:
  bool Active_() const;
  const WatchIndex& Index();

  PollState state_;
  WatchTable indexed_;  // the watch list the index was built from
  WatchIndex index_;
  platform::ProcessTable& processes_;
  Clock& clock_;
  Hooks hooks_;
  ActiveGame active_;
  bool ticking_ = false;  // a tick is running (it may be waiting for a game)
};

}  // namespace monitor
