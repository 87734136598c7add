// A driver tool that never returns must not make the monitor deaf: each way of
// asking it to quit ends it at once (in about a second on an idle machine), the
// tool with it, and the end says why.
#include "config_store/profile_helpers.h"
#include "monitor/tests/scg_fixture.h"
#include "platform/file_system.h"
#include "platform/process/run_and_wait.h"
#include "testing/test_support.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace testing_support;

namespace {

// The stand-in tool notes its pid and then sleeps for good; with `trap` it
// ignores SIGTERM too (an ignored signal stays ignored across exec).
void InstallHungTool(const TempInstall& install, bool ignoresTerm) {
  const std::string tool = install / "ryxcontrol";
  WriteFile(tool, std::string("#!/bin/sh\n") + (ignoresTerm ? "trap '' TERM\n" : "") +
                      "echo $$ >> \"$0.pids\"\nexec sleep 100000\n");
  ::chmod(tool.c_str(), 0755);
}

std::vector<int> ToolPids(const TempInstall& install) {
  std::vector<int> pids;
  for (const std::string& line : platform::SplitLines(ReadFile(install / "ryxcontrol.pids")))
    pids.push_back(std::atoi(line.c_str()));
  return pids;
}

bool SighupIgnoredHere() {
  struct sigaction current {};
  ::sigaction(SIGHUP, nullptr, &current);
  return current.sa_handler == SIG_IGN;  // as under nohup: the monitor then keeps ignoring it
}

}  // namespace

TEST(WatchpostHungTool, EveryWayOfQuittingEndsTheMonitorAndTheToolWithoutWaitingOutTheRun) {
  struct Case {
    const char* name;
    int signal;        // 0: through the mailbox
    const char* mode;  // the value written to the mailbox
    bool ignoresTerm;
    const char* cause;  // what the monitor names as the cause of its end
  } cases[] = {
      {"SIGTERM", SIGTERM, "", false, "signal SIGTERM received"},
      {"SIGINT", SIGINT, "", true, "signal SIGINT received"},
      {"SIGHUP", SIGHUP, "", false, "signal SIGHUP received"},
      {"empty MODE", 0, "", true, "the mailbox's MODE read \"\" at "},
      {"KILL", 0, "KILL", false, "the mailbox's MODE read \"KILL\" at "},
  };
  for (const Case& c : cases) {
    if (c.signal == SIGHUP && SighupIgnoredHere()) continue;
    TempInstall install({"watchpost"});
    InstallHungTool(install, c.ignoresTerm);
    const std::string exe = GameExeName("hunggame");
    WriteFile(install / "scg/hung.scg", monitor_test::ScgText({{"EXECUTABLE", "\"" + exe + "\""}}));
    TempFolder games;
    std::filesystem::copy_file("/bin/sleep", games / exe);
    ChildProcess game(games / exe, {"60"});
    ChildProcess monitor(install / "watchpost", {"-r", "1"}, install.Environment());
    // The game's activation starts the tool, which hangs in its first run.
    ASSERT_TRUE(WaitUntil([&] { return !ToolPids(install).empty(); }, 60000)) << c.name << monitor.Stderr();
    auto asked = std::chrono::steady_clock::now();
    if (c.signal != 0)
      ::kill(monitor.Pid(), c.signal);
    else
      config_store::WriteIni(install / "watchpost.ini", "APPLICATION", "MODE", c.mode);
    int exitCode = monitor.Wait(20000);
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked);
    EXPECT_EQ(exitCode, 0) << c.name;
    // Far below the run's limit, which a monitor waiting on the tool would sit
    // out, and loose enough for a loaded machine's pace.
    EXPECT_LT(took.count(), platform::kRunLimitMs / 3) << c.name;
    // Only the one run was started, and it is gone.
    ASSERT_EQ(ToolPids(install).size(), 1u) << c.name;
    EXPECT_NE(::kill(ToolPids(install)[0], 0), 0) << c.name << ": the tool still runs";
    EXPECT_EQ(config_store::ReadIni(install / "watchpost.ini", "APPLICATION", "MODE"), "") << c.name;
    EXPECT_NE(monitor.Stderr().find(std::string("watchpost: Monitor ended: ") + c.cause), std::string::npos)
        << c.name << ": " << monitor.Stderr();
  }
}
