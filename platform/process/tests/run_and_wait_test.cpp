#include "platform/process/run_and_wait.h"
#include "platform/process/tool_runner.h"

#include "platform/file_system.h"
#include "testing/test_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using testing_support::ReadFile;
using testing_support::TempFolder;

namespace {

// The probe copied into a folder whose path holds blanks, as an installation
// folder may.
class RunAndWaitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = tmp_ / "my games";
    std::filesystem::create_directories(folder_);
    probe_ = folder_ + "/ryxcontrol";
    std::filesystem::copy_file(PROCESS_PROBE, probe_);
    out_ = tmp_ / "probe.out";
    ::setenv("PROBE_OUT", out_.c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("PROBE_OUT");
    ::unsetenv("PROBE_SLEEP_MS");
    ::unsetenv("PROBE_EXIT");
    ::unsetenv("PROBE_EXEC");
    ::unsetenv("PROBE_EXEC_WHEN");
  }
  TempFolder tmp_;
  std::string folder_, probe_, out_;
};

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

TEST_F(RunAndWaitTest, PassesTheArgumentsAsTheToolSplitsThem) {
  std::string curve = folder_ + "/crv/slow turn.crv";
  // The window is asked to stay hidden, whatever our own environment says.
  ::setenv("HELIRYX_START_WINDOW", "normal", 1);
  EXPECT_EQ(platform::RunAndWait(probe_ + " --upload-sensitivity-curve 2 \"" + curve + "\"", false), 0);
  ::unsetenv("HELIRYX_START_WINDOW");
  EXPECT_EQ(ReadFile(out_), "window:hidden\narg:--upload-sensitivity-curve\narg:2\narg:" + curve + "\nend\n");
}

TEST_F(RunAndWaitTest, ReturnsTheExitCode) {
  ::setenv("PROBE_EXIT", "7", 1);
  EXPECT_EQ(platform::RunAndWait(probe_ + " --set-defaults", false), 7);
  EXPECT_EQ(platform::RunAndWait(probe_ + " --set-defaults", true), 0);  // not awaited: 0
}

TEST_F(RunAndWaitTest, AProgramThatCannotStartGivesZero) {
  for (std::string line : {tmp_ / "missing --set-defaults", std::string(""), tmp_ / "probe.out"}) {
    testing_support::WriteFile(tmp_ / "probe.out", "not a program");
    EXPECT_EQ(platform::RunAndWait(line, false), 0) << line;
  }
}

TEST_F(RunAndWaitTest, AKilledProgramGivesTheSignal) {
  ::setenv("PROBE_SLEEP_MS", "60000", 1);  // ended by the kill long before
  std::string pidFile = tmp_ / "probe.pid";
  ::setenv("PROBE_PIDFILE", pidFile.c_str(), 1);
  QTimer killer;
  QObject::connect(&killer, &QTimer::timeout, [&] {
    int pid = std::atoi(ReadFile(pidFile).c_str());
    if (pid > 0) ::kill(pid, SIGKILL);
  });
  killer.start(50);
  EXPECT_EQ(platform::RunAndWait(probe_, false), 128 + SIGKILL);
  ::unsetenv("PROBE_PIDFILE");
}

TEST_F(RunAndWaitTest, WaitingKeepsTheEventLoopRunningWithoutSpinning) {
  // The program runs until a timer of ours has run five times: only a wait
  // that keeps the event loop going lets it end (it gives up after 120 s with 124).
  const std::string go = tmp_ / "go";
  ::setenv("PROBE_EXEC", "/bin/true", 1);
  ::setenv("PROBE_EXEC_WHEN", go.c_str(), 1);
  int timerRuns = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (++timerRuns == 5) testing_support::WriteFile(go, "");
  });
  timer.start(100);
  double cpuBefore = CpuSeconds();
  EXPECT_EQ(platform::RunAndWait(probe_, false), 0);
  EXPECT_GE(timerRuns, 5);                    // the window stayed alive
  EXPECT_LT(CpuSeconds() - cpuBefore, 0.15);  // and the wait cost next to nothing
}

