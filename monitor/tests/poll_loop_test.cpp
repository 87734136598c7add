// The polling tick driven tick by tick, with processes and time standing in,
// and the real mailbox file.
#include "monitor/poll_loop.h"

#include "config_store/profile_helpers.h"
#include "monitor/tests/fakes.h"
#include "platform/file_system.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;
using testing_support::WriteFile;
using Events = std::vector<std::string>;

namespace {

class PollLoopTest : public ::testing::Test, public monitor::PollLoop::Window {
 protected:
  PollLoopTest() {
    WriteFile(dir_ / "scg/a.scg", "[IDENTIFICATION]\r\nAPPLICATION_NAME=\"Game A\"\r\n");
    WriteFile(dir_ / "scg/b.scg", "[IDENTIFICATION]\r\nAPPLICATION_NAME=\"Game B\"\r\n");
    watch_ = {{"a.scg", "a.exe"}, {"b.scg", "b.exe"}, {"b.scg", "b2.exe"}, {"a.scg", "A.EXE"}};
    SetMode("ACTIVE");
  }

  void SetMode(const std::string& value) { config_store::WriteIni(ini_, "APPLICATION", "MODE", value); }
  std::string FileMode() const { return config_store::ReadIni(ini_, "APPLICATION", "MODE"); }
  // What the window does for the suspend toggle.
  void Toggle() {
    bool suspend = mode_ == "ACTIVE";
    mode_ = suspend ? "SUSPEND" : "ACTIVE";
    SetMode(mode_);
    events_.push_back(suspend ? "suspend" : "resume");
  }
  void Tick() { loop_.tmrMonitor_Timer(); }

  TempFolder dir_;
  static monitor::MonitorState StartState(const TempFolder& dir) {
    monitor::MonitorState state;
    state.ScgFolder = dir / "scg/";
    state.MonitorIniFile = dir / "watchpost.ini";
    state.CurrentMode = "ACTIVE";
    return state;
  }
  monitor::MonitorState state_ = StartState(dir_);
  monitor::WatchTable& watch_ = state_.WatchList;
  std::string& scgFolder_ = state_.ScgFolder;
  std::string& ini_ = state_.MonitorIniFile;
  std::string& mode_ = state_.CurrentMode;
  monitor_test::FakeProcessTable table_;
  monitor_test::FakeClock clock_;
  Events events_;
  std::function<void()> onActivate_;
  monitor::PollLoop loop_{state_, table_, clock_, *this};

  // The window's side of the tick.
  void MailboxToggle() override { Toggle(); }
  void MailboxQuit(const std::string&) override {
    events_.push_back("quit");
    mode_.clear();
    SetMode("");
  }
  bool ActivateGame(const monitor::ActiveGame& g) override {
    events_.push_back("activate " + g.ActiveExeName + " " + g.ActivePid + " " + platform_FileName(g.ActiveScgFile) +
                      " " + g.ActiveAppName);
    if (onActivate_) onActivate_();
    return true;
  }
  void ClosePointerly() override { events_.push_back("close pointerly"); }
  void WriteStuff(const monitor::ActiveGame& g) override { events_.push_back("exit step " + g.ActiveExeName); }

  static std::string platform_FileName(const std::string& path) { return path.substr(path.rfind('/') + 1); }
};

}  // namespace

TEST_F(PollLoopTest, IdleTicksDoNothing) {
  table_.Start("bash", 5);
  table_.Start("a.exe.bak", 6);
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(table_.scans, 3);
  EXPECT_TRUE(clock_.sleeps.empty());
}

TEST_F(PollLoopTest, AWatchListChangedBetweenTicksIsTheOneMatched) {
  table_.Start("c.exe", 5);
  table_.Start("b.exe", 10);
  clock_.At(500, [&] { table_.End(10); });
  Tick();
  watch_.insert(watch_.begin(), {"a.scg", "C.exe"});
  clock_.At(1500, [&] { table_.End(5); });
  Tick();
  EXPECT_EQ(events_, (Events{"activate b.exe 10 b.scg Game B", "close pointerly", "exit step b.exe",
                             "activate c.exe 5 a.scg Game A", "close pointerly", "exit step c.exe"}));
}

TEST_F(PollLoopTest, TwoGamesAtOnceAreTakenInTurnWithOneExitStepAtTheEnd) {
  table_.Start("b.exe", 10);
  table_.Start("GAME-of-A", 11);
  table_.Start("A.exe", 20, "/games/A");
  clock_.At(1000, [&] { table_.End(10); });
  clock_.At(3000, [&] { table_.End(20); });
  Tick();
  EXPECT_EQ(events_, (Events{"activate b.exe 10 b.scg Game B", "activate A.exe 20 a.scg Game A", "close pointerly",
                             "exit step A.exe"}));
  EXPECT_EQ(loop_.Active().ActiveExeFolder, "/games/A");
  EXPECT_EQ(loop_.Active().ActiveScgFile, dir_ / "scg/a.scg");
  // Each end was seen within a poll, then one pause before the scan again.
  EXPECT_GE(clock_.now, 3250);
  EXPECT_LE(clock_.now, 3500);
  for (int ms : clock_.sleeps) EXPECT_EQ(ms, monitor::PollLoop::kGamePollMs);
  Tick();  // nothing left to do
  EXPECT_EQ(events_.size(), 4u);
}

