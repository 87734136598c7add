// The monitor's process scan and match as its polling tick makes it, once a
// second over this machine's /proc with 2,000 extra processes (a tenth of them
// stand-ins for games under Wine: named wine64, with a mapped .exe) against a
// watch list of 200 entries that none of them is on. Each tick's CPU time
// (user and system) is shown beside that of a bare scan in the same run: the
// listing of /proc with one stat() of each entry, the least any scan that
// lists the processes does.
//
//   bench_monitor_scan [ticks]     (default 30, after 12 settling ticks)
#include "monitor/poll_loop.h"
#include "platform/process/process_table.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kExtraProcesses = 2000;
constexpr int kWineEvery = 10;

double ThreadCpuMs() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The bare scan: every /proc entry listed and stat()ed once.
size_t BareScan() {
  size_t seen = 0;
  DIR* dir = ::opendir("/proc");
  if (!dir) return 0;
  int fd = ::dirfd(dir);
  while (dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;
    struct stat st {};
    if (::fstatat(fd, entry->d_name, &st, 0) == 0) ++seen;
  }
  ::closedir(dir);
  return seen;
}

long LastPid() {
  std::ifstream in("/proc/loadavg");
  std::string field, last;
  while (in >> field) last = field;
  return std::atol(last.c_str());
}

// A child that waits until the bench ends (its pipe closes, or the bench dies).
pid_t StartIdleChild(const int (&waitPipe)[2], int readyEnd, const std::string& wineLoader, const std::string& prefix,
                     int number) {
  pid_t pid = ::fork();
  if (pid != 0) return pid;
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  ::close(waitPipe[1]);  // so the bench's close ends the wait
  int readEnd = waitPipe[0];
  if (!wineLoader.empty()) {
    std::string exe = prefix + "/drive_c/Games/Other" + std::to_string(number) + ".exe";
    std::string fdText = std::to_string(readEnd);
    ::setenv("WINEPREFIX", prefix.c_str(), 1);
    ::setenv("HELIRYX_BENCH_MAP", exe.c_str(), 1);
    ::setenv("HELIRYX_BENCH_WAIT_FD", fdText.c_str(), 1);
    ::setenv("HELIRYX_BENCH_READY_FD", std::to_string(readyEnd).c_str(), 1);
    ::execl(wineLoader.c_str(), "wine64", static_cast<char*>(nullptr));
    std::perror("wine64 stand-in");
    char failed = 0;
    if (::write(readyEnd, &failed, 1) != 1) ::_exit(126);
    ::_exit(127);
  }
  char byte;
  while (::read(readEnd, &byte, 1) < 0 && errno == EINTR) {
  }
  ::_exit(0);
}

struct Figures {
  double median, mean, p90, max;
};
Figures Summary(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  double sum = 0;
  for (double v : values) sum += v;
  auto at = [&](double q) { return values[std::min(values.size() - 1, static_cast<size_t>(q * values.size()))]; };
  return {at(0.5), sum / values.size(), at(0.9), values.back()};
}

}  // namespace

