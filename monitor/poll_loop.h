// The monitor's polling tick, tmrMonitor_Timer: one scan of the running
// processes, the mode mailbox read once per scan, and, while active, the first
// running process whose executable is in the watch list activated and waited
// for until it ends (the window stays responsive meanwhile). After an exit it
// scans again within the same tick; when no watched game is left it closes the
// emulator and runs the game-exit step.
#pragma once

#include "monitor/activation_values.h"
#include "monitor/monitor_services.h"
#include "monitor/monitor_state.h"
#include "monitor/watch_list.h"
#include "platform/process/process_table.h"

#include <optional>
#include <string>

namespace monitor {

// The first listed process that is watched, with the first watch-list entry
// naming its executable (compared without regard to case); none when none.
// `watchedVersion` changes whenever `watched` does: meanwhile the table may
// keep each process's answer.
struct WatchedProcess {
  std::optional<platform::ProcessInfo> process;
  const WatchEntry* entry = nullptr;
};
WatchedProcess FindWatchedProcess(platform::ProcessTable& processes, const WatchIndex& watched,
                                  unsigned long watchedVersion);

class PollLoop {
 public:
  // The monitor's window as the tick sees it (the window implements it; tests record the calls).
  class Window {
   public:
    virtual ~Window() = default;
    // The mailbox asked for ACTIVE or SUSPEND against the monitor's own mode: the suspend toggle.
    virtual void MailboxToggle() = 0;
    // The mailbox asked for anything else (`mode` is the value read): the program ends at once.
    virtual void MailboxQuit(const std::string& mode) = 0;
    // SCGActivate for the game found (also Active()); false when the program is ending.
    virtual bool ActivateGame(const ActiveGame& game) = 0;
    // Asks the emulator to close, once no watched game is left after one ended.
    virtual void ClosePointerly() = 0;
    // The game-exit step, right after ClosePointerly.
    virtual void WriteStuff(const ActiveGame& game) = 0;
  };

  // `state` is the window's, which the tick reads (its CurrentMode the commands change meanwhile).
  PollLoop(const MonitorState& state, platform::ProcessTable& processes, Clock& clock, Window& window);

  void tmrMonitor_Timer();

  // The last watched game (kept after it ended).
  const ActiveGame& Active() const { return active_; }

  static constexpr int kGamePollMs = 250;

 private:
  bool Active_() const;
  const WatchIndex& Index();

  const MonitorState& state_;
  WatchTable indexed_;  // the watch list the index was built from
  WatchIndex index_;
  unsigned long indexVersion_ = 0;  // counts the indexes built
  platform::ProcessTable& processes_;
  Clock& clock_;
  Window& window_;
  ActiveGame active_;
  bool ticking_ = false;  // a tick is running (it may be waiting for a game)
};

}  // namespace monitor
