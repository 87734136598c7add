#include "platform/process/run_and_wait.h"

#include "platform/process/child_process.h"
#include "platform/process/command_line.h"
#include "platform/process/pidfd.h"
#include "platform/start_window.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform {

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Children started without waiting; reaped when they end so none stays a zombie.
// The notifier belongs to the application object, so one whose child still runs
// when the program ends goes with the application rather than being lost.
struct Unreaped {
  pid_t pid;
  QPointer<QSocketNotifier> notifier;  // null without an application on this thread
  int pidfd;
};
std::vector<Unreaped>& UnreapedList() {
  static std::vector<Unreaped> list;
  return list;
}

void ReapFinished() {
  auto& list = UnreapedList();
  for (size_t i = 0; i < list.size();) {
    int status = 0;
    pid_t done = ::waitpid(list[i].pid, &status, WNOHANG);
    if (done == list[i].pid || (done < 0 && errno == ECHILD)) {
      // Later, not now: this may run inside the notifier's own signal.
      if (list[i].notifier) {
        list[i].notifier->setEnabled(false);
        list[i].notifier->deleteLater();
      }
      if (list[i].pidfd >= 0) ::close(list[i].pidfd);
      list.erase(list.begin() + static_cast<long>(i));
    } else {
      ++i;
    }
  }
}

void KeepForReaping(pid_t pid) {
  int pidfd = PidFdOpen(pid);
  QCoreApplication* app = QCoreApplication::instance();
  QSocketNotifier* notifier = nullptr;
  if (pidfd >= 0 && app && app->thread() == QThread::currentThread()) {
    notifier = new QSocketNotifier(pidfd, QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { ReapFinished(); });
  }
  UnreapedList().push_back({pid, notifier, pidfd});
}

// The child's end as waitpid reports it; `lost` when it cannot be waited for
// any more (reaped elsewhere), which ends every wait too.
struct ChildStatus {
  int status = 0;
  bool lost = false;
};

bool Reaped(pid_t pid, ChildStatus& child, int options) {
  for (;;) {
    pid_t done = ::waitpid(pid, &child.status, options);
    if (done == pid) return true;
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) child.lost = true;
    return child.lost;
  }
}

// Waits up to `ms` milliseconds (-1: without end) for the child to end; true
// when it has ended.
bool AwaitEnd(pid_t pid, int pidfd, int ms, ChildStatus& child) {
  auto reaped = [&] { return Reaped(pid, child, WNOHANG); };
  if (reaped()) return true;
  if (pidfd < 0 && ms < 0) return Reaped(pid, child, 0);
  auto start = std::chrono::steady_clock::now();
  for (;;) {
    int left = -1;
    if (ms >= 0) {
      auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
      left = std::max(0, ms - static_cast<int>(spent.count()));
    }
    if (pidfd >= 0) {
      pollfd wanted{pidfd, POLLIN, 0};
      ::poll(&wanted, 1, left);
    } else {
      ::usleep(static_cast<useconds_t>(std::min(left, 20)) * 1000);  // no pidfd: a slow look
    }
    if (reaped()) return true;
    if (left == 0) return false;
  }
}

// Asks the child to end, kills it after the grace, and reaps it.
void EndChild(pid_t pid, int pidfd, ChildStatus& child) {
  ::kill(pid, SIGTERM);
  if (AwaitEnd(pid, pidfd, kRunGraceMs, child)) return;
  ::kill(pid, SIGKILL);
  AwaitEnd(pid, pidfd, -1, child);
}

}  // namespace

// Registers an event loop as a wait that RunStop::Stop ends.
class RunStopWait {
 public:
  RunStopWait(RunStop* stop, QEventLoop* loop) : stop_(stop), loop_(loop) {
    if (stop_) stop_->waits_.push_back(loop_);
  }
  ~RunStopWait() {
    if (stop_) std::erase(stop_->waits_, loop_);
  }

 private:
  RunStop* stop_;
  QEventLoop* loop_;
};

void RunStop::Stop() {
  stopped_ = true;
  for (QEventLoop* loop : waits_) loop->quit();
}

namespace {

// Blocks until the child ends, running the event loop meanwhile when there is
// one; a child that outlasts the limit, or whose wait is stopped, is ended.
bool WaitForChild(pid_t pid, int& status, const WaitRules& rules, RunEnd& end) {
  ChildStatus child;
  end = RunEnd::Finished;
  auto stopped = [&] { return rules.stop && rules.stop->Stopped(); };
  auto start = std::chrono::steady_clock::now();
  int pidfd = PidFdOpen(pid);
  // The child may have ended before anything watched it.
  bool ended = AwaitEnd(pid, pidfd, 0, child);
  if (!ended && pidfd >= 0 && QCoreApplication::instance() && !stopped()) {
    QEventLoop loop;
    QSocketNotifier notifier(pidfd, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&loop] { loop.quit(); });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&loop] { loop.quit(); });
    if (rules.limitMs > 0) limit.start(rules.limitMs);
    RunStopWait registered(rules.stop, &loop);
    loop.exec();
    notifier.setEnabled(false);
    ended = AwaitEnd(pid, pidfd, 0, child);
  }
  // Without an event loop, or once the program is ending (event loops then
  // return at once), a plain wait, still within the limit.
  if (!ended && !stopped()) {
    int left = -1;
    if (rules.limitMs > 0) {
      auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
      left = std::max(0, rules.limitMs - static_cast<int>(spent.count()));
    }
    ended = AwaitEnd(pid, pidfd, left, child);
  }
  if (!ended) {
    end = stopped() ? RunEnd::Stopped : RunEnd::OverLimit;
    EndChild(pid, pidfd, child);
  }
  if (pidfd >= 0) ::close(pidfd);
  status = child.status;
  return !child.lost;
}

}  // namespace

int RunAndWait(const std::string& commandLine, bool noWait) { return RunAndWait(commandLine, noWait, WaitRules{}); }

int RunAndWait(const std::string& commandLine, bool noWait, const WaitRules& rules, RunEnd* end) {
  if (end) *end = RunEnd::Finished;
  ReapFinished();
  if (!noWait && rules.stop && rules.stop->Stopped()) {
    if (end) *end = RunEnd::Stopped;
    return 0;
  }
  ParsedCommandLine parsed = ParseCommandLine(commandLine, IsExecutableFile);
  if (!IsExecutableFile(parsed.program)) {
    if (end) *end = RunEnd::NotStarted;
    return 0;
  }

  std::vector<std::string> argv{parsed.program};
  argv.insert(argv.end(), parsed.args.begin(), parsed.args.end());
  // Our environment, with the wish that the program's window stays hidden.
  std::vector<std::string> env{StartWindowEntry(StartWindow::Hidden)};
  const std::string variable = std::string(kStartWindowVariable) + "=";
  for (char** e = environ; *e; ++e)
    if (std::string_view(*e).substr(0, variable.size()) != variable) env.emplace_back(*e);
  pid_t pid = StartChild(argv, env, ChildOutput::Ours);
  if (pid < 0) {
    if (end) *end = RunEnd::NotStarted;
    return 0;
  }

  if (noWait) {
    KeepForReaping(pid);
    return 0;
  }
  int status = 0;
  RunEnd how = RunEnd::Finished;
  bool waited = WaitForChild(pid, status, rules, how);
  if (end) *end = how;
  return waited ? ExitCodeOf(status) : -1;
}

int UnreapedChildren() {
  ReapFinished();
  return static_cast<int>(UnreapedList().size());
}

}  // namespace platform
