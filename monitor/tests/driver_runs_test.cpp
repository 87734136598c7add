// Ryxcontrol runs never overlap, and commands chosen while runs go on wait for them.
#include "monitor/driver_runs.h"

#include "monitor/tests/fakes.h"
#include "monitor/tests/ryx_lines.h"

#include <gtest/gtest.h>

using monitor::DriverRuns;
using monitor::MonitorCommand;
using monitor_test::FakeRunner;
using monitor_test::Joined;
using monitor_test::kDefaults;
using monitor_test::Lines;

namespace {

const Lines kGame = {"--set-chording on", "--set-null-region 8", "--set-master-sensitivity 3", "--set-master-gain 55",
                     "--set-axis 0 0"};

// A monitor whose commands do what the real ones do to the driver.
struct Rig : DriverRuns::Window {
  FakeRunner runner;
  DriverRuns runs{runner, "/opt/h", *this};
  std::vector<std::string> done;
  std::vector<std::string> overLimit;
  void RunOverLimit(const std::string& line) override { overLimit.push_back(line); }
  void ToolNotStarted(const std::string& line) override { notStarted.push_back(line); }
  std::vector<std::string> notStarted;
  void Perform(MonitorCommand c) override {
    switch (c) {
      case MonitorCommand::SuspendToggle:
        runs.ResetRyxDefaults();
        done.push_back("suspend");
        break;
      case MonitorCommand::EmulatorToggle:
        runs.ResetRyxDefaults();
        done.push_back("emulator");
        break;
      case MonitorCommand::Exit:
        done.push_back("exit");
        break;
      default:
        done.push_back("other");
    }
  }
  Lines Runs() const { return runner.Runs("/opt/h"); }
};

}  // namespace

TEST(DriverRuns, DefaultsAreSixRunsOfTheToolInTheProgramFolder) {
  Rig s;
  s.runs.ResetRyxDefaults();
  EXPECT_EQ(s.Runs(), kDefaults);
  EXPECT_EQ(s.runner.lines[0], "\"/opt/h/ryxcontrol\" --set-defaults");
}

TEST(DriverRuns, ARunEndedOverTheLimitIsToldAndTheRunsGoOn) {
  Rig s;
  s.runner.overLimit = {0, 3};
  s.runs.ResetRyxDefaults();
  EXPECT_EQ(s.Runs(), kDefaults);
  EXPECT_EQ(s.overLimit, (Lines{s.runner.lines[0], s.runner.lines[3]}));
}

TEST(DriverRuns, ACommandOutsideRunsIsDoneAtOnce) {
  Rig s;
  s.runs.Submit(MonitorCommand::Exit);
  EXPECT_EQ(s.done, (Lines{"exit"}));
}

TEST(DriverRuns, CommandsDuringAnActivationWaitForTheGapBetweenRuns) {
  struct Case {
    std::string name;
    std::vector<MonitorCommand> chosen;  // during the third line of the game
    Lines runs;
    Lines done;
  } cases[] = {
      // Suspend stops the replay after the run in progress, then leaves the driver at its defaults.
      {"suspend",
       {MonitorCommand::SuspendToggle},
       Joined({kDefaults, {kGame[0], kGame[1], kGame[2]}, kDefaults}),
       {"suspend"}},
      {"exit", {MonitorCommand::Exit}, Joined({kDefaults, {kGame[0], kGame[1], kGame[2]}}), {"exit"}},
      // The emulator switch lets the game's settings finish first.
      {"emulator", {MonitorCommand::EmulatorToggle}, Joined({kDefaults, kGame, kDefaults}), {"emulator"}},
      // An exit drops every run after the one going on, the emulator switch's reset too.
      {"emulator then exit",
       {MonitorCommand::EmulatorToggle, MonitorCommand::Exit},
       Joined({kDefaults, {kGame[0], kGame[1], kGame[2]}}),
       {"emulator", "exit"}},
      // The editor and the updater take over the driver as it is: the game's settings, whole.
      {"customize", {MonitorCommand::Customize}, Joined({kDefaults, kGame}), {"other"}},
      {"web update", {MonitorCommand::WebUpdate}, Joined({kDefaults, kGame}), {"other"}},
  };
  for (const Case& c : cases) {
    Rig s;
    s.runner.during = [&](size_t index, const std::string&) {
      if (index == kDefaults.size() + 2)
        for (MonitorCommand m : c.chosen) s.runs.Submit(m);
    };
    {
      DriverRuns::Sequence activation(s.runs);
      s.runs.ResetRyxDefaults();
      EXPECT_TRUE(s.done.empty()) << c.name;  // not between the defaults and the game's lines
      s.runs.Replay(kGame);
    }
    EXPECT_EQ(s.Runs(), c.runs) << c.name;
    EXPECT_EQ(s.done, c.done) << c.name;
    EXPECT_EQ(s.runner.mostAtOnce, 1) << c.name;
    // Only an exit ends the run going on (a hung tool must not keep it waiting).
    bool exits = std::find(c.chosen.begin(), c.chosen.end(), MonitorCommand::Exit) != c.chosen.end();
    EXPECT_EQ(s.runner.stops, exits ? 1 : 0) << c.name;
  }
}

TEST(DriverRuns, AnExitChosenDuringASuspendEndsItsResetAndComesAfterIt) {
  Rig s;
  s.runner.during = [&](size_t index, const std::string&) {
    if (index == 1) s.runs.Submit(MonitorCommand::Exit);
  };
  s.runs.Submit(MonitorCommand::SuspendToggle);
  EXPECT_EQ(s.done, (Lines{"suspend", "exit"}));
  EXPECT_EQ(s.Runs(), (Lines{kDefaults[0], kDefaults[1]}));
  EXPECT_EQ(s.runner.mostAtOnce, 1);
  EXPECT_EQ(s.runner.stops, 1);
}
