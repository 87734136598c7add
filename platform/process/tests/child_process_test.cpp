#include "platform/process/child_process.h"

#include "testing/test_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;
using platform::ChildEnd;
using testing_support::ReadFile;
using testing_support::TempFolder;

namespace {

class RunChildTest : public ::testing::Test {
 protected:
  std::vector<std::string> Environment(const std::string& sleepMs = "0", const std::string& exit = "0") {
    return {"PROBE_OUT=" + out_, "PROBE_PIDFILE=" + pidFile_, "PROBE_SLEEP_MS=" + sleepMs, "PROBE_EXIT=" + exit};
  }
  TempFolder tmp_;
  std::string out_ = tmp_ / "probe.out", pidFile_ = tmp_ / "probe.pid";
};

}  // namespace

TEST_F(RunChildTest, RunsTheVectorWithExactlyTheGivenEnvironment) {
  // Our own environment has no PROBE_OUT: the probe reports only through the given one.
  ASSERT_EQ(std::getenv("PROBE_OUT"), nullptr);
  int inheritable = ::open("/dev/null", O_RDONLY);  // deliberately without O_CLOEXEC
  platform::ChildOutcome run = platform::RunChild({PROCESS_PROBE, "a b", "\"c\""}, Environment("0", "7"), 10s);
  ::close(inheritable);
  EXPECT_EQ(run.end, ChildEnd::Exited);
  EXPECT_EQ(run.exitCode, 7);
  EXPECT_EQ(ReadFile(out_), "arg:a b\narg:\"c\"\nend\n");

  EXPECT_EQ(platform::RunChild({tmp_ / "missing"}, {}, 10s).end, ChildEnd::NotStarted);
}

TEST_F(RunChildTest, AChildPastTheLimitIsKilled) {
  QElapsedTimer clock;
  clock.start();
  platform::ChildOutcome run = platform::RunChild({PROCESS_PROBE}, Environment("30000"), 300ms);
  EXPECT_EQ(run.end, ChildEnd::TimedOut);
  EXPECT_LT(clock.elapsed(), 10000);
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);  // no child left, not even a zombie
}

TEST_F(RunChildTest, TheEventLoopRunsMeanwhileAndAQuitEndsTheWait) {
  platform::ChildOutcome run;
  QElapsedTimer clock;
  // The quit comes from the event loop while the child runs.
  QTimer::singleShot(0, [&] {
    clock.start();
    run = platform::RunChild({PROCESS_PROBE}, Environment("30000"), 60s);
  });
  QTimer::singleShot(200, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
  EXPECT_EQ(run.end, ChildEnd::Abandoned);
  EXPECT_LT(clock.elapsed(), 10000);
  // Left to finish on its own: it still runs.
  ASSERT_TRUE(testing_support::WaitUntil([&] { return std::atoi(ReadFile(pidFile_).c_str()) > 0; }));
  int pid = std::atoi(ReadFile(pidFile_).c_str());
  EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), 0);
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
}
