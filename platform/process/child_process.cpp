#include "platform/process/child_process.h"

#include "platform/process/pidfd.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

bool Reaped(pid_t pid, int& status) { return ::waitpid(pid, &status, WNOHANG) == pid; }

void KillAndReap(pid_t pid, int& status) {
  ::kill(pid, SIGKILL);
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

pid_t StartChild(const std::vector<std::string>& argvIn, const std::vector<std::string>& environment,
                 ChildOutput output) {
  if (argvIn.empty()) return -1;
  std::vector<std::string> argvStore = argvIn, envStore = environment;
  std::vector<char*> argv, envp;
  for (std::string& a : argvStore) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (std::string& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (output == ChildOutput::Discarded) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  // Our sockets (the single-instance name above all) must not live on in the
  // child, nor in a daemon it leaves behind (a wineserver).
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // Signals we ignore or block stay with us, not with the child.
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  int rc = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  return rc == 0 ? pid : -1;
}

ChildOutcome RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                      std::chrono::milliseconds limit) {
  ChildOutcome outcome;
  pid_t pid = StartChild(argv, environment, ChildOutput::Discarded);
  if (pid < 0) return outcome;

  int status = 0;
  int pidfd = PidFdOpen(pid);
  if (pidfd >= 0 && QCoreApplication::instance()) {
    QEventLoop loop;
    QSocketNotifier ended(pidfd, QSocketNotifier::Read);
    QObject::connect(&ended, &QSocketNotifier::activated, &loop, [&loop] { loop.quit(); });
    bool late = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
      late = true;
      loop.quit();
    });
    timer.start(limit);
    // The child may have ended before the notifier existed; a quitting
    // application leaves exec() at once.
    if (!Reaped(pid, status)) {
      loop.exec();
      ended.setEnabled(false);
      if (!Reaped(pid, status)) {
        ::close(pidfd);
        if (!late) {
          outcome.end = ChildEnd::Abandoned;
          return outcome;
        }
        KillAndReap(pid, status);
        outcome.end = ChildEnd::TimedOut;
        return outcome;
      }
    }
    ::close(pidfd);
  } else {
    // No window to keep going: block on the child, up to the limit.
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!Reaped(pid, status)) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) {
        KillAndReap(pid, status);
        if (pidfd >= 0) ::close(pidfd);
        outcome.end = ChildEnd::TimedOut;
        return outcome;
      }
      if (pidfd >= 0) {
        pollfd p{pidfd, POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(left.count()));
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
    if (pidfd >= 0) ::close(pidfd);
  }
  outcome.end = ChildEnd::Exited;
  outcome.exitCode = ExitCodeOf(status);
  return outcome;
}

}  // namespace platform
