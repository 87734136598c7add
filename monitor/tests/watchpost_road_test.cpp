// The road of one played game through the real programs: watchpost in a
// temporary installation folder with the real ryxcontrol, and a copy of a real
// program, named like the watched executable, standing in for the game.
#include "config_store/profile_helpers.h"
#include "monitor/tests/ryx_lines.h"
#include "monitor/tests/scg_fixture.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "testing/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace testing_support;
using monitor_test::Joined;
using monitor_test::kDefaults;
using monitor_test::Lines;

namespace {

Lines LogLines(const std::string& path) { return platform::SplitLines(ReadFile(path)); }

// How long a wait for runs of the tool may take: an activation is some thirty
// runs, each a process of its own, and a busy machine starts them slowly.
constexpr int kToolRunsMs = 120000;

}  // namespace

TEST(WatchpostRoad, AGameIsAppliedWatchedAndLeftAndTheMailboxSteersTheMonitor) {
  TempInstall install({"watchpost", "ryxcontrol"}, true);
  // Named in the configuration in another case than on disk, as games are.
  const std::string configured = GameExeName("RoadGame"), exe = platform::ToLower(configured);
  WriteFile(install / "scg/road.scg", monitor_test::ScgText({{"EXECUTABLE", "\"" + configured + "\""},
                                                             {"APPLICATION_NAME", "\"Road Game\""},
                                                             {"ORIENTATION", "HORIZONTAL"},
                                                             {"USE_KEYS", "TRUE"},
                                                             {"MOTION_ALIAS_X", "4"},
                                                             {"CURVE_3_USER", "\".\\crv\\PRECISE.crv\""}}));
  TempFolder games;
  std::string gameFolder = games / "Road Game";
  MakeFolders(gameFolder);
  std::filesystem::copy_file("/bin/sleep", gameFolder + "/" + exe);
  const std::string ryxLog = install / "ryxcontrol.log";
  const std::string ini = install / "watchpost.ini";

  ChildProcess monitor(install / "watchpost", {"-d", "-r", "1"}, install.Environment());
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stdout().find("items to the watch list.") != std::string::npos; }))
      << monitor.Stdout() << monitor.Stderr();
  EXPECT_NE(monitor.Stdout().find("road.scg - " + configured + "\n"), std::string::npos);
  EXPECT_FALSE(platform::FileExists(ryxLog));  // nothing runs while no game does

  // The game starts: its configuration reaches the driver, one run after the other.
  ChildProcess game(gameFolder + "/" + exe, {"60"});
  const Lines gameLines = {"--reset-sensitivity-curve 0",
                           "--reset-sensitivity-curve 1",
                           "--reset-sensitivity-curve 2",
                           "--reset-sensitivity-curve 3",
                           "--reset-sensitivity-curve 4",
                           "--reset-sensitivity-curve 5",
                           "--upload-sensitivity-curve 3 \"" + install / "crv/precise.crv" + "\"",
                           "--set-chording off",
                           "--set-null-region 8",
                           "--set-master-sensitivity 3",
                           "--set-master-gain 55",
                           "--set-polarity 0 +",
                           "--set-polarity 1 +",
                           "--set-polarity 2 -",
                           "--set-polarity 3 +",
                           "--set-polarity 4 +",
                           "--set-polarity 5 -",
                           "--set-axis 0 0",
                           "--set-axis 1 2",
                           "--set-axis 2 1",
                           "--set-axis 3 3",
                           "--set-axis 4 5",
                           "--set-axis 5 4"};
  Lines loggedGameLines = gameLines;
  loggedGameLines[6] = "--upload-sensitivity-curve 3 " + install / "crv/precise.crv";  // as the tool records it
  ASSERT_TRUE(WaitUntil([&] { return LogLines(ryxLog).size() >= 6 + gameLines.size(); }, kToolRunsMs))
      << ReadFile(ryxLog) << monitor.Stdout();
  EXPECT_EQ(LogLines(ryxLog), Joined({kDefaults, loggedGameLines}));
  EXPECT_EQ(platform::SplitLines(ReadFile(install / "active.ryx")), gameLines);
  EXPECT_NE(ReadFile(install / "active.ryx").find("\r\n"), std::string::npos);
  EXPECT_EQ(config_store::ReadIni(install / "tunedeck.ini", "Games", "Current"), "road.scg");
  std::string pointerly = install / "pointerly.ini";
  EXPECT_EQ(config_store::ReadIni(pointerly, "DEADZONE", "DEADZONE_2"), "1002");
  EXPECT_EQ(config_store::ReadIni(pointerly, "MOTIONS", "MOTION_0_POS"), "VK_D");
  EXPECT_EQ(config_store::ReadIni(pointerly, "MOTIONS", "MOTION_4_NEG"), "X");
  EXPECT_EQ(config_store::ReadIni(pointerly, "BUTTONS", "BUTTON_2"), "VK_F3");
  std::string out = monitor.Stdout();
  EXPECT_NE(out.find("Started watching: " + exe + " at "), std::string::npos) << out;
  EXPECT_NE(out.find("Path: " + platform::ToLower(gameFolder) + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Process ID: " + std::to_string(game.Pid()) + "\n"), std::string::npos) << out;

  // The game ends: the driver goes back to its defaults.
  game.Terminate();
  game.Wait();
  ASSERT_TRUE(WaitUntil([&] { return LogLines(ryxLog).size() >= 12 + gameLines.size(); }, kToolRunsMs))
      << ReadFile(ryxLog);
  EXPECT_EQ(LogLines(ryxLog), Joined({kDefaults, loggedGameLines, kDefaults}));
  EXPECT_TRUE(WaitUntil([&] { return monitor.Stdout().find("Stopped watching: " + exe) != std::string::npos; }));

  // SUSPEND from outside: suspended, driver defaults once more.
  config_store::WriteIni(ini, "APPLICATION", "MODE", "SUSPEND");
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stdout().find("Monitoring suspended at ") != std::string::npos; }))
      << monitor.Stdout();
  EXPECT_TRUE(WaitUntil([&] { return LogLines(ryxLog).size() == 18 + gameLines.size(); }, kToolRunsMs));
  EXPECT_EQ(config_store::ReadIni(ini, "APPLICATION", "MODE"), "SUSPEND");

  // ACTIVE from outside: resumed, the watch list built again.
  // The monitor writes SUSPEND itself as the last step of suspending, which can
  // overwrite a value written in that instant: write ACTIVE until it is seen.
  ASSERT_TRUE(WaitUntil(
      [&] {
        if (monitor.Stdout().find("Monitoring resumed at ") != std::string::npos) return true;
        config_store::WriteIni(ini, "APPLICATION", "MODE", "ACTIVE");
        return false;
      },
      20000))
      << monitor.Stdout();
  auto afterResume = [&] {
    std::string text = monitor.Stdout();
    return text.substr(text.find("Monitoring resumed at "));
  };
  ASSERT_TRUE(WaitUntil([&] { return afterResume().find("items to the watch list.") != std::string::npos; }))
      << afterResume();
  EXPECT_NE(afterResume().find("road.scg - " + configured + "\n"), std::string::npos) << afterResume();
  EXPECT_EQ(config_store::ReadIni(ini, "APPLICATION", "MODE"), "ACTIVE");

  // The kill switch of a second copy empties MODE, which ends the running one.
  RunResult kill = RunProgram(install / "watchpost", {"-k"}, install.Environment());
  EXPECT_EQ(kill.exitCode, 0);
  EXPECT_EQ(monitor.Wait(20000), 0) << monitor.Stderr();
  EXPECT_EQ(config_store::ReadIni(ini, "APPLICATION", "MODE"), "");
  EXPECT_EQ(LogLines(ryxLog).size(), 18 + gameLines.size());
}

