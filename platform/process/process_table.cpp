#include "platform/process/process_table.h"

#include "platform/file_system.h"
#include "platform/process/pidfd.h"
#include "platform/text.h"
#include "platform/win_path.h"
#include "platform/wine_drives.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cctype>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

namespace platform {

namespace {

// A small /proc file (stat, status, loadavg) read with one read into `buffer`,
// relative to `dirFd`; empty when it cannot be read.
template <size_t N>
std::string_view ReadSmallFileAt(int dirFd, const char* path, char (&buffer)[N]) {
  int fd = ::openat(dirFd, path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  ssize_t n;
  do n = ::read(fd, buffer, N);
  while (n < 0 && errno == EINTR);
  ::close(fd);
  return n > 0 ? std::string_view(buffer, static_cast<size_t>(n)) : std::string_view();
}

// "PID" or "PID/leaf", relative to the tree's folder, built without allocating.
class PidPath {
 public:
  PidPath(int pid, const char* leaf) {
    char* end = std::to_chars(text_, text_ + 16, pid).ptr;
    if (leaf) {
      *end++ = '/';
      end = std::copy(leaf, leaf + std::strlen(leaf), end);
    }
    *end = '\0';
  }
  const char* c_str() const { return text_; }

 private:
  char text_[40];  // the longest leaf is "status"
};

// The state letter and the start time (fields 3 and 22) of a stat line.
bool ParseStat(std::string_view stat, char& state, unsigned long long& startTime) {
  size_t at = stat.rfind(')');  // the command name may hold blanks and parentheses
  if (at == std::string_view::npos) return false;
  ++at;
  for (int field = 3; field <= 22; ++field) {
    while (at < stat.size() && stat[at] == ' ') ++at;
    size_t end = at;
    while (end < stat.size() && stat[end] != ' ' && stat[end] != '\n') ++end;
    if (end == at) return false;
    if (field == 3) state = stat[at];
    if (field == 22) {
      auto [last, error] = std::from_chars(stat.data() + at, stat.data() + end, startTime);
      return error == std::errc() && last == stat.data() + end;
    }
    at = end;
  }
  return false;
}

bool ReadStat(const std::string& path, char& state, unsigned long long& startTime) {
  char buffer[1024];  // far longer than a stat line
  return ParseStat(ReadSmallFileAt(AT_FDCWD, path.c_str(), buffer), state, startTime);
}

bool Ended(char state) { return state == 'Z' || state == 'X' || state == 'x'; }

bool IsWineLoader(const std::string& exePath) {
  std::string name = FileNamePart(exePath);
  return name == "wine" || name == "wine64" || name == "wine-preloader" || name == "wine64-preloader" ||
         (name.size() > 10 && name.compare(name.size() - 10, 10, "-preloader") == 0 &&
          name.compare(0, 4, "wine") == 0);
}

// The loader a Wine process runs under: the preloader's sibling loader
// ("wine64-preloader" -> "wine64"), else the executable itself.
std::string WineLoaderOf(const std::string& exePath) {
  const std::string tail = "-preloader";
  if (!EndsWithNoCase(exePath, tail)) return exePath;
  return exePath.substr(0, exePath.size() - tail.size());
}

// NUL-separated lists (cmdline, environ).
std::vector<std::string> SplitNul(const std::string& bytes) {
  std::vector<std::string> items;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find('\0', at);
    if (end == std::string::npos) end = bytes.size();
    items.push_back(bytes.substr(at, end - at));
    at = end + 1;
  }
  return items;
}

std::string EnvironmentValue(const std::vector<std::string>& environ, const std::string& name) {
  for (const std::string& entry : environ)
    if (entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 && entry[name.size()] == '=')
      return entry.substr(name.size() + 1);
  return {};
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// Wine's own programs: its PE folders ("wine/x86_64-windows", "wine/i386-windows",
// older "wine/fakedlls") and the prefix's Windows folder.
bool IsWineOwnFile(const std::string& path, const std::string& prefix) {
  if (StartsWithNoCase(path, prefix + "/drive_c/windows/")) return true;
  // The kernel shows mapped files by their real path, also when the prefix was named through a link.
  char real[PATH_MAX];
  if (::realpath(prefix.c_str(), real) && StartsWithNoCase(path, std::string(real) + "/drive_c/windows/"))
    return true;
  std::vector<std::string> parts = SplitOn(path, '/');
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    if (parts[i] != "wine") continue;
    const std::string& next = parts[i + 1];
    if (next == "fakedlls" || (next.size() > 8 && next.compare(next.size() - 8, 8, "-windows") == 0))
      return true;
  }
  return false;
}

// The executable of a Wine process from the files it has mapped: the first
// ".exe" that is not Wine's own.
std::string WineExeFromMaps(const std::string& maps, const std::string& prefix) {
  for (const std::string& line : SplitLines(maps)) {
    // address perms offset dev inode, then the path (which may hold blanks)
    size_t at = 0;
    for (int field = 0; field < 5; ++field) {
      while (at < line.size() && line[at] == ' ') ++at;
      while (at < line.size() && line[at] != ' ') ++at;
    }
    while (at < line.size() && line[at] == ' ') ++at;
    if (at >= line.size() || line[at] != '/') continue;
    std::string path = line.substr(at);
    if (EndsWithNoCase(path, " (deleted)")) continue;
    if (!EndsWithNoCase(path, ".exe") || IsWineOwnFile(path, prefix)) continue;
    return path;
  }
  return {};
}

// Seconds since boot, the clock a process's start time is counted on.
double SecondsSinceBoot() {
  timespec now{};
  ::clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double StartSeconds(unsigned long long startTime) {
  static const double ticksPerSecond = static_cast<double>(::sysconf(_SC_CLK_TCK));
  return static_cast<double>(startTime) / ticksPerSecond;
}

// The last pid the system gave out: the last field of loadavg; -1 when unknown.
long ParseLastPid(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
  size_t blank = text.rfind(' ');
  if (blank == std::string_view::npos) return -1;
  long pid = -1;
  auto [last, error] = std::from_chars(text.data() + blank + 1, text.data() + text.size(), pid);
  return error == std::errc() && last == text.data() + text.size() ? pid : -1;
}

// A thread's id also opens a /proc directory, though only processes are listed:
// true when `pid` is a process (its own thread group's leader).
bool IsThreadGroupLeader(int dirFd, const char* statusPath, int pid) {
  char buffer[4096];
  std::string_view status = ReadSmallFileAt(dirFd, statusPath, buffer);
  size_t at = status.find("\nTgid:");
  if (at == std::string_view::npos) return false;
  at += 7;
  while (at < status.size() && (status[at] == ' ' || status[at] == '\t')) ++at;
  int tgid = 0;
  auto [last, error] = std::from_chars(status.data() + at, status.data() + status.size(), tgid);
  return error == std::errc() && tgid == pid;
}

class ProcWatch : public ProcessWatch {
 public:
  ProcWatch(std::string statPath, unsigned long long startTime, int pidfd)
      : statPath_(std::move(statPath)), startTime_(startTime), pidfd_(pidfd) {}
  ~ProcWatch() override {
    if (pidfd_ >= 0) ::close(pidfd_);
  }
  bool Running() override {
    if (pidfd_ >= 0) {
      pollfd p{pidfd_, POLLIN, 0};
      if (::poll(&p, 1, 0) > 0) return false;  // readable: the process has ended
    }
    char state = 0;
    unsigned long long startTime = 0;
    if (!ReadStat(statPath_, state, startTime)) return false;
    return startTime == startTime_ && !Ended(state);
  }

 private:
  std::string statPath_;
  unsigned long long startTime_;
  int pidfd_;
};

}  // namespace

ProcProcessTable::ProcProcessTable(std::string procRoot, std::string ownHome, ScanPace pace)
    : root_(WithoutTrailingSlashes(std::move(procRoot))), ownHome_(std::move(ownHome)), pace_(pace) {
  if (ownHome_.empty()) {
    const char* home = std::getenv("HOME");
    ownHome_ = home ? home : "";
  }
  rootFd_ = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

ProcProcessTable::~ProcProcessTable() {
  if (rootFd_ >= 0) ::close(rootFd_);
}

bool ProcProcessTable::Read(int pid, const std::string& exeLink, ProcessInfo& info, bool& gameMapped) const {
  info = ProcessInfo{};
  gameMapped = false;
  std::string dir = root_ + "/" + std::to_string(pid);
  std::string exe = exeLink;
  if (exe.empty()) return false;  // not ours to read, a kernel thread, or gone
  if (EndsWithNoCase(exe, " (deleted)")) exe.resize(exe.size() - 10);

  char state = 0;
  if (!ReadStat(dir + "/stat", state, info.startTime) || Ended(state)) return false;
  info.pid = pid;

  std::string path = exe;
  if (IsWineLoader(exe)) {
    std::vector<std::string> environ = SplitNul(ReadFileBytes(dir + "/environ").value_or(""));
    std::string prefix = EnvironmentValue(environ, "WINEPREFIX");
    if (prefix.empty()) {
      std::string home = EnvironmentValue(environ, "HOME");
      prefix = (home.empty() ? ownHome_ : home) + "/.wine";
    }
    prefix = WithoutTrailingSlashes(prefix);
    std::string game = WineExeFromMaps(ReadFileBytes(dir + "/maps").value_or(""), prefix);
    gameMapped = !game.empty();
    if (game.empty()) {
      std::vector<std::string> argv = SplitNul(ReadFileBytes(dir + "/cmdline").value_or(""));
      while (!argv.empty() && argv.back().empty()) argv.pop_back();
      std::string first = argv.empty() ? std::string() : argv[0];
      if (IsWindowsDrivePath(first)) game = WinePathToLinux(prefix, first);
      else if (!first.empty() && first[0] == '/') game = first;
      else if (!first.empty()) {
        std::string cwd = ReadLink(dir + "/cwd");
        if (!cwd.empty()) game = ResolveNoCase(cwd, first);
      }
      // The loader started with no program, or one of Wine's own: not a game.
      if (!EndsWithNoCase(game, ".exe") || IsWineOwnFile(game, prefix)) game.clear();
    }
    if (!game.empty()) {
      path = game;
      info.winePrefix = prefix;
      info.wineLoader = WineLoaderOf(exe);
      for (const char* name : kWineEnvironment) {
        auto entry = std::find_if(environ.begin(), environ.end(),
                                  [&](const std::string& e) { return e.rfind(std::string(name) + "=", 0) == 0; });
        if (entry != environ.end()) info.wineEnvironment.push_back(*entry);
      }
    }
  }
  info.exeName = FileNamePart(path);
  info.exeFolder = FolderPart(path);
  if (info.exeFolder.empty()) info.exeFolder = "/";
  return !info.exeName.empty();
}

std::string ProcProcessTable::ExeLink(int pid) const {
  char buffer[PATH_MAX];
  ssize_t n = ::readlinkat(rootFd_, PidPath(pid, "exe").c_str(), buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

void ProcProcessTable::Resolve(Known& known, double now) const {
  known.lookedAt = scans_;
  known.exeLink = ExeLink(known.pid);
  bool gameMapped = false;
  if (!Read(known.pid, known.exeLink, known.info, gameMapped)) {
    // Unreadable, a kernel thread, or ended: only the sweep looks again.
    known.info = ProcessInfo{};
    known.gameUnmapped = known.waitingForGame = false;
    known.settled = true;
    return;
  }
  // Wine maps the game's .exe a moment after it starts, and a young process
  // may still exec the game: both are looked at again every scan for a while.
  double age = now - StartSeconds(known.info.startTime);
  known.gameUnmapped = IsWineLoader(known.exeLink) && !gameMapped;
  known.waitingForGame = known.gameUnmapped && age < pace_.wineWaitSeconds;
  known.settled = !known.waitingForGame && age >= pace_.youngSeconds;
}

void ProcProcessTable::LookAgain(Known& known, double now, bool sweeping) const {
  if (known.lookedAt == scans_) return;  // already read in this scan
  known.lookedAt = scans_;
  char buffer[PATH_MAX];
  ssize_t n = ::readlinkat(rootFd_, PidPath(known.pid, "exe").c_str(), buffer, sizeof buffer);
  std::string_view link = n > 0 ? std::string_view(buffer, static_cast<size_t>(n)) : std::string_view();
  if (link != known.exeLink || known.waitingForGame || (sweeping && known.gameUnmapped)) Resolve(known, now);
  else if (!known.settled) known.settled = now - StartSeconds(known.info.startTime) >= pace_.youngSeconds;
}

std::vector<ProcProcessTable::Known>::iterator ProcProcessTable::Find(int pid) {
  return std::lower_bound(known_.begin(), known_.end(), pid, [](const Known& k, int p) { return k.pid < p; });
}

void ProcProcessTable::Refresh(double now) {
  char buffer[256];
  long last = ParseLastPid(ReadSmallFileAt(rootFd_, "loadavg", buffer));
  bool list = !scanned_ || last < 0 || lastPid_ < 0 || last < lastPid_ || last - lastPid_ > pace_.probeLimit ||
              now - listedAt_ >= pace_.listingSeconds;
  // A pid is given out a moment before its directory appears, so the last few
  // are probed once more at the next scan.
  constexpr long kTail = 8;
  if (list) ListAll(now);
  else if (last != lastPid_ || tailUnsure_)
    Probe(static_cast<int>(std::max(1L, lastPid_ - kTail + 1)), static_cast<int>(last), now);
  tailUnsure_ = list || last != lastPid_;
  lastPid_ = last;
}

void ProcProcessTable::ListAll(double now) {
  listing_.clear();
  if (entries_.empty()) entries_.resize(64 * 1024);
  if (::lseek(rootFd_, 0, SEEK_SET) != 0) return;
  for (;;) {
    ssize_t n = ::getdents64(rootFd_, entries_.data(), entries_.size());
    if (n < 0) return;  // keep what is known rather than lose it
    if (n == 0) break;
    for (ssize_t at = 0; at < n;) {
      const auto* entry = reinterpret_cast<const dirent64*>(entries_.data() + at);
      at += entry->d_reclen;
      const char* name = entry->d_name;
      if (name[0] < '1' || name[0] > '9') continue;
      int pid = 0;
      auto [last, error] = std::from_chars(name, name + std::strlen(name), pid);
      if (error == std::errc() && *last == '\0') listing_.emplace_back(pid, entry->d_ino);
    }
  }
  std::sort(listing_.begin(), listing_.end());
  // The listing and the known processes side by side, both by pid: what is
  // known and listed with the same inode is kept, the rest read anew.
  relisted_.clear();
  relisted_.reserve(listing_.size());
  auto known = known_.begin();
  for (const auto& [pid, inode] : listing_) {
    while (known != known_.end() && known->pid < pid) ++known;  // ended
    if (known != known_.end() && known->pid == pid && known->inode == inode) {
      known->mayBeThread = false;  // the listing holds processes only
      relisted_.push_back(std::move(*known));
    } else {
      Known& added = relisted_.emplace_back();
      added.pid = pid;
      added.inode = inode;
      Resolve(added, now);
    }
  }
  known_.swap(relisted_);
  listedAt_ = now;
}

void ProcProcessTable::Probe(int from, int to, double now) {
  for (int pid = from; pid <= to; ++pid) {
    struct stat st {};
    if (::fstatat(rootFd_, PidPath(pid, nullptr).c_str(), &st, 0) != 0) continue;
    auto known = Find(pid);
    bool present = known != known_.end() && known->pid == pid;
    if (present && known->inode == st.st_ino) continue;
    if (!present) known = known_.emplace(known);
    *known = Known{};
    known->pid = pid;
    known->inode = st.st_ino;
    known->mayBeThread = true;
    Resolve(*known, now);
  }
}

void ProcProcessTable::Sweep(double elapsed, double now) {
  if (known_.empty()) return;
  // A share of the known processes each scan, so each is looked at within sweepSeconds.
  double size = static_cast<double>(known_.size());
  sweepCredit_ = std::min(sweepCredit_ + size * elapsed / pace_.sweepSeconds, size);
  auto count = static_cast<size_t>(sweepCredit_);
  sweepCredit_ -= static_cast<double>(count);
  auto known = Find(sweepFrom_);
  for (; count > 0; --count, ++known) {
    if (known == known_.end()) known = known_.begin();
    // What could not be read (kernel threads, other users' processes) cannot run a game of ours either.
    if (known->settled && !known->exeLink.empty()) LookAgain(*known, now, true);
    sweepFrom_ = known->pid + 1;
  }
}

std::optional<ProcessInfo> ProcProcessTable::First(const std::function<bool(const ProcessInfo&)>& wanted) {
  double now = SecondsSinceBoot();
  double elapsed = scanned_ ? now - lastScan_ : 0;
  ++scans_;
  Refresh(now);
  Sweep(elapsed, now);
  scanned_ = true;
  lastScan_ = now;
  for (Known& process : known_) {
    if (!process.settled) LookAgain(process, now, false);
    if (process.thread || process.info.exeName.empty() || !wanted(process.info)) continue;
    // Only the process taken is checked against the system now.
    if (process.mayBeThread) {
      process.mayBeThread = false;
      process.thread = !IsThreadGroupLeader(rootFd_, PidPath(process.pid, "status").c_str(), process.pid);
      if (process.thread) continue;  // its process is listed under its own pid
    }
    char buffer[1024];
    char state = 0;
    unsigned long long startTime = 0;
    if (ParseStat(ReadSmallFileAt(rootFd_, PidPath(process.pid, "stat").c_str(), buffer), state, startTime) &&
        !Ended(state) && startTime == process.info.startTime)
      return process.info;
    Resolve(process, now);  // ended, or the pid was reused and the inode did not show it
    if (!process.info.exeName.empty() && wanted(process.info)) return process.info;
  }
  return std::nullopt;
}

std::unique_ptr<ProcessWatch> ProcProcessTable::Watch(const ProcessInfo& process) {
  std::string statPath = root_ + "/" + std::to_string(process.pid) + "/stat";
  int pidfd = root_ == "/proc" ? PidFdOpen(process.pid) : -1;
  auto watch = std::make_unique<ProcWatch>(statPath, process.startTime, pidfd);
  // Checked after the pidfd is open, so the pidfd is known to be the listed process.
  if (!watch->Running()) return nullptr;
  return watch;
}

}  // namespace platform