TEST_F(RunAndWaitTest, NotAwaitedProgramsRunOnAndAreReaped) {
  // The program sleeps until the test ends it, so it is sure to be running when counted.
  ::setenv("PROBE_SLEEP_MS", "30000", 1);
  std::string pidFile = tmp_ / "probe.pid";
  ::setenv("PROBE_PIDFILE", pidFile.c_str(), 1);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(platform::RunAndWait(probe_, true), 0);
  EXPECT_LT(clock.elapsed(), 5000);  // far from the program's 30 s, however slowly a busy machine starts it
  ::unsetenv("PROBE_PIDFILE");
  EXPECT_TRUE(testing_support::WaitUntil([&] { return ReadFile(out_).find("end") != std::string::npos; }));
  EXPECT_EQ(platform::UnreapedChildren(), 1);
  int pid = std::atoi(ReadFile(pidFile).c_str());
  ASSERT_GT(pid, 0);
  ::kill(pid, SIGTERM);
  // Once it ends, no zombie is left behind.
  QElapsedTimer until;
  until.start();
  while (platform::UnreapedChildren() != 0 && until.elapsed() < 30000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(platform::UnreapedChildren(), 0);
}

TEST_F(RunAndWaitTest, TheChildGetsNoneOfOurFiles) {
  int inheritable = ::open("/dev/null", O_RDONLY);  // deliberately without O_CLOEXEC
  ASSERT_GE(inheritable, 3);
  platform::RunAndWait(probe_, false);
  ::close(inheritable);
  EXPECT_EQ(ReadFile(out_), "window:hidden\nend\n");
}

// A tool that never returns ends, whichever way its wait is cut short: past the
// limit, or stopped while it runs; one that ignores SIGTERM is killed after the
// grace. The next run starts as usual.
TEST_F(RunAndWaitTest, AHungProgramIsEndedAtTheLimitOrWhenStopped) {
  enum class Way { Limit, StopWhileWaiting, StopBefore };
  struct Case {
    const char* name;
    const char* trap;  // what the tool does with SIGTERM
    Way way;
    platform::RunEnd end;
    int result;
  } cases[] = {
      {"limit", "", Way::Limit, platform::RunEnd::OverLimit, 128 + SIGTERM},
      {"limit, SIGTERM ignored", "trap '' TERM\n", Way::Limit, platform::RunEnd::OverLimit, 128 + SIGKILL},
      {"stopped", "", Way::StopWhileWaiting, platform::RunEnd::Stopped, 128 + SIGTERM},
      {"stopped, SIGTERM ignored", "trap '' TERM\n", Way::StopWhileWaiting, platform::RunEnd::Stopped, 128 + SIGKILL},
      {"stopped before", "", Way::StopBefore, platform::RunEnd::Stopped, 0},
  };
  const std::string tool = folder_ + "/hung tool";
  const std::string pidFile = tool + ".pid";
  for (const Case& c : cases) {
    platform::RemoveFile(pidFile);
    testing_support::WriteFile(tool, std::string("#!/bin/sh\n") + c.trap + "echo $$ > \"$0.pid\"\nexec sleep 100000\n");
    ::chmod(tool.c_str(), 0755);
    platform::RunStop stop;
    // The limit lets even a busy machine start the tool and set its trap first.
    platform::WaitRules rules{c.way == Way::Limit ? 2000 : 0, &stop};
    if (c.way == Way::StopBefore) stop.Stop();
    // Stopped from the event loop once the tool surely runs, as a quit request is.
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
      if (c.way == Way::StopWhileWaiting && !ReadFile(pidFile).empty()) stop.Stop();
    });
    stopper.start(20);
    platform::RunEnd end = platform::RunEnd::Finished;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(platform::RunAndWait(tool + " --set-defaults", false, rules, &end), c.result) << c.name;
    EXPECT_EQ(end, c.end) << c.name;
    EXPECT_LT(clock.elapsed(), 5000) << c.name;
    int pid = std::atoi(ReadFile(pidFile).c_str());
    if (c.way == Way::StopBefore) {
      EXPECT_EQ(pid, 0) << c.name << ": nothing is started once stopped";
    } else {
      ASSERT_GT(pid, 0) << c.name;
      EXPECT_NE(::kill(pid, 0), 0) << c.name << ": the tool is gone";
    }
  }
  // A later run under a limit it keeps finishes as usual.
  platform::RunStop unused;
  platform::RunEnd end = platform::RunEnd::Stopped;
  EXPECT_EQ(platform::RunAndWait(probe_ + " --set-defaults", false, {platform::kRunLimitMs, &unused}, &end), 0);
  EXPECT_EQ(end, platform::RunEnd::Finished);
}

