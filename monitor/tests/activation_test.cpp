// SCGActivate on real files in a program folder, with the runner, the emulator
// and the clock standing in.
#include "monitor/activation.h"

#include "config_store/profile_helpers.h"
#include "monitor/active_ryx.h"
#include "monitor/tests/fakes.h"
#include "monitor/tests/ryx_lines.h"
#include "monitor/tests/scg_fixture.h"
#include "platform/file_system.h"
#include "testing/test_support.h"

#include <algorithm>
#include <gtest/gtest.h>

using monitor::MonitorCommand;
using monitor_test::Joined;
using monitor_test::kDefaults;
using monitor_test::Lines;
using monitor_test::ScgText;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

struct Rig : monitor::DriverRuns::Window {
  TempFolder program;
  monitor_test::FakeRunner runner;
  monitor_test::FakeEmulator emulator;
  monitor_test::FakeClock clock;
  monitor_test::FakeWindow window;
  monitor::DriverRuns runs{runner, program.Path(), *this};
  std::vector<std::string> events;  // closes, starts and commands, in order
  monitor::Activation activation{runs, runner, emulator, clock, window, program.Path()};
  monitor::ActiveGame game;

  explicit Rig(const std::map<std::string, std::string>& values = {}) {
    WriteFile(program / "scg/g.scg", ScgText(values));
    game.ActiveScgFile = program / "scg/g.scg";
    game.ActiveAppName = "Test Game";
    game.ActiveExeName = "Game.EXE";
    game.ActiveExeFolder = "/Games/Test";
    game.ActivePid = "4242";
    emulator.onClose = [this] { events.push_back("close"); };
  }
  void RunOverLimit(const std::string&) override {}
  void ToolNotStarted(const std::string& line) override { events.push_back("not started: " + line); }
  void Perform(MonitorCommand c) override {
    if (c == MonitorCommand::SuspendToggle) {
      events.push_back("suspend");
      emulator.ClosePointerly();
      runs.ResetRyxDefaults();
    }
  }
  Lines Runs() const { return runner.Runs(program.Path()); }
  Lines GameLines() const { return monitor::ReadRyxFile(program / "active.ryx"); }
};

}  // namespace

TEST(SCGActivate, AppliesTheConfigurationToTheEmulatorAndTheDriver) {
  Rig s;
  WriteFile(s.program / "tunedeck.ini", "[Version]\r\nVersion=5.1\r\n[Games]\r\nCurrent=other.scg\r\n");
  ASSERT_TRUE(s.activation.SCGActivate(s.game, false));
  EXPECT_EQ(s.window.tip, "Heliryx 360 Monitor - Watching: Test Game");
  EXPECT_EQ(ReadFile(s.program / "tunedeck.ini"), "[Version]\r\nVersion=5.1\r\n[Games]\r\nCurrent=g.scg\r\n");
  EXPECT_EQ(config_store::ReadIni(s.program / "pointerly.ini", "BUTTONS", "BUTTON_0"), "VK_F1");
  // Neither keys nor a pointer axis: the emulator is closed and stays closed.
  EXPECT_EQ(s.emulator.closes, 1);
  ASSERT_EQ(s.GameLines().size(), 22u);
  EXPECT_EQ(s.Runs(), Joined({kDefaults, s.GameLines()}));
  EXPECT_EQ(s.runner.mostAtOnce, 1);
  EXPECT_TRUE(s.window.log.empty());  // the activation lines are for debug mode
  EXPECT_EQ(s.activation.Values.Bindings.ButtonAlias[1].GameCommand, "+cmd1");
  EXPECT_EQ(s.activation.Values.FileRevision, "3");
}

TEST(SCGActivate, DebugModeLogsTheGame) {
  Rig s;
  ASSERT_TRUE(s.activation.SCGActivate(s.game, true));
  EXPECT_EQ(s.window.log, (Lines{"Started watching: game.exe at 12:00:00", "Path: /games/test", "Process ID: 4242"}));
}

