#include "platform/process/process_table.h"

#include "platform/file_system.h"
#include "platform/process/pidfd.h"
#include "platform/process/proc_files.h"
#include "platform/text.h"
#include "platform/wine/wine_process.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <poll.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

using namespace proc;

namespace {

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
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

// When a process read `now` is looked at again: every scan while it is young
// (it may still exec a game) and while a Wine loader waits for its game's .exe;
// later within a time that grows with its age. The time is spread by pid, so
// that processes started together do not all come due in one scan.
double NextLook(const ScanPace& pace, double now, double age, bool waitingForGame, int pid) {
  if (age < pace.youngSeconds || waitingForGame) return now;
  double within = age < pace.oldSeconds ? pace.sweepSeconds : pace.oldSweepSeconds;
  double spread = 0.5 + 0.5 * std::fmod(static_cast<double>(pid) * 0.6180339887498949, 1.0);
  return now + within * spread;
}

}  // namespace

double ProcProcessTable::SystemClock::Now() { return SecondsSinceBoot(); }

ProcProcessTable::ProcProcessTable(std::string procRoot, std::string ownHome, ScanPace pace, BootClock* clock)
    : root_(WithoutTrailingSlashes(std::move(procRoot))),
      ownHome_(std::move(ownHome)),
      pace_(pace),
      clock_(clock ? *clock : systemClock_) {
  if (ownHome_.empty()) {
    const char* home = std::getenv("HOME");
    ownHome_ = home ? home : "";
  }
  rootFd_ = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

ProcProcessTable::~ProcProcessTable() {
  if (rootFd_ >= 0) ::close(rootFd_);
}

const std::string& ProcProcessTable::RealPrefix(const std::string& prefix) {
  for (const auto& [given, real] : realPrefixes_)
    if (given == prefix) return real;
  char real[PATH_MAX];
  return realPrefixes_.emplace_back(prefix, ::realpath(prefix.c_str(), real) ? real : "").second;
}

bool ProcProcessTable::Read(int pid, std::string_view exeLink, ProcessInfo& info, bool& gameMapped) {
  info = ProcessInfo{};
  gameMapped = false;
  std::string_view exe = exeLink;
  if (exe.empty()) return false;  // not ours to read, a kernel thread, or gone
  if (EndsWithNoCase(exe, " (deleted)")) exe.remove_suffix(10);

  char stat[1024];  // far longer than a stat line
  char state = 0;
  if (!ParseStat(ReadSmallFileAt(rootFd_, PidPath(pid, "stat").c_str(), stat), state, info.startTime) || Ended(state))
    return false;
  info.pid = pid;

  std::string game;  // the Windows program a Wine loader runs
  if (IsWineLoader(exe)) {
    ReadWholeFileAt(rootFd_, PidPath(pid, "environ").c_str(), environ_);
    std::string prefix =
        WinePrefixOf(EnvironmentValue(environ_, "WINEPREFIX"), EnvironmentValue(environ_, "HOME"), ownHome_);
    WineOwnFiles own(prefix, RealPrefix(prefix));
    // A game's maps runs to thousands of lines: read only as far as its .exe.
    ScanLinesAt(rootFd_, PidPath(pid, "maps").c_str(), [&](std::string_view line) {
      game = WineExeOfMapsLine(line, own);
      return !game.empty();
    });
    gameMapped = !game.empty();
    if (game.empty()) {
      std::string dir = root_ + "/" + std::to_string(pid);
      std::vector<std::string> argv = SplitNul(ReadFileBytes(dir + "/cmdline").value_or(""));
      while (!argv.empty() && argv.back().empty()) argv.pop_back();
      std::string first = argv.empty() ? std::string() : argv[0];
      game = WineGameOfArgument(prefix, first, NamesRelativeToStart(first) ? ReadLink(dir + "/cwd") : "", own);
    }
    if (!game.empty()) {
      info.winePrefix = prefix;
      info.wineLoader = WineLoaderOf(exe);
      for (const char* name : kWineEnvironment)
        if (std::optional<std::string_view> entry = EnvironmentEntry(environ_, name))
          info.wineEnvironment.emplace_back(*entry);
    }
  }
  std::string_view path = game.empty() ? exe : std::string_view(game);
  size_t slash = path.find_last_of("/\\");
  info.exeName = slash == std::string_view::npos ? path : path.substr(slash + 1);
  info.exeFolder = slash == std::string_view::npos || slash == 0 ? "/" : path.substr(0, slash);
  return !info.exeName.empty();
}

std::string ProcProcessTable::ExeLink(int pid) const {
  char buffer[PATH_MAX];
  ssize_t n = ::readlinkat(rootFd_, PidPath(pid, "exe").c_str(), buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

bool ProcProcessTable::StillThere(const Known& known) const {
  struct stat st {};
  if (::fstatat(rootFd_, PidPath(known.pid, nullptr).c_str(), &st, 0) == 0) return true;
  return errno != ENOENT && errno != ESRCH;
}

void ProcProcessTable::Schedule(Known& known, double nextLook) {
  known.nextLook = nextLook;
  due_.emplace_back(nextLook, known.pid);
  std::push_heap(due_.begin(), due_.end(), std::greater<>());
}

ProcProcessTable::Known* ProcProcessTable::Find(int pid) {
  auto at = std::lower_bound(known_.begin(), known_.end(), pid, [](const Known& k, int p) { return k.pid < p; });
  return at != known_.end() && at->pid == pid ? &*at : nullptr;
}

bool ProcProcessTable::Offerable(const Known& known) const {
  return !known.gone && !known.thread && !known.info.exeName.empty();
}

void ProcProcessTable::Resolve(Known& known, double now) {
  known.lookedAt = scans_;
  known.exeLink = ExeLink(known.pid);
  known.asked = known.wanted = false;
  if (kept_) {
    unasked_.push_back(known.pid);
    // Kept answers no scan asks for are not worth keeping.
    if (unasked_.size() > known_.size() + 64) kept_ = false, unasked_.clear(), wantedPids_.clear();
  }
  bool gameMapped = false;
  if (!Read(known.pid, known.exeLink, known.info, gameMapped)) {
    // Unreadable, a kernel thread, or ended: looked at again only to see that it is still there.
    known.info = ProcessInfo{};
    known.gameUnmapped = false;
    if (known.exeLink.empty() && !StillThere(known)) MarkGone(known);
    if (!known.gone) Schedule(known, NextLook(pace_, now, pace_.oldSeconds, false, known.pid));
    return;
  }
  double age = now - StartSeconds(known.info.startTime);
  known.gameUnmapped = IsWineLoader(known.exeLink) && !gameMapped;
  Schedule(known, NextLook(pace_, now, age, known.gameUnmapped && age < pace_.wineWaitSeconds, known.pid));
}

void ProcProcessTable::LookAgain(Known& known, double now) {
  if (known.lookedAt == scans_) return;  // already read in this scan
  known.lookedAt = scans_;
  char buffer[PATH_MAX];
  ssize_t n = ::readlinkat(rootFd_, PidPath(known.pid, "exe").c_str(), buffer, sizeof buffer);
  std::string_view link = n > 0 ? std::string_view(buffer, static_cast<size_t>(n)) : std::string_view();
  if (link.empty() && !StillThere(known)) {
    MarkGone(known);
    return;
  }
  if (link != known.exeLink || known.gameUnmapped) {
    Resolve(known, now);
    return;
  }
  double age = known.info.exeName.empty() ? pace_.oldSeconds : now - StartSeconds(known.info.startTime);
  Schedule(known, NextLook(pace_, now, age, false, known.pid));
}

void ProcProcessTable::LookAtDue(double now) {
  // Taken out first: a process looked at now may be due again at once (at the next scan).
  dueNow_.clear();
  while (!due_.empty() && due_.front().first <= now) {
    std::pop_heap(due_.begin(), due_.end(), std::greater<>());
    auto [when, pid] = due_.back();
    due_.pop_back();
    if (Known* known = Find(pid); known && !known->gone && known->nextLook == when) dueNow_.push_back(pid);
  }
  for (int pid : dueNow_)
    if (Known* known = Find(pid)) LookAgain(*known, now);
}

void ProcProcessTable::Refresh(double now) {
  char buffer[256];
  long last = ParseLastPid(ReadSmallFileAt(rootFd_, "loadavg", buffer));
  bool list = !scanned_ || listNext_ || now >= nextListing_ || last < 0 || lastPid_ < 0 || last < lastPid_ ||
              last - probeFrom_ + 1 > pace_.probeLimit;
  if (list) {
    ListAll(now);
    listNext_ = false;
    nextListing_ = now + pace_.listSeconds;
  } else if (probeFrom_ <= last) {
    Probe(static_cast<int>(probeFrom_), static_cast<int>(last), now);
  }
  // A pid is given out a moment before its directory appears, so the pids given
  // out since the last scan are looked for once more at the next one, also
  // after a listing (which may have come a moment too early for them). After
  // the first listing, or one after a wrap, the last few.
  constexpr long kTail = 8;
  bool knownBefore = lastPid_ >= 0 && last >= lastPid_;
  probeFrom_ = knownBefore ? lastPid_ + 1 : std::max(1L, last - kTail + 1);
  lastPid_ = last;
}

void ProcProcessTable::MarkGone(Known& known) {
  if (known.gone) return;
  known.gone = true;
  ++goneMarks_;
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
  if (!std::is_sorted(listing_.begin(), listing_.end())) std::sort(listing_.begin(), listing_.end());
  // The listing side by side with the previous one, both compact and by pid,
  // so that only what changed between them touches the known processes: a pid
  // listed anew or under another inode is read anew (unless a probe has read
  // it since), one no longer listed is dropped (it ended).
  relisted_.clear();
  auto listed = [&](int pid, unsigned long long inode) {
    Known* known = Find(pid);
    if (!known) {
      Known& added = relisted_.emplace_back();
      added.pid = pid;
      added.inode = inode;
    } else if (known->inode == inode && !known->gone) {
      known->mayBeThread = false;  // the listing holds processes only
    } else {
      *known = Known{};
      known->pid = pid;
      known->inode = inode;
      Resolve(*known, now);
    }
  };
  auto unlisted = [&](int pid) {
    if (Known* known = Find(pid)) MarkGone(*known);
  };
  auto before = listed_.begin(), after = listing_.begin();
  while (before != listed_.end() || after != listing_.end()) {
    if (after == listing_.end() || (before != listed_.end() && before->first < after->first)) {
      unlisted((before++)->first);
    } else if (before == listed_.end() || after->first < before->first) {
      listed(after->first, after->second);
      ++after;
    } else {
      if (before->second != after->second) listed(after->first, after->second);
      ++before, ++after;
    }
  }
  // A process found by probing since the last listing that this one does not
  // hold has ended, or was a thread.
  for (int pid : probed_) {
    Known* known = Find(pid);
    if (!known || known->gone) continue;
    if (std::binary_search(listing_.begin(), listing_.end(), std::pair(pid, known->inode)))
      known->mayBeThread = false;
    else
      MarkGone(*known);
  }
  probed_.clear();
  listed_.swap(listing_);
  if (relisted_.empty()) return;
  const auto old = static_cast<std::ptrdiff_t>(known_.size());
  for (Known& added : relisted_) known_.push_back(std::move(added));
  auto byPid = [](const Known& a, const Known& b) { return a.pid < b.pid; };
  if (old > 0 && byPid(known_[static_cast<size_t>(old)], known_[static_cast<size_t>(old - 1)]))
    std::inplace_merge(known_.begin(), known_.begin() + old, known_.end(), byPid);
  // Read once they are in place (Resolve may look them up).
  for (const Known& listedNow : relisted_)
    if (Known* added = Find(listedNow.pid); added && added->lookedAt != scans_) Resolve(*added, now);
}

void ProcProcessTable::Probe(int from, int to, double now) {
  // New pids come in ascending order, mostly above every known one: appended,
  // then merged in when the pids have wrapped.
  const size_t before = known_.size();
  for (int pid = from; pid <= to; ++pid) {
    struct stat st {};
    if (::fstatat(rootFd_, PidPath(pid, nullptr).c_str(), &st, 0) != 0) continue;
    auto old = std::lower_bound(known_.begin(), known_.begin() + static_cast<std::ptrdiff_t>(before), pid,
                                [](const Known& k, int p) { return k.pid < p; });
    bool present = old != known_.begin() + static_cast<std::ptrdiff_t>(before) && old->pid == pid;
    if (present && old->inode == st.st_ino && !old->gone) continue;
    Known& known = present ? *old : known_.emplace_back();
    known = Known{};
    known.pid = pid;
    known.inode = st.st_ino;
    known.mayBeThread = true;
    probed_.push_back(pid);
    Resolve(known, now);
  }
  auto middle = known_.begin() + static_cast<std::ptrdiff_t>(before);
  auto byPid = [](const Known& a, const Known& b) { return a.pid < b.pid; };
  if (before > 0 && middle != known_.end() && byPid(*middle, *(middle - 1)))
    std::inplace_merge(known_.begin(), middle, known_.end(), byPid);
}

void ProcProcessTable::Scan(double now) {
  ++scans_;
  realPrefixes_.clear();
  // What has gone is dropped once it is worth a walk over all.
  if (goneMarks_ > known_.size() / 8 + 16) {
    std::erase_if(known_, [](const Known& k) { return k.gone; });
    goneMarks_ = 0;
  }
  // Those due first: what is found new now is due again from the next scan on.
  LookAtDue(now);
  Refresh(now);
  scanned_ = true;
}

bool ProcProcessTable::Confirm(Known& process, double now) {
  // Only the process taken is checked against the system now.
  if (process.mayBeThread) {
    process.mayBeThread = false;
    process.thread = !IsThreadGroupLeader(rootFd_, PidPath(process.pid, "status").c_str(), process.pid);
    if (process.thread) return false;  // its process is listed under its own pid
  }
  char buffer[1024];
  char state = 0;
  unsigned long long startTime = 0;
  if (ParseStat(ReadSmallFileAt(rootFd_, PidPath(process.pid, "stat").c_str(), buffer), state, startTime) &&
      !Ended(state) && startTime == process.info.startTime)
    return true;
  Resolve(process, now);  // ended, or the pid was reused and the inode did not show it
  return false;
}

std::optional<ProcessInfo> ProcProcessTable::First(const std::function<bool(const ProcessInfo&)>& wanted) {
  double now = clock_.Now();
  Scan(now);
  for (Known& process : known_) {
    if (!Offerable(process) || !wanted(process.info)) continue;
    if (Confirm(process, now)) return process.info;
    if (Offerable(process) && wanted(process.info)) return process.info;  // read just now
  }
  return std::nullopt;
}

std::optional<ProcessInfo> ProcProcessTable::FirstKept(const std::function<bool(const ProcessInfo&)>& wanted,
                                                       unsigned long wantedVersion) {
  double now = clock_.Now();
  Scan(now);
  auto ask = [&](Known& known) {
    known.asked = true;
    known.wanted = Offerable(known) && wanted(known.info);
    return known.wanted;
  };
  if (!kept_ || wantedVersion != keptVersion_) {
    kept_ = true;
    keptVersion_ = wantedVersion;
    unasked_.clear();
    wantedPids_.clear();
    for (Known& known : known_)
      if (ask(known)) wantedPids_.push_back(known.pid);
  } else {
    for (int pid : unasked_) {
      Known* known = Find(pid);
      if (!known || known->asked) continue;
      auto at = std::lower_bound(wantedPids_.begin(), wantedPids_.end(), pid);
      bool listed = at != wantedPids_.end() && *at == pid;
      if (ask(*known) && !listed)
        wantedPids_.insert(at, pid);
      else if (!known->wanted && listed)
        wantedPids_.erase(at);
    }
    unasked_.clear();
  }
  // The wanted ones in pid order; one that has gone or is wanted no longer is let go.
  for (size_t i = 0; i < wantedPids_.size();) {
    Known* process = Find(wantedPids_[i]);
    if (process && process->wanted && Offerable(*process)) {
      if (Confirm(*process, now)) return process->info;
      if (ask(*process)) return process->info;  // read just now
    }
    wantedPids_.erase(wantedPids_.begin() + static_cast<std::ptrdiff_t>(i));
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