// A caller that must tell the player says which runs never started: a missing
// program, a file that may not be run, one the system cannot run.
TEST_F(RunAndWaitTest, ARunThatCannotStartSaysSo) {
  const std::string plain = folder_ + "/not a program";
  testing_support::WriteFile(plain, "#!/bin/sh\nexit 0\n");
  const std::string garbage = folder_ + "/garbage";
  testing_support::WriteFile(garbage, "this is no program");
  ::chmod(garbage.c_str(), 0755);
  for (const std::string& program : {folder_ + "/missing", plain, garbage}) {
    platform::RunEnd end = platform::RunEnd::Finished;
    EXPECT_EQ(platform::RunAndWait("\"" + program + "\" --set-defaults", false, {}, &end), 0) << program;
    EXPECT_EQ(end, platform::RunEnd::NotStarted) << program;
  }
  platform::RunEnd end = platform::RunEnd::NotStarted;
  platform::RunAndWait(probe_, false, {}, &end);
  EXPECT_EQ(end, platform::RunEnd::Finished);
}

// The tool runner over the same probe.
using ToolRunnerTest = RunAndWaitTest;

TEST_F(ToolRunnerTest, AnAwaitedRunSaysHowItEnded) {
  platform::ProcessRunner runner;
  EXPECT_EQ(runner.LimitMs(), platform::kRunLimitMs);
  EXPECT_EQ(runner.Run("\"" + probe_ + "\" --set-defaults"), platform::RunEnd::Finished);
  EXPECT_NE(ReadFile(out_).find("arg:--set-defaults"), std::string::npos);
  EXPECT_EQ(runner.Run("\"" + folder_ + "/missing" + "\" --set-defaults"), platform::RunEnd::NotStarted);
  // A run past the limit is ended; while it lasts the runner says it still waits.
  ::setenv("PROBE_SLEEP_MS", "100000", 1);
  runner.SetLimitMs(1000);
  int checks = 0;
  QObject::connect(&runner, &platform::ProcessRunner::stillWaiting, [&] { ++checks; });
  EXPECT_EQ(runner.Run("\"" + probe_ + "\""), platform::RunEnd::OverLimit);
  EXPECT_GT(checks, 0);
}

TEST_F(ToolRunnerTest, StoppedRunsEndAndLaterOnesStartNothing) {
  ::setenv("PROBE_SLEEP_MS", "100000", 1);
  const std::string pidFile = tmp_ / "probe.pid";
  testing_support::ScopedEnv pidFileVariable("PROBE_PIDFILE", pidFile);
  platform::ProcessRunner runner;
  QTimer stopper;
  QObject::connect(&stopper, &QTimer::timeout, [&] {
    if (!ReadFile(pidFile).empty()) runner.StopRuns();
  });
  stopper.start(20);
  EXPECT_EQ(runner.Run("\"" + probe_ + "\""), platform::RunEnd::Stopped);
  const int pid = std::atoi(ReadFile(pidFile).c_str());
  ASSERT_GT(pid, 0);
  EXPECT_NE(::kill(pid, 0), 0) << "the tool is gone";
  platform::RemoveFile(out_);
  EXPECT_EQ(runner.Run("\"" + probe_ + "\" --set-defaults"), platform::RunEnd::Stopped);
  EXPECT_FALSE(platform::FileExists(out_)) << "nothing is started once stopped";
}

TEST_F(ToolRunnerTest, AStartIsNotAwaited) {
  ::setenv("PROBE_SLEEP_MS", "100000", 1);
  const std::string pidFile = tmp_ / "probe.pid";
  testing_support::ScopedEnv pidFileVariable("PROBE_PIDFILE", pidFile);
  platform::ProcessRunner runner;
  EXPECT_EQ(runner.Start("\"" + probe_ + "\" --download-sensitivity-curve 0 x.crv"), platform::RunEnd::Finished);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !ReadFile(pidFile).empty(); }));
  ::kill(std::atoi(ReadFile(pidFile).c_str()), SIGKILL);
  EXPECT_EQ(runner.Start("\"" + folder_ + "/missing" + "\""), platform::RunEnd::NotStarted);
}