TEST(WatchpostRoad, AMalformedTuningVectorEndsTheMonitorAfterItsBox) {
  TempInstall install({"watchpost", "ryxcontrol"});
  const std::string exe = GameExeName("badgame");
  WriteFile(install / "scg/bad.scg",
            monitor_test::ScgText({{"EXECUTABLE", "\"" + exe + "\""}, {"AXIS_MAP_USER", " { 0/1/2/3/4 }"}}));
  TempFolder games;
  std::filesystem::copy_file("/bin/sleep", games / exe);
  ChildProcess monitor(install / "watchpost", {"-r", "1"}, install.Environment());
  ASSERT_TRUE(WaitUntil([&] { return platform::FileExists(install / "watchpost.ini"); }));
  ChildProcess game(games / exe, {"60"});
  EXPECT_EQ(monitor.Wait(60000), 0);
  EXPECT_EQ(monitor.Stderr(),
            "[message box] Heliryx 360 Monitor: Axis Map Error13\n"
            "watchpost: Monitor ended: the configuration could not be applied: Axis Map Error13\n");
  EXPECT_EQ(config_store::ReadIni(install / "watchpost.ini", "APPLICATION", "MODE"), "");
  EXPECT_EQ(config_store::ReadIni(install / "tunedeck.ini", "Games", "Current"), "bad.scg");
  EXPECT_FALSE(platform::FileExists(install / "ryxcontrol.log"));
  EXPECT_FALSE(platform::FileExists(install / "pointerly.ini"));
  EXPECT_FALSE(platform::FileExists(install / "active.ryx"));
}

TEST(WatchpostRoad, AMissingControlToolIsNamedOncePerGameStart) {
  TempInstall install({"watchpost"});  // no ryxcontrol
  const std::string exe = GameExeName("toolless");
  WriteFile(install / "scg/game.scg", monitor_test::ScgText({{"EXECUTABLE", "\"" + exe + "\""}}));
  TempFolder games;
  std::filesystem::copy_file("/bin/sleep", games / exe);
  const std::string line = "Cannot start ryxcontrol in " + install.Folder() +
                           " (it is not there): the controller's settings were not changed.";
  auto count = [](const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
  };
  auto said = [&](const std::string& text) { return count(text, line); };
  ChildProcess monitor(install / "watchpost", {"-d", "-r", "1"}, install.Environment());
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stdout().find("items to the watch list.") != std::string::npos; }));

  for (size_t start = 1; start <= 2; ++start) {
    ChildProcess game(games / exe, {"60"});
    ASSERT_TRUE(WaitUntil([&] { return said(monitor.Stderr()) == start; })) << monitor.Stderr();
    game.Terminate();
    game.Wait();
    ASSERT_TRUE(WaitUntil([&] { return count(monitor.Stdout(), "Stopped watching: ") == start; })) << monitor.Stdout();
    // The game's end resets the driver through the same missing tool: no second line.
    EXPECT_EQ(said(monitor.Stderr()), start) << monitor.Stderr();
    EXPECT_EQ(said(monitor.Stdout()), start) << monitor.Stdout();
  }
  monitor.Terminate();
  EXPECT_EQ(monitor.Wait(), 0);
}
