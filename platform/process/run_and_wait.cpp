#include "platform/process/run_and_wait.h"

#include "platform/process/child_process.h"
#include "platform/process/command_line.h"
#include "platform/process/pidfd.h"
#include "platform/start_window.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <string_view>
#include <vector>

extern char** environ;

namespace platform {

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Children started without waiting; reaped when they end so none stays a zombie.
struct Unreaped {
  pid_t pid;
  QSocketNotifier* notifier;  // owned; null without an event loop
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
      delete list[i].notifier;
      if (list[i].pidfd >= 0) ::close(list[i].pidfd);
      list.erase(list.begin() + static_cast<long>(i));
    } else {
      ++i;
    }
  }
}

void KeepForReaping(pid_t pid) {
  int pidfd = PidFdOpen(pid);
  QSocketNotifier* notifier = nullptr;
  if (pidfd >= 0 && QCoreApplication::instance()) {
    notifier = new QSocketNotifier(pidfd, QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { ReapFinished(); });
  }
  UnreapedList().push_back({pid, notifier, pidfd});
}

// Blocks until the child ends, running the event loop meanwhile when there is one.
bool WaitForChild(pid_t pid, int& status) {
  int pidfd = PidFdOpen(pid);
  if (pidfd >= 0 && QCoreApplication::instance()) {
    QEventLoop loop;
    QSocketNotifier notifier(pidfd, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&loop] { loop.quit(); });
    // The child may have ended before the notifier existed.
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      ::close(pidfd);
      return true;
    }
    loop.exec();
    notifier.setEnabled(false);
  }
  if (pidfd >= 0) ::close(pidfd);
  for (;;) {
    pid_t done = ::waitpid(pid, &status, 0);
    if (done == pid) return true;
    if (done < 0 && errno == EINTR) continue;
    return false;
  }
}

}  // namespace

int RunAndWait(const std::string& commandLine, bool noWait) {
  ReapFinished();
  ParsedCommandLine parsed = ParseCommandLine(commandLine, IsExecutableFile);
  if (!IsExecutableFile(parsed.program)) return 0;

  std::vector<std::string> argv{parsed.program};
  argv.insert(argv.end(), parsed.args.begin(), parsed.args.end());
  // Our environment, with the wish that the program's window stays hidden.
  std::vector<std::string> env{StartWindowEntry(StartWindow::Hidden)};
  const std::string variable = std::string(kStartWindowVariable) + "=";
  for (char** e = environ; *e; ++e)
    if (std::string_view(*e).substr(0, variable.size()) != variable) env.emplace_back(*e);
  pid_t pid = StartChild(argv, env, ChildOutput::Ours);
  if (pid < 0) return 0;

  if (noWait) {
    KeepForReaping(pid);
    return 0;
  }
  int status = 0;
  if (!WaitForChild(pid, status)) return -1;
  return ExitCodeOf(status);
}

int UnreapedChildren() {
  ReapFinished();
  return static_cast<int>(UnreapedList().size());
}

}  // namespace platform