TEST(SCGActivate, TheEmulatorStartsOnceTheOldOneHasGone) {
  struct Case {
    std::map<std::string, std::string> values;
    long long oldOneGoesAfter;  // ms after the close; -1: never
    long long startedAt;        // -1: not started
  } cases[] = {
      {{{"USE_KEYS", "TRUE"}}, 0, 0},
      {{{"MOTION_ALIAS_X", "4"}}, 300, 300},
      {{{"MOTION_ALIAS_Y", "0"}},
       -1,
       monitor::Activation::kEmulatorGraceMs},  // started anyway, at the end of the grace
      {{{"USE_KEYS", "FALSE"}}, 300, -1},
  };
  for (const Case& c : cases) {
    Rig s(c.values);
    long long startedAt = -1;
    s.emulator.running = true;
    s.emulator.onClose = [&] {
      s.emulator.running = c.oldOneGoesAfter == 0 ? false : true;
      if (c.oldOneGoesAfter > 0) s.clock.At(s.clock.now + c.oldOneGoesAfter, [&] { s.emulator.running = false; });
    };
    s.runner.during = nullptr;
    ASSERT_TRUE(s.activation.SCGActivate(s.game, false));
    Lines runs = s.Runs();
    auto start = std::find(runs.begin(), runs.end(), "start \"" + s.program / "pointerly" + "\"");
    if (start != runs.end()) {
      startedAt = s.clock.now;  // nothing sleeps after the start
      EXPECT_EQ(start, runs.begin()) << "before the driver runs";
    }
    EXPECT_EQ(startedAt, c.startedAt) << c.oldOneGoesAfter;
  }
}

TEST(SCGActivate, AMalformedVectorChangesNothingButTheTipAndTheEditorsGame) {
  Rig s(std::map<std::string, std::string>{{"GAIN_INT_USER", " { 055 }"}});
  WriteFile(s.program / "pointerly.ini", "before");
  WriteFile(s.program / "active.ryx", "before");
  EXPECT_FALSE(s.activation.SCGActivate(s.game, false));
  EXPECT_EQ(s.window.fatal, (Lines{"Gain Map Error7"}));
  EXPECT_EQ(s.window.tip, "Heliryx 360 Monitor - Watching: Test Game");
  EXPECT_EQ(config_store::ReadIni(s.program / "tunedeck.ini", "Games", "Current"), "g.scg");
  EXPECT_EQ(ReadFile(s.program / "pointerly.ini"), "before");
  EXPECT_EQ(ReadFile(s.program / "active.ryx"), "before");
  EXPECT_TRUE(s.runner.lines.empty());
  EXPECT_EQ(s.emulator.closes, 0);
}

TEST(SCGActivate, SuspendDuringTheRunsLeavesTheDriverAtItsDefaults) {
  for (size_t at : {size_t(2), size_t(9), size_t(24)}) {  // during the defaults, the game's lines, the last one
    Rig s(std::map<std::string, std::string>{{"USE_KEYS", "TRUE"}});
    s.runner.during = [&](size_t index, const std::string&) {
      if (index == at) s.runs.Submit(MonitorCommand::SuspendToggle);
    };
    ASSERT_TRUE(s.activation.SCGActivate(s.game, false));
    Lines runs = s.Runs();
    ASSERT_GE(runs.size(), kDefaults.size()) << at;
    EXPECT_EQ(Lines(runs.end() - 6, runs.end()), kDefaults) << at;
    // Nothing of the game's own lines after the click: at most the activation's defaults finish.
    EXPECT_LE(runs.size(), std::max<size_t>(at + 1, 1 + kDefaults.size()) + kDefaults.size()) << at;
    EXPECT_EQ(s.runner.mostAtOnce, 1) << at;
    EXPECT_EQ(s.events, (Lines{"close", "suspend", "close"})) << at;
  }
}

TEST(SCGActivate, AToolThatCannotStartIsSaidOncePerGameStart) {
  Rig s;
  s.runner.toolMissing = true;
  const std::string first = "not started: \"" + s.program.Path() + "/ryxcontrol\" --set-defaults";
  auto told = [&] { return static_cast<int>(std::count(s.events.begin(), s.events.end(), first)); };
  ASSERT_TRUE(s.activation.SCGActivate(s.game, false));
  EXPECT_GT(s.runner.lines.size(), 6u);  // every line was tried
  EXPECT_EQ(told(), 1);
  // The game's end and a suspend belong to the same start: nothing more is said.
  s.runs.ResetRyxDefaults();
  s.runs.Perform(MonitorCommand::SuspendToggle);
  EXPECT_EQ(told(), 1);
  // The next start of a game says it again.
  ASSERT_TRUE(s.activation.SCGActivate(s.game, false));
  EXPECT_EQ(told(), 2);
}
