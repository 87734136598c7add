#include "monitor/poll_loop.h"

#include "config_store/mode_mailbox.h"
#include "config_store/profile_helpers.h"
#include "monitor/mailbox.h"
#include "platform/text.h"

namespace monitor {

WatchedProcess FindWatchedProcess(platform::ProcessTable& processes, const WatchIndex& watched,
                                  unsigned long watchedVersion) {
  WatchedProcess found;
  found.process = processes.FirstKept(
      [&](const platform::ProcessInfo& process) { return watched.Find(process.exeName) != nullptr; }, watchedVersion);
  if (found.process) found.entry = watched.Find(found.process->exeName);
  return found;
}

PollLoop::PollLoop(const MonitorState& state, platform::ProcessTable& processes, Clock& clock, Window& window)
    : state_(state), processes_(processes), clock_(clock), window_(window) {}

bool PollLoop::Active_() const { return platform::EqualsNoCase(state_.CurrentMode, "ACTIVE"); }

const WatchIndex& PollLoop::Index() {
  if (indexed_ != state_.WatchList) {
    indexed_ = state_.WatchList;
    index_ = WatchIndex(indexed_);
    ++indexVersion_;
  }
  return index_;
}

void PollLoop::tmrMonitor_Timer() {
  // The timer may fire while a tick waits and yields: one tick at a time.
  if (ticking_) return;
  ticking_ = true;
  bool GameExited = false;
  for (;;) {
    // The mailbox once per scan; the processes only while active.
    const std::string mode = config_store::ReadModeFile(state_.MonitorIniFile);
    switch (ReadMailbox(mode, state_.CurrentMode)) {
      case MailboxAction::None:
        break;
      case MailboxAction::Toggle:
        window_.MailboxToggle();
        break;
      case MailboxAction::Quit:
        window_.MailboxQuit(mode);
        ticking_ = false;
        return;
    }
    if (!Active_()) break;

    const WatchIndex& index = Index();
    WatchedProcess found = FindWatchedProcess(processes_, index, indexVersion_);
    if (!found.process) {
      if (GameExited) {
        window_.ClosePointerly();
        window_.WriteStuff(active_);
      }
      break;
    }

    // Opened before the activation, so the game's end is seen even if it ends meanwhile.
    const platform::ProcessInfo& game = *found.process;
    const WatchEntry& entry = *found.entry;
    std::unique_ptr<platform::ProcessWatch> GameHandle = processes_.Watch(game);
    active_ = ActiveGame{};
    active_.ActiveScgFile = state_.ScgFolder + entry.scgFile;
    active_.ActiveAppName = config_store::ReadIni(active_.ActiveScgFile, "IDENTIFICATION", "APPLICATION_NAME");
    active_.ActiveExeName = game.exeName;
    active_.ActiveExeFolder = game.exeFolder;
    active_.ActivePid = std::to_string(game.pid);
    active_.ActiveWinePrefix = game.winePrefix;
    active_.ActiveWineLoader = game.wineLoader;
    active_.ActiveWineEnvironment = game.wineEnvironment;
    if (!window_.ActivateGame(active_)) break;

    // Wait for the game's end, checking every 250 ms while the window runs on.
    while (Active_() && GameHandle && GameHandle->Running()) clock_.Sleep(kGamePollMs);
    if (!Active_()) break;  // suspended or ending: no exit step for this game

    GameExited = true;
    clock_.Sleep(kGamePollMs);
    GameHandle.reset();
  }
  ticking_ = false;
}

}  // namespace monitor