TEST_F(PollLoopTest, AGameRestartedBeforeTheRescanIsActivatedAgainWithoutAnExitStep) {
  table_.Start("a.exe", 10);
  clock_.At(500, [&] {
    table_.End(10);
    table_.Start("a.exe", 12);
  });
  clock_.At(2000, [&] { table_.End(12); });
  Tick();
  EXPECT_EQ(events_, (Events{"activate a.exe 10 a.scg Game A", "activate a.exe 12 a.scg Game A", "close pointerly",
                             "exit step a.exe"}));
}

TEST_F(PollLoopTest, AGameThatEndsDuringItsActivationIsSeenToHaveEnded) {
  table_.Start("b2.exe", 10);
  onActivate_ = [&] {
    table_.End(10);
    table_.Start("b2.exe", 10);  // the same pid, given to a new process meanwhile
    onActivate_ = nullptr;
  };
  clock_.At(5000, [&] { table_.End(10); });
  Tick();
  EXPECT_EQ(events_, (Events{"activate b2.exe 10 b.scg Game B", "activate b2.exe 10 b.scg Game B", "close pointerly",
                             "exit step b2.exe"}));
}

TEST_F(PollLoopTest, SuspendingDuringTheWaitEndsItWithoutAnExitStep) {
  table_.Start("a.exe", 10);
  clock_.At(750, [&] { Toggle(); });  // the menu's Suspend while the game runs
  Tick();
  EXPECT_EQ(events_, (Events{"activate a.exe 10 a.scg Game A", "suspend"}));
  EXPECT_LE(clock_.now, 1000);
  Tick();  // suspended: the mailbox is read, nothing is matched
  EXPECT_EQ(events_.size(), 2u);
  Toggle();  // resume while the game still runs: activated again on the next tick
  clock_.At(clock_.now + 500, [&] { table_.End(10); });
  Tick();
  EXPECT_EQ(events_, (Events{"activate a.exe 10 a.scg Game A", "suspend", "resume", "activate a.exe 10 a.scg Game A",
                             "close pointerly", "exit step a.exe"}));
}

TEST_F(PollLoopTest, TheMailboxIsNotReadWhileAGameRuns) {
  struct Case {
    std::string written;  // while the game runs
    Events after;         // what follows once it has ended
  } cases[] = {
      {"SUSPEND", {"suspend"}},
      {"KILL", {"quit"}},
      {"", {"quit"}},
      {"active", {"close pointerly", "exit step a.exe"}},
  };
  for (const Case& c : cases) {
    events_.clear();
    mode_ = "ACTIVE";
    SetMode("ACTIVE");
    clock_.now = 0;
    table_.Start("a.exe", 10);
    clock_.At(300, [&] { SetMode(c.written); });
    clock_.At(1000, [&] {
      EXPECT_EQ(events_.size(), 1u) << c.written;  // nothing acted on yet
      table_.End(10);
    });
    Tick();
    Events expected = {"activate a.exe 10 a.scg Game A"};
    expected.insert(expected.end(), c.after.begin(), c.after.end());
    EXPECT_EQ(events_, expected) << c.written;
  }
}

TEST_F(PollLoopTest, TheMailboxEndsAnIdleMonitor) {
  for (std::string how : {"KILL", "", "deleted"}) {
    events_.clear();
    mode_ = "ACTIVE";
    SetMode("ACTIVE");
    Tick();
    if (how == "deleted")
      platform::RemoveFile(ini_);
    else
      SetMode(how);
    table_.Start("a.exe", 10);  // a watched game is not activated on the way out
    Tick();
    EXPECT_EQ(events_, (Events{"quit"})) << how;
    table_.End(10);
  }
}

TEST_F(PollLoopTest, TheMailboxTogglesOnlyAgainstTheMonitorsOwnMode) {
  SetMode("SUSPEND");
  Tick();
  EXPECT_EQ(events_, (Events{"suspend"}));
  Tick();  // SUSPEND while suspended: nothing
  EXPECT_EQ(events_, (Events{"suspend"}));
  SetMode("active");
  table_.Start("a.exe", 10);
  clock_.At(clock_.now + 250, [&] { table_.End(10); });
  Tick();  // a resume, then the same scan goes on and matches
  EXPECT_EQ(events_,
            (Events{"suspend", "resume", "activate a.exe 10 a.scg Game A", "close pointerly", "exit step a.exe"}));
}

TEST_F(PollLoopTest, TheTimerFiringDuringAWaitStartsNoSecondTick) {
  table_.Start("a.exe", 10);
  int scansDuringWait = -1;
  clock_.At(500, [&] {
    int before = table_.scans;
    Tick();
    scansDuringWait = table_.scans - before;
    table_.End(10);
  });
  Tick();
  EXPECT_EQ(scansDuringWait, 0);
  EXPECT_EQ(events_.back(), "exit step a.exe");
}
