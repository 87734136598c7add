// The monitor's process scan and match as its polling tick makes it, once a
// second over this machine's /proc with 2,000 extra processes (a tenth of them
// stand-ins for games under Wine: named wine64, with a mapped .exe) against a
// watch list of 200 entries that none of them is on. Each tick's CPU time
// (user and system) is shown beside two floors measured in the same run: the
// bare scan, a listing of /proc with one stat() of each entry (the least any
// scan that lists the processes does), and the stat-line scan, which also
// reads each process's stat line (what a watcher that polls /proc pays).
// The steady state is measured once the extra processes are old, as most
// processes of a running system are; the first scan, when they are new.
//
//   bench_monitor_scan [ticks]     (default 60)
//
// On a busy machine the processes its other work starts cost the table more
// than the 2,000 idle ones (each new one is read, and looked at every tick
// while it is young). To measure over a quiet /proc of its own instead:
//
//   unshare --pid --fork --mount-proc bench_monitor_scan
//
// With HELIRYX_BENCH_ANYWHERE=1 a Wine stand-in maps its .exe wherever the
// system puts it (among its libraries, late in its maps) instead of at the
// image base where Wine maps a game.
#include "monitor/poll_loop.h"
#include "platform/process/process_table.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
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

// The stat-line scan: every /proc entry listed and its stat line read.
size_t StatLineScan() {
  size_t seen = 0;
  DIR* dir = ::opendir("/proc");
  if (!dir) return 0;
  int fd = ::dirfd(dir);
  char path[300], line[1024];
  while (dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;
    std::snprintf(path, sizeof path, "%s/stat", entry->d_name);
    int statFd = ::openat(fd, path, O_RDONLY | O_CLOEXEC);
    if (statFd < 0) continue;
    if (::read(statFd, line, sizeof line) > 0) ++seen;
    ::close(statFd);
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

// The extra processes, started at once and ended (and reaped) with the object.
class ExtraProcesses {
 public:
  ExtraProcesses(const std::string& loader, const std::string& prefix) {
    int readyFds[2];
    if (::pipe(waitFds_) != 0 || ::pipe(readyFds) != 0) {
      std::perror("pipe");
      std::exit(1);
    }
    int wineChildren = 0;
    for (int i = 0; i < kExtraProcesses; ++i) {
      bool wine = i % kWineEvery == 0;
      pid_t child = StartIdleChild(waitFds_, readyFds[1], wine ? loader : "", prefix, i / kWineEvery);
      if (child < 0) {
        std::perror("fork");
        break;
      }
      children_.push_back(child);
      wineChildren += wine;
    }
    ::close(waitFds_[0]);
    ::close(readyFds[1]);
    for (int ready = 0; ready < wineChildren;) {  // each stand-in has mapped its file
      char bytes[256];
      ssize_t n = ::read(readyFds[0], bytes, sizeof bytes);
      if (n <= 0) break;
      ready += static_cast<int>(n);
    }
    ::close(readyFds[0]);
    started_ = std::chrono::steady_clock::now();
  }
  ~ExtraProcesses() {
    ::close(waitFds_[1]);
    for (pid_t child : children_) ::waitpid(child, nullptr, 0);
  }
  ExtraProcesses(const ExtraProcesses&) = delete;
  ExtraProcesses& operator=(const ExtraProcesses&) = delete;
  std::chrono::steady_clock::time_point Started() const { return started_; }

 private:
  int waitFds_[2] = {-1, -1};
  std::vector<pid_t> children_;
  std::chrono::steady_clock::time_point started_;
};

struct Figures {
  double median, mean, p99, max;
};
Figures Summary(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  double sum = 0;
  for (double v : values) sum += v;
  // Nearest rank: the smallest value that at least q of them do not exceed.
  auto at = [&](double q) {
    size_t rank = static_cast<size_t>(std::ceil(q * static_cast<double>(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
  };
  return {at(0.5), sum / static_cast<double>(values.size()), at(0.99), values.back()};
}

void PrintFigures(const char* what, const Figures& f) {
  std::printf("  %-18s median %7.3f  mean %7.3f  p99 %7.3f  max %7.3f\n", what, f.median, f.mean, f.p99, f.max);
}

}  // namespace

int main(int argc, char** argv) {
  // A Wine stand-in: maps its game's .exe where Wine maps a 64-bit game, at
  // the image base below its own libraries, and waits.
  if (const char* map = std::getenv("HELIRYX_BENCH_MAP")) {
    int fd = ::open(map, O_RDONLY | O_CLOEXEC);
    void* imageBase = std::getenv("HELIRYX_BENCH_ANYWHERE") ? nullptr : reinterpret_cast<void*>(0x140000000);
    if (fd >= 0 && ::mmap(imageBase, 4096, PROT_READ, MAP_PRIVATE | MAP_FIXED_NOREPLACE, fd, 0) == MAP_FAILED)
      ::mmap(nullptr, 4096, PROT_READ, MAP_PRIVATE, fd, 0);
    char ready = 1;
    if (::write(std::atoi(std::getenv("HELIRYX_BENCH_READY_FD")), &ready, 1) != 1) return 1;
    int wait = std::atoi(std::getenv("HELIRYX_BENCH_WAIT_FD"));
    char byte;
    while (::read(wait, &byte, 1) < 0 && errno == EINTR) {
    }
    return 0;
  }
  int ticks = argc > 1 ? std::max(3, std::atoi(argv[1])) : 60;

  std::string dir = fs::temp_directory_path() / ("heliryx-bench-scan-" + std::to_string(::getpid()));
  std::string prefix = dir + "/home/.wine";
  fs::create_directories(prefix + "/drive_c/Games");
  std::string loader = dir + "/wine64";
  fs::copy_file("/proc/self/exe", loader);
  for (int i = 0; i < kExtraProcesses / kWineEvery; ++i)
    std::ofstream(prefix + "/drive_c/Games/Other" + std::to_string(i) + ".exe", std::ios::binary)
        << std::string(4096, 'M');

  // Each first scan over processes it has not seen: the kernel sets up a
  // process's /proc entries when they are first looked at, which the first
  // scanner pays. So each floor gets fresh processes of its own.
  double firstBare = 0, firstStatLines = 0;
  size_t entries = 0;
  {
    ExtraProcesses extra(loader, prefix);
    double cpu = ThreadCpuMs();
    entries = BareScan();
    firstBare = ThreadCpuMs() - cpu;
  }
  {
    ExtraProcesses extra(loader, prefix);
    double cpu = ThreadCpuMs();
    StatLineScan();
    firstStatLines = ThreadCpuMs() - cpu;
  }
  std::optional<ExtraProcesses> extra;
  extra.emplace(loader, prefix);

  monitor::WatchTable list;
  for (int i = 0; i < 200; ++i)
    list.push_back({"game" + std::to_string(i) + ".scg", "Game" + std::to_string(i) + ".exe"});
  monitor::WatchIndex index(list);
  platform::ProcProcessTable table;

  double cpu = ThreadCpuMs();
  monitor::WatchedProcess found = monitor::FindWatchedProcess(table, index, 1);
  double firstScan = ThreadCpuMs() - cpu;
  // The bare scan again over the table's processes, as earlier versions of
  // this bench compared them (the table has paid for setting them up).
  cpu = ThreadCpuMs();
  BareScan();
  double bareAfter = ThreadCpuMs() - cpu;
  size_t offered = 0;
  table.First([&](const platform::ProcessInfo&) { return ++offered, false; });

  // Ticks at 1 Hz as the monitor makes them. Those before the extra processes
  // are old (and have been looked at once since) are not counted: until then
  // they are looked at more often, as any young process is.
  const platform::ScanPace pace;
  const auto settled = extra->Started() + std::chrono::duration<double>(pace.oldSeconds + pace.sweepSeconds + 5);
  std::vector<double> scans, bares, statLines;
  std::vector<long> pidSteps;
  int settlingTicks = 0;
  long lastPid = LastPid();
  auto next = std::chrono::steady_clock::now();
  while (static_cast<int>(scans.size()) < ticks) {
    next += std::chrono::seconds(1);
    std::this_thread::sleep_until(next);
    long pid = LastPid();
    cpu = ThreadCpuMs();
    found = monitor::FindWatchedProcess(table, index, 1);
    double scanMs = ThreadCpuMs() - cpu;
    if (next < settled) {
      ++settlingTicks;
      lastPid = pid;
      continue;
    }
    std::this_thread::sleep_until(next + std::chrono::milliseconds(330));
    cpu = ThreadCpuMs();
    BareScan();
    double bareMs = ThreadCpuMs() - cpu;
    std::this_thread::sleep_until(next + std::chrono::milliseconds(660));
    cpu = ThreadCpuMs();
    StatLineScan();
    double statLinesMs = ThreadCpuMs() - cpu;
    scans.push_back(scanMs);
    bares.push_back(bareMs);
    statLines.push_back(statLinesMs);
    pidSteps.push_back(pid - lastPid);
    lastPid = pid;
  }

  extra.reset();
  std::error_code ec;
  fs::remove_all(dir, ec);

  Figures scan = Summary(scans), bare = Summary(bares), statLine = Summary(statLines);
  std::sort(pidSteps.begin(), pidSteps.end());
  std::printf("processes            %zu listed in /proc (%d extra, %d of them Wine stand-ins), %zu read by the table\n",
              entries, kExtraProcesses, kExtraProcesses / kWineEvery, offered);
  std::printf("watched game found   %s\n", found.process ? found.process->exeName.c_str() : "none (as intended)");
  std::printf("first scan           %.2f ms CPU; bare scan %.2f ms (ratio %.2f); stat-line scan %.2f ms (ratio %.2f)\n",
              firstScan, firstBare, firstScan / firstBare, firstStatLines, firstScan / firstStatLines);
  std::printf("                     bare scan of the same processes right after it %.2f ms (ratio %.2f)\n", bareAfter,
              firstScan / bareAfter);
  if (std::getenv("HELIRYX_BENCH_ANYWHERE"))
    std::printf("                     (the Wine stand-ins' .exe mapped among their libraries)\n");
  std::printf("steady state, %d ticks at 1 Hz after %d settling ticks (CPU per tick, ms):\n", ticks, settlingTicks);
  PrintFigures("scan", scan);
  PrintFigures("bare scan", bare);
  PrintFigures("stat-line scan", statLine);
  std::printf("  bare / scan        %.1f x (medians), %.1f x (means), %.1f x (p99)\n", bare.median / scan.median,
              bare.mean / scan.mean, bare.p99 / scan.p99);
  std::printf("  stat-line / scan   %.1f x (medians), %.1f x (means), %.1f x (p99)\n", statLine.median / scan.median,
              statLine.mean / scan.mean, statLine.p99 / scan.p99);
  std::printf("  new pids a tick    median %ld, max %ld (this machine's other work)\n", pidSteps[pidSteps.size() / 2],
              pidSteps.back());
  return 0;
}