int main(int argc, char** argv) {
  // A Wine stand-in: maps its game's .exe and waits.
  if (const char* map = std::getenv("HELIRYX_BENCH_MAP")) {
    int fd = ::open(map, O_RDONLY | O_CLOEXEC);
    if (fd >= 0) ::mmap(nullptr, 4096, PROT_READ, MAP_PRIVATE, fd, 0);
    char ready = 1;
    if (::write(std::atoi(std::getenv("HELIRYX_BENCH_READY_FD")), &ready, 1) != 1) return 1;
    int wait = std::atoi(std::getenv("HELIRYX_BENCH_WAIT_FD"));
    char byte;
    while (::read(wait, &byte, 1) < 0 && errno == EINTR) {
    }
    return 0;
  }
  int ticks = argc > 1 ? std::max(3, std::atoi(argv[1])) : 30;

  std::string dir = fs::temp_directory_path() / ("heliryx-bench-scan-" + std::to_string(::getpid()));
  std::string prefix = dir + "/home/.wine";
  fs::create_directories(prefix + "/drive_c/Games");
  std::string loader = dir + "/wine64";
  fs::copy_file("/proc/self/exe", loader);
  for (int i = 0; i < kExtraProcesses / kWineEvery; ++i)
    std::ofstream(prefix + "/drive_c/Games/Other" + std::to_string(i) + ".exe", std::ios::binary)
        << std::string(4096, 'M');

  int pipeFds[2], readyFds[2];
  if (::pipe(pipeFds) != 0 || ::pipe(readyFds) != 0) return 1;
  std::vector<pid_t> children;
  for (int i = 0; i < kExtraProcesses; ++i)
    children.push_back(
        StartIdleChild(pipeFds, readyFds[1], i % kWineEvery == 0 ? loader : "", prefix, i / kWineEvery));
  ::close(pipeFds[0]);
  ::close(readyFds[1]);
  for (int ready = 0; ready < kExtraProcesses / kWineEvery;) {  // each stand-in has mapped its file
    char bytes[256];
    ssize_t n = ::read(readyFds[0], bytes, sizeof bytes);
    if (n <= 0) break;
    ready += static_cast<int>(n);
  }
  ::close(readyFds[0]);

  monitor::WatchTable list;
  for (int i = 0; i < 200; ++i) list.push_back({"game" + std::to_string(i) + ".scg", "Game" + std::to_string(i) + ".exe"});
  monitor::WatchIndex index(list);
  platform::ProcProcessTable table;

  // The first scan reads every process; the bare scan follows it.
  double cpu = ThreadCpuMs();
  monitor::WatchedProcess found = monitor::FindWatchedProcess(table, index);
  double firstScan = ThreadCpuMs() - cpu;
  cpu = ThreadCpuMs();
  size_t entries = BareScan();
  double firstBare = ThreadCpuMs() - cpu;
  size_t offered = 0;
  table.First([&](const platform::ProcessInfo&) { return ++offered, false; });

  // Ticks at 1 Hz as the monitor makes them. The first 12 are not counted:
  // until the extra processes are 10 s old they are looked at every tick, as
  // any new process is.
  constexpr int kSettling = 12;
  std::vector<double> scans, bares;
  std::vector<long> pidSteps;
  long lastPid = LastPid();
  auto next = std::chrono::steady_clock::now();
  for (int tick = 0; tick < kSettling + ticks; ++tick) {
    next += std::chrono::seconds(1);
    std::this_thread::sleep_until(next);
    long pid = LastPid();
    cpu = ThreadCpuMs();
    found = monitor::FindWatchedProcess(table, index);
    double scanMs = ThreadCpuMs() - cpu;
    std::this_thread::sleep_until(next + std::chrono::milliseconds(500));
    cpu = ThreadCpuMs();
    BareScan();
    double bareMs = ThreadCpuMs() - cpu;
    if (tick >= kSettling) {
      scans.push_back(scanMs);
      bares.push_back(bareMs);
      pidSteps.push_back(pid - lastPid);
    }
    lastPid = pid;
  }

  ::close(pipeFds[1]);
  for (pid_t child : children) ::waitpid(child, nullptr, 0);
  std::error_code ec;
  fs::remove_all(dir, ec);

  Figures scan = Summary(scans), bare = Summary(bares);
  std::sort(pidSteps.begin(), pidSteps.end());
  std::printf("processes            %zu listed in /proc (%d extra, %d of them Wine stand-ins), %zu read by the table\n",
              entries, kExtraProcesses, kExtraProcesses / kWineEvery, offered);
  std::printf("watched game found   %s\n", found.process ? found.process->exeName.c_str() : "none (as intended)");
  std::printf("first scan           %.2f ms CPU; bare scan %.2f ms; ratio %.1f\n", firstScan, firstBare,
              firstScan / firstBare);
  std::printf("steady state, %d ticks at 1 Hz (CPU per tick, ms):\n", ticks);
  std::printf("  scan               median %.3f  mean %.3f  p90 %.3f  max %.3f\n", scan.median, scan.mean, scan.p90,
              scan.max);
  std::printf("  bare scan          median %.3f  mean %.3f  p90 %.3f  max %.3f\n", bare.median, bare.mean, bare.p90,
              bare.max);
  std::printf("  bare / scan        %.1f x (medians), %.1f x (means)\n", bare.median / scan.median, bare.mean / scan.mean);
  std::printf("  new pids a tick    median %ld, max %ld (this machine's other work)\n", pidSteps[pidSteps.size() / 2],
              pidSteps.back());
  return 0;
}
