#include "testing/test_support.h"

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace fs = std::filesystem;

namespace testing_support {

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  std::string base = HELIRYX_TEST_TMP;
  fs::create_directories(base);
  path_ = base + "/t" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  if (!std::getenv("HELIRYX_KEEP_TEST_FILES")) fs::remove_all(path_, ec);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool AgeFile(const std::string& path) {
  struct timespec times[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 3600, 0}};
  return ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void MakeFolders(const std::string& path) { fs::create_directories(path); }

ScopedEnv::ScopedEnv(std::string name, const std::string& value) : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) saved_ = old;
  ::setenv(name_.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (saved_)
    ::setenv(name_.c_str(), saved_->c_str(), 1);
  else
    ::unsetenv(name_.c_str());
}

TempInstall::TempInstall(const std::vector<std::string>& programs, bool withShippedContent) {
  for (const std::string& program : programs) {
    fs::path from = fs::path(HELIRYX_INSTALL_DIR) / program;
    fs::path to = fs::path(folder_.Path()) / program;
    std::error_code ec;
    fs::create_hard_link(from, to, ec);  // cheap, and the program folder stays this folder
    if (ec) fs::copy_file(from, to, fs::copy_options::overwrite_existing);
  }
  if (withShippedContent) {
    for (const char* sub : {"scg", "games", "crv", "ryx"}) {
      fs::path from = fs::path(HELIRYX_SOURCE_DIR) / "install" / sub;
      if (fs::exists(from)) fs::copy(from, fs::path(folder_.Path()) / sub, fs::copy_options::recursive);
    }
  }
}

std::map<std::string, std::string> TempInstall::Environment() const {
  return {{"XDG_CONFIG_HOME", config_.Path()}, {"QT_QPA_PLATFORM", "offscreen"}};
}

static std::vector<std::string> BuildEnvironment(const std::map<std::string, std::string>& extra) {
  std::map<std::string, std::string> merged;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    size_t eq = entry.find('=');
    if (eq != std::string::npos) merged[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [k, v] : extra) merged[k] = v;
  std::vector<std::string> out;
  for (const auto& [k, v] : merged) out.push_back(k + "=" + v);
  return out;
}

static int Spawn(const std::string& program, const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env, const std::string& outPath,
                 const std::string& errPath) {
  std::vector<std::string> argvStore{program};
  argvStore.insert(argvStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argvStore) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStore = BuildEnvironment(env);
  std::vector<char*> envp;
  for (auto& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + program);
  return pid;
}

static std::string TempOutput(const char* kind) {
  static std::atomic<int> counter{0};
  return std::string(HELIRYX_TEST_TMP) + "/out-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "." +
         kind;
}

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& env, int timeoutMs) {
  std::string outPath = TempOutput("out"), errPath = TempOutput("err");
  pid_t pid = Spawn(program, args, env, outPath, errPath);
  RunResult result;
  int status = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      result.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!result.timedOut && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  ::unlink(outPath.c_str());
  ::unlink(errPath.c_str());
  return result;
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::map<std::string, std::string>& env)
    : outPath_(TempOutput("out")), errPath_(TempOutput("err")) {
  pid_ = Spawn(program, args, env, outPath_, errPath_);
}

ChildProcess::~ChildProcess() {
  if (!reaped_ && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  ::unlink(outPath_.c_str());
  ::unlink(errPath_.c_str());
}

bool ChildProcess::Running() {
  if (reaped_) return false;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == pid_) {
    reaped_ = true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
  }
  return true;
}

int ChildProcess::Wait(int timeoutMs) {
  WaitUntil([this] { return !Running(); }, timeoutMs);
  return reaped_ ? status_ : -1;
}

void ChildProcess::Terminate() {
  if (!reaped_) ::kill(pid_, SIGTERM);
}

std::string ChildProcess::Stdout() { return ReadFile(outPath_); }
std::string ChildProcess::Stderr() { return ReadFile(errPath_); }

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

bool SpinUntil(const std::function<bool()>& condition, int timeoutMs) {
  return WaitUntil(
      [&] {
        QCoreApplication::processEvents();
        return condition();
      },
      timeoutMs);
}

std::string GameExeName(const std::string& stem) {
  // The pid keeps apart the runs that go on at once; the random part, a game
  // left running by an earlier run whose pid came round again.
  std::random_device random;
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
  return stem + "-" + std::to_string(::getpid()) + "-" + suffix + ".exe";
}

// Reads every process's executable link: tests look for the programs they
// started by the file they run, whatever name they took.
std::vector<int> ProcessesOf(const std::string& path) {
  std::vector<int> pids;
  DIR* proc = ::opendir("/proc");
  while (dirent* entry = proc ? ::readdir(proc) : nullptr) {
    char target[PATH_MAX];
    std::string link = std::string("/proc/") + entry->d_name + "/exe";
    ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<size_t>(n)) == path) pids.push_back(std::atoi(entry->d_name));
  }
  if (proc) ::closedir(proc);
  return pids;
}

std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path ? path : "/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    std::string candidate = folder + "/" + program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

}  // namespace testing_support
