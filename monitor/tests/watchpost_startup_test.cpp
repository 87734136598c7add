// Watchpost's start-up as a real process in a temporary installation folder,
// and the window's start-up state in process.
#include "monitor/main_window.h"

#include "config_store/profile_helpers.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "testing/test_support.h"
#include "testing/window_helpers.h"

#include <QListWidget>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using namespace testing_support;
using platform::FileExists;

namespace {

const char* kGameScg =
    "[VERSION]\r\nVERSION=6.1\r\n\r\n[IDENTIFICATION]\r\nAPPLICATION_NAME=\"Test Game\"\r\n\r\n"
    "[CONFIGURATION]\r\nHIDE_FILE=FALSE\r\nEXECUTABLE=\"game.exe\", \"game2.exe\"\r\n";

class WatchpostStartup : public ::testing::Test {
 protected:
  WatchpostStartup() : install_({"watchpost"}) {}
  void AddGame() { WriteFile(install_ / "scg/game.scg", kGameScg); }
  std::string Watchpost() const { return install_ / "watchpost"; }
  std::string Ini() const { return ReadFile(install_ / "watchpost.ini"); }
  TempInstall install_;
};

}  // namespace

TEST_F(WatchpostStartup, DebugRunBuildsTheWatchListAndOpensTheMailbox) {
  AddGame();
  WriteFile(install_ / "scg/hidden.scg", "[VERSION]\r\nVERSION=6.1\r\n[CONFIGURATION]\r\nHIDE_FILE=TRUE\r\n");
  ChildProcess monitor(Watchpost(), {"-d", "-r", "1"}, install_.Environment());
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stdout().find("items to the watch list.\n\n") != std::string::npos; }))
      << monitor.Stdout() << monitor.Stderr();
  EXPECT_EQ(monitor.Stdout(),
            "Building watch list...\n--------\ngame.scg - game.exe\ngame.scg - game2.exe\n--------\n"
            "Successfully added 2 items to the watch list.\n\n");
  EXPECT_EQ(Ini(), "[VERSION]\r\nVERSION=5.1\r\n[APPLICATION]\r\nMODE=ACTIVE\r\n");
  ScopedEnv configHome("XDG_CONFIG_HOME", install_.ConfigHome());
  auto version = platform::Registry::Query(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "Version");
  ASSERT_TRUE(version);
  EXPECT_EQ(version->text, "5.10");

  // A second copy shows nothing, says why it ended, and leaves the mailbox alone.
  RunResult second = RunProgram(Watchpost(), {"-d"}, install_.Environment());
  EXPECT_EQ(second.exitCode, 0);
  EXPECT_EQ(second.err, "watchpost: Monitor ended: a monitor already runs for this folder\n");
  EXPECT_EQ(second.out, "Monitor ended: a monitor already runs for this folder\n");
  EXPECT_TRUE(monitor.Running());
  EXPECT_NE(Ini().find("MODE=ACTIVE"), std::string::npos);

  // The kill switch empties MODE for the running monitor to read.
  RunResult kill = RunProgram(Watchpost(), {"-k"}, install_.Environment());
  EXPECT_EQ(kill.exitCode, 0);
  EXPECT_EQ(kill.err, "watchpost: Monitor ended: started with the kill switch\n");
  EXPECT_NE(Ini().find("MODE=\r\n"), std::string::npos);
}

TEST_F(WatchpostStartup, BadSwitchesShowTheUsageBox) {
  AddGame();
  const std::string usage =
      "[message box] Heliryx 360 Monitor: Command line Options:\n\n-d for debug mode\n"
      "-r to set the Monitor refresh rate (1 to 10 seconds)\n-s to skip Windows 2000/XP check\n"
      "-? to bring up this dialog\nwatchpost: Monitor ended: the command line was not understood\n";
  for (auto args : std::vector<std::vector<std::string>>{{"-r", "0.5"}, {"-d", "-r"}, {"-?"}, {"-d  -s"}}) {
    RunResult run = RunProgram(Watchpost(), args, install_.Environment());
    EXPECT_EQ(run.err, usage) << args[0];
    EXPECT_EQ(run.exitCode, 1);
  }
  EXPECT_FALSE(FileExists(install_ / "watchpost.ini"));
}

