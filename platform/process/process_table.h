// The running processes, as the monitor compares them with its watch list: every
// process whose executable can be read, by executable file name and folder. A
// Windows game run under Wine is listed under its Windows executable (the Wine
// loader is only the program that runs it), with its folder as a Linux path.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ProcessInfo {
  std::string exeName;  // file name, no folder ("quake3.exe" for a game under Wine)
  int pid = 0;
  std::string exeFolder;             // Linux folder, without a trailing "/"
  unsigned long long startTime = 0;  // when the process started; a reused pid differs
  std::string winePrefix;            // the Wine prefix a Windows game runs in; empty for a native program
  // For a game under Wine: the loader that runs it, and its variables of
  // kWineEnvironment ("NAME=value", those it has). Writing into the prefix with
  // these reaches the wineserver that serves the game.
  std::string wineLoader;
  std::vector<std::string> wineEnvironment;
};

// The variables that decide which Wine, prefix and wineserver a Wine program
// uses (Wine keeps the server's socket below TMPDIR).
inline constexpr const char* kWineEnvironment[] = {"WINEPREFIX", "WINESERVER", "WINELOADER", "WINEARCH",
                                                   "TMPDIR",     "HOME",       "USER"};

// A process opened for waiting: it answers "still running" for that process
// only, also when its pid has meanwhile been given to another one.
class ProcessWatch {
 public:
  virtual ~ProcessWatch() = default;
  // False once the process has ended (a zombie counts as ended).
  virtual bool Running() = 0;
};

class ProcessTable {
 public:
  virtual ~ProcessTable() = default;
  // The first running process, in the order the system lists them (ascending
  // pid), that `wanted` accepts; none when it accepts none. `wanted` may see
  // processes that have ended since; the one returned is running.
  virtual std::optional<ProcessInfo> First(const std::function<bool(const ProcessInfo&)>& wanted) = 0;
  // As First, for a `wanted` whose answer depends on the ProcessInfo alone and
  // stays the same for as long as `wantedVersion` does: the table may keep its
  // answer for each process until it reads that process again or is given
  // another version, so that a scan asks only about what it has read anew.
  virtual std::optional<ProcessInfo> FirstKept(const std::function<bool(const ProcessInfo&)>& wanted,
                                               [[maybe_unused]] unsigned long wantedVersion) {
    return First(wanted);
  }
  // The next scan lists every process and compares the listing with what it
  // keeps, instead of looking only for the newest: for a moment after which
  // nothing may stay unseen (monitoring resumes).
  virtual void LookAtAllNextScan() {}
  // Null when the process has already gone.
  virtual std::unique_ptr<ProcessWatch> Watch(const ProcessInfo& process) = 0;
};

// Seconds since boot, the clock a process's start time is counted on. The
// table's tests stand in for it to pass minutes in no time.
class BootClock {
 public:
  virtual ~BootClock() = default;
  virtual double Now() = 0;
};

// How often the table looks again at what it has already read.
struct ScanPace {
  double youngSeconds = 10;      // a process this young may still exec a game: looked at every scan
  double wineWaitSeconds = 30;   // a Wine loader is looked at every scan this long for its game's .exe
  double sweepSeconds = 30;      // an older process is looked at again within this...
  double oldSeconds = 120;       // ...until it is this old: wrappers exec their game within seconds
  double oldSweepSeconds = 300;  // an old process is looked at again within this
  int probeLimit = 256;          // more new pids than this since the last scan: list instead of probing
  double listSeconds = 60;       // the tree is listed at least this often: it finds what probing missed
};

// The table over a /proc tree. `procRoot` is "/proc" for the real system; a
// tree of the same shape (exe and cwd links; cmdline, environ, maps, stat and
// status files, and loadavg) stands in for it in tests. `ownHome` is where a
// Wine process without WINEPREFIX and HOME in its environment keeps its prefix.
//
// A process is read once and kept, keyed by its pid and its directory's inode
// (which changes when the pid is reused), and looked at again on the schedule
// of ScanPace; one whose directory has gone by then is dropped. A scan touches
// only the processes that are due, found in a queue by time. New processes
// come from the last pid given out (loadavg): the pids given out since are
// probed. The tree is listed (and compared by inode) on the first scan, when
// the pids wrapped, when more than probeLimit are new, when asked to look at
// all, and every listSeconds in any case: a process whose directory appeared
// just after it was probed, or whose pid came round again unseen, is found
// then. The scan after a listing probes again what the listing covered.
class ProcProcessTable : public ProcessTable {
 public:
  // `clock` stands in for the system's when given.
  explicit ProcProcessTable(std::string procRoot = "/proc", std::string ownHome = "", ScanPace pace = {},
                            BootClock* clock = nullptr);
  ~ProcProcessTable() override;
  ProcProcessTable(const ProcProcessTable&) = delete;
  ProcProcessTable& operator=(const ProcProcessTable&) = delete;
  std::optional<ProcessInfo> First(const std::function<bool(const ProcessInfo&)>& wanted) override;
  std::optional<ProcessInfo> FirstKept(const std::function<bool(const ProcessInfo&)>& wanted,
                                       unsigned long wantedVersion) override;
  void LookAtAllNextScan() override { listNext_ = true; }
  std::unique_ptr<ProcessWatch> Watch(const ProcessInfo& process) override;

