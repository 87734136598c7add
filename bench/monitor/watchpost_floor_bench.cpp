// The real watchpost at -r 1 beside the bare timer (bench_bare_timer), over the
// same seconds: the CPU each uses in a second, from its threads' schedstat,
// once 2,000 idle processes are old, with a watch list of 200 entries. Each run
// has a PID namespace of its own (the bench starts itself again under
// `unshare --pid --fork --mount-proc` when it can), so that only its own
// processes are listed.
//
//   bench_watchpost_floor [runs]     (default 3)
//
// HELIRYX_BENCH_SETTLE (default 150) and HELIRYX_BENCH_SECONDS (default 60)
// set the seconds before and of each measurement.
#include "testing/test_support.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

constexpr int kIdleProcesses = 2000;

// The CPU time of all of a process's threads so far, in ms.
double CpuMs(int pid) {
  std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  double ns = 0;
  DIR* dir = ::opendir(tasks.c_str());
  if (!dir) return -1;
  while (dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    std::string stat = ReadFile(tasks + "/" + entry->d_name + "/schedstat");
    ns += std::atof(stat.c_str());  // the first field: time on a CPU
  }
  ::closedir(dir);
  return ns / 1e6;
}

class IdleProcesses {
 public:
  IdleProcesses() {
    if (::pipe(fds_) != 0) std::exit(1);
    for (int i = 0; i < kIdleProcesses; ++i) {
      pid_t pid = ::fork();
      if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::close(fds_[1]);
        char byte;
        while (::read(fds_[0], &byte, 1) < 0 && errno == EINTR) {
        }
        ::_exit(0);
      }
      if (pid > 0) children_.push_back(pid);
    }
    ::close(fds_[0]);
  }
  ~IdleProcesses() {
    ::close(fds_[1]);
    for (pid_t child : children_) ::waitpid(child, nullptr, 0);
  }
  IdleProcesses(const IdleProcesses&) = delete;
  IdleProcesses& operator=(const IdleProcesses&) = delete;

 private:
  int fds_[2] = {-1, -1};
  std::vector<pid_t> children_;
};

struct Figures {
  double mean, p95, max;
};

Figures Summary(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  double sum = 0;
  for (double v : values) sum += v;
  size_t rank = static_cast<size_t>(std::ceil(0.95 * static_cast<double>(values.size())));
  return {sum / static_cast<double>(values.size()), values[std::clamp<size_t>(rank, 1, values.size()) - 1],
          values.back()};
}

int Seconds(const char* name, int fallback) {
  const char* text = std::getenv(name);
  return text ? std::max(1, std::atoi(text)) : fallback;
}

// One run; the ratio of the means (watchpost / bare timer), or -1.
double Run(const std::string& bareTimer) {
  TempInstall install({"watchpost", "ryxcontrol"});
  for (int i = 0; i < 200; ++i)
    WriteFile(install / ("scg/other" + std::to_string(i) + ".scg"),
              "[VERSION]\r\nVERSION=6.1\r\n[CONFIGURATION]\r\nHIDE_FILE=FALSE\r\nEXECUTABLE=\"other" +
                  std::to_string(i) + ".exe\"\r\n");
  const std::string mailbox = install / "watchpost.ini";
  IdleProcesses idle;
  ChildProcess monitor(install / "watchpost", {"-r", "1"}, install.Environment());
  ChildProcess bare(bareTimer, {mailbox}, install.Environment());
  if (!WaitUntil([&] { return ReadFile(mailbox).find("ACTIVE") != std::string::npos; })) {
    std::fprintf(stderr, "watchpost did not start: %s\n", monitor.Stderr().c_str());
    return -1;
  }
  const int settle = Seconds("HELIRYX_BENCH_SETTLE", 150), seconds = Seconds("HELIRYX_BENCH_SECONDS", 60);
  auto next = std::chrono::steady_clock::now() + std::chrono::seconds(settle);
  std::this_thread::sleep_until(next);
  std::vector<double> monitorMs, bareMs;
  double monitorBefore = CpuMs(monitor.Pid()), bareBefore = CpuMs(bare.Pid());
  for (int s = 0; s < seconds; ++s) {
    next += std::chrono::seconds(1);
    std::this_thread::sleep_until(next);
    double m = CpuMs(monitor.Pid()), b = CpuMs(bare.Pid());
    monitorMs.push_back(m - monitorBefore);
    bareMs.push_back(b - bareBefore);
    monitorBefore = m;
    bareBefore = b;
  }
  if (!monitor.Running() || !bare.Running()) {
    std::fprintf(stderr, "a program ended during the run: %s\n", monitor.Stderr().c_str());
    return -1;
  }
  RunProgram(install / "watchpost", {"-k"}, install.Environment());
  monitor.Wait(10000);
  bare.Terminate();
  bare.Wait();
  Figures w = Summary(monitorMs), f = Summary(bareMs);
  if (std::getenv("HELIRYX_BENCH_SERIES")) {
    for (size_t i = 0; i < monitorMs.size(); ++i)
      std::printf("  second %2zu: watchpost %.3f  bare %.3f\n", i, monitorMs[i], bareMs[i]);
  }
  std::printf("  watchpost -r 1  mean %.3f  p95 %.3f  max %.3f ms CPU a second\n", w.mean, w.p95, w.max);
  std::printf("  bare timer      mean %.3f  p95 %.3f  max %.3f ms CPU a second\n", f.mean, f.p95, f.max);
  std::printf("  ratio           %.2f x (means)\n", w.mean / f.mean);
  std::fflush(stdout);
  return w.mean / f.mean;
}

}  // namespace

int main(int argc, char** argv) {
  if (::getpid() != 1 && !std::getenv("HELIRYX_BENCH_NAMESPACE")) {
    // Once more in a PID namespace of its own; here if that cannot be had.
    ::setenv("HELIRYX_BENCH_NAMESPACE", "1", 1);
    std::vector<char*> args = {const_cast<char*>("unshare"), const_cast<char*>("--pid"), const_cast<char*>("--fork"),
                               const_cast<char*>("--mount-proc")};
    std::string self = fs::canonical("/proc/self/exe");
    args.push_back(self.data());
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);
    pid_t child = ::fork();
    if (child == 0) {
      ::execvp("unshare", args.data());
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) != 127) return WEXITSTATUS(status);
    std::fprintf(stderr, "no PID namespace of its own (unshare failed): measuring among this machine's processes\n");
  }
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const std::string bareTimer = fs::canonical("/proc/self/exe").parent_path() / "bench_bare_timer";
  std::printf("%d idle processes (%s), watch list of 200 entries, %d s after their start, over %d s\n", kIdleProcesses,
              ::getpid() == 1 ? "PID namespace of its own" : "among this machine's processes",
              Seconds("HELIRYX_BENCH_SETTLE", 150), Seconds("HELIRYX_BENCH_SECONDS", 60));
  std::vector<double> ratios;
  for (int run = 1; run <= runs; ++run) {
    std::printf("run %d:\n", run);
    std::fflush(stdout);
    double ratio = Run(bareTimer);
    if (ratio < 0) return 1;
    ratios.push_back(ratio);
  }
  std::sort(ratios.begin(), ratios.end());
  std::printf("ratio over %d runs: min %.2f  median %.2f  max %.2f\n", runs, ratios.front(), ratios[ratios.size() / 2],
              ratios.back());
  return 0;
}