TEST_F(WatchpostStartup, MissingFolderAndEmptyWatchListAreFatal) {
  RunResult missing = RunProgram(Watchpost(), {}, install_.Environment());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "[message box] Critical Error: Configuration file folder " + install_.Folder() +
                             "/scg/ not found.\nwatchpost: Monitor ended: configuration file folder " +
                             install_.Folder() + "/scg/ not found\n");
  EXPECT_FALSE(FileExists(install_ / "watchpost.ini"));

  MakeFolders(install_ / "scg");
  RunResult empty = RunProgram(Watchpost(), {}, install_.Environment());
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_EQ(empty.err, "[message box] Critical Error: No configuration files found in folder " + install_.Folder() +
                           "/scg/\nwatchpost: Monitor ended: no configuration files found in folder " +
                           install_.Folder() + "/scg/\n");
  EXPECT_NE(Ini().find("MODE=\r\n"), std::string::npos);  // the unload step empties it
}

TEST(WatchpostWindow, StartUpStateAndASecondLoad) {
  TempFolder dir;
  TempFolder config;
  ScopedEnv configHome("XDG_CONFIG_HOME", config.Path());
  WriteFile(dir / "scg/game.scg", kGameScg);
  monitor::frmMain window("-r 2.5 -s", dir.Path());
  window.Form_Load();
  ASSERT_FALSE(window.Ended());
  EXPECT_EQ(Ctl<QTimer>(window, "tmrMonitor")->interval(), 2500);
  EXPECT_TRUE(Ctl<QTimer>(window, "tmrMonitor")->isActive());
  EXPECT_TRUE(window.State().SkipOsCheck);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.Tray().Tip(), "Heliryx 360 Monitor");
  EXPECT_EQ(window.State().WatchList.size(), 2u);
  window.Form_Load();  // a resume runs it again
  EXPECT_FALSE(window.Ended());
  EXPECT_EQ(window.State().WatchList.size(), 2u);
  EXPECT_EQ(Ctl<QListWidget>(window, "lstDebugWindow")->count(),
            4);  // the entries are logged whether or not in debug mode
  window.Form_Unload();
  EXPECT_TRUE(window.Ended());
  EXPECT_FALSE(window.Tray().Added());
  EXPECT_NE(ReadFile(dir / "watchpost.ini").find("MODE=\r\n"), std::string::npos);
}

TEST_F(WatchpostStartup, TerminationEndsLikeExit) {
  AddGame();
  ChildProcess monitor(Watchpost(), {"-d"}, install_.Environment());
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stdout().find("items to the watch list.\n\n") != std::string::npos; }));
  monitor.Terminate();
  EXPECT_EQ(monitor.Wait(), 0);
  EXPECT_NE(Ini().find("MODE=\r\n"), std::string::npos);
}

TEST_F(WatchpostStartup, AFirstStartClosesAnEmulatorLeftRunningButAResumeDoesNot) {
  AddGame();
  // Pointerly cannot run here without a controller: a program holding its
  // window's name in this folder stands in for one a killed monitor left behind.
  const std::string peer = install_ / "pointerly-standin";
  std::filesystem::copy_file(WINDOW_PEER, peer);
  ChildProcess left(peer, {"Pointerly"}, install_.Environment());
  ASSERT_TRUE(WaitUntil([&] { return left.Stdout() == "listening\n"; })) << left.Stderr();

  ChildProcess monitor(Watchpost(), {"-d", "-r", "1"}, install_.Environment());
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stdout().find("items to the watch list.\n\n") != std::string::npos; }))
      << monitor.Stdout() << monitor.Stderr();
  EXPECT_EQ(left.Wait(), 0);
  EXPECT_EQ(left.Stdout(), "listening\nclosed\n");
  EXPECT_EQ(monitor.Stdout().find("Closed a Pointerly left running by an earlier monitor.\n"), 0u) << monitor.Stdout();

  // One started while the monitor is suspended outlives the resume: only a
  // first start tidies up.
  const std::string ini = install_ / "watchpost.ini";
  config_store::WriteIni(ini, "APPLICATION", "MODE", "SUSPEND");
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stdout().find("Monitoring suspended at ") != std::string::npos; }));
  ChildProcess started(peer, {"Pointerly"}, install_.Environment());
  ASSERT_TRUE(WaitUntil([&] { return started.Stdout() == "listening\n"; })) << started.Stderr();
  ASSERT_TRUE(WaitUntil(
      [&] {
        if (monitor.Stdout().find("Monitoring resumed at ") != std::string::npos) return true;
        config_store::WriteIni(ini, "APPLICATION", "MODE", "ACTIVE");
        return false;
      },
      20000));
  auto afterResume = [&] {
    std::string text = monitor.Stdout();
    return text.substr(text.find("Monitoring resumed at "));
  };
  ASSERT_TRUE(WaitUntil([&] { return afterResume().find("items to the watch list.") != std::string::npos; }));
  EXPECT_TRUE(started.Running());
  EXPECT_EQ(afterResume().find("Closed a Pointerly"), std::string::npos);
  started.Terminate();
  monitor.Terminate();
  EXPECT_EQ(monitor.Wait(), 0);
}
