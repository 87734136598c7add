#include "platform/process/tool_runner.h"

#include "platform/file_system.h"
#include "testing/test_support.h"

#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

using testing_support::ReadFile;
using testing_support::TempFolder;

namespace {

class ToolRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    probe_ = tmp_ / "ryxcontrol";
    std::filesystem::copy_file(PROCESS_PROBE, probe_);
    out_ = tmp_ / "probe.out";
    ::setenv("PROBE_OUT", out_.c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("PROBE_OUT");
    ::unsetenv("PROBE_SLEEP_MS");
    ::unsetenv("PROBE_PIDFILE");
  }
  TempFolder tmp_;
  std::string probe_, out_;
};

}  // namespace

TEST_F(ToolRunnerTest, AnAwaitedRunSaysHowItEnded) {
  platform::ProcessRunner runner;
  EXPECT_EQ(runner.LimitMs(), platform::kRunLimitMs);
  EXPECT_EQ(runner.Run("\"" + probe_ + "\" --set-defaults"), platform::RunEnd::Finished);
  EXPECT_NE(ReadFile(out_).find("arg:--set-defaults"), std::string::npos);
  EXPECT_EQ(runner.Run("\"" + tmp_ / "missing" + "\" --set-defaults"), platform::RunEnd::NotStarted);
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
  ::setenv("PROBE_PIDFILE", pidFile.c_str(), 1);
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
  ::setenv("PROBE_PIDFILE", pidFile.c_str(), 1);
  platform::ProcessRunner runner;
  EXPECT_EQ(runner.Start("\"" + probe_ + "\" --download-sensitivity-curve 0 x.crv"), platform::RunEnd::Finished);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !ReadFile(pidFile).empty(); }));
  ::kill(std::atoi(ReadFile(pidFile).c_str()), SIGKILL);
  EXPECT_EQ(runner.Start("\"" + tmp_ / "missing" + "\""), platform::RunEnd::NotStarted);
}