 private:
  // What one process was read as, kept between scans.
  struct Known {
    int pid = 0;
    unsigned long long inode = 0;  // of its /proc directory
    std::string exeLink;           // as last read; another target means the process ran exec
    ProcessInfo info;              // no exeName: nothing to offer (unreadable, a kernel thread, ended)
    bool gameUnmapped = false;     // a Wine loader without its game's .exe mapped (yet)
    bool gone = false;             // its directory has gone: never offered, dropped in time
    bool mayBeThread = false;      // found by its pid alone: a thread's id also opens a directory
    bool thread = false;           // one that is: never offered (a listing leaves it out)
    unsigned long lookedAt = 0;    // the scan that last read it
    double nextLook = 0;           // seconds since boot: looked at again in the first scan from then
    bool asked = false;            // FirstKept's question answered for what was read
    bool wanted = false;           // its answer
  };
  class SystemClock : public BootClock {
   public:
    double Now() override;
  };

  bool Read(int pid, std::string_view exeLink, ProcessInfo& info, bool& gameMapped);
  std::string ExeLink(int pid) const;
  // False when the process's directory has gone (true when it cannot tell).
  bool StillThere(const Known& known) const;
  void Resolve(Known& known, double now);
  // Reads the process again if it ran exec, or may have mapped its game since;
  // drops it if it has gone.
  void LookAgain(Known& known, double now);
  // What every scan does first: drops what has gone, finds the new processes
  // and looks again at those due.
  void Scan(double now);
  void Refresh(double now);
  void ListAll(double now);
  void MarkGone(Known& known);
  void Probe(int from, int to, double now);
  void LookAtDue(double now);
  void Schedule(Known& known, double nextLook);
  Known* Find(int pid);
  bool Offerable(const Known& known) const;
  // True when a process a scan would offer is still the one read; false when
  // it is a thread or is no longer running (it has been read again).
  bool Confirm(Known& process, double now);
  // The prefix as the kernel names mapped files (links resolved), worked out
  // once per scan for each prefix.
  const std::string& RealPrefix(const std::string& prefix);

  std::string root_;
  std::string ownHome_;
  ScanPace pace_;
  SystemClock systemClock_;
  BootClock& clock_;
  int rootFd_ = -1;
  std::vector<Known> known_;  // by pid, ascending
  size_t goneMarks_ = 0;      // processes marked gone since known_ was last swept of them
  // When each process is due, earliest first (a min-heap); an entry whose time
  // is no longer its process's nextLook is stale and skipped.
  std::vector<std::pair<double, int>> due_;
  std::vector<int> dueNow_;
  // FirstKept's answers: valid while `kept_`, for keptVersion_.
  bool kept_ = false;
  unsigned long keptVersion_ = 0;
  std::vector<int> wantedPids_;  // ascending: the processes it wants
  std::vector<int> unasked_;     // read since it last asked
  double nextListing_ = 0;
  bool listNext_ = false;
  // Kept only to reuse their memory from one listing or read to the next.
  std::vector<char> entries_;
  std::vector<std::pair<int, unsigned long long>> listing_;  // pid and inode
  std::vector<std::pair<int, unsigned long long>> listed_;   // the same, of the previous listing
  std::vector<int> probed_;                                  // pids read from probing since the last listing
  std::vector<Known> relisted_;
  std::string environ_;
  std::vector<std::pair<std::string, std::string>> realPrefixes_;  // of this scan
  bool scanned_ = false;
  unsigned long scans_ = 0;
  long lastPid_ = -1;   // from loadavg at the last scan; -1 when unknown
  long probeFrom_ = 1;  // the first pid the next scan probes
};

}  // namespace platform
