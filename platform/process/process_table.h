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
  std::string exeName;    // file name, no folder ("quake3.exe" for a game under Wine)
  int pid = 0;
  std::string exeFolder;  // Linux folder, without a trailing "/"
  unsigned long long startTime = 0;  // when the process started; a reused pid differs
  std::string winePrefix;  // the Wine prefix a Windows game runs in; empty for a native program
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
  // Null when the process has already gone.
  virtual std::unique_ptr<ProcessWatch> Watch(const ProcessInfo& process) = 0;
};

// How often the table looks again at what it has already read.
struct ScanPace {
  double youngSeconds = 10;     // a process this young may still exec a game: looked at every scan
  double wineWaitSeconds = 30;  // a Wine loader is looked at every scan this long for its game's .exe
  double sweepSeconds = 30;     // an older process is looked at again within this...
  double oldSeconds = 120;      // ...until it is this old: wrappers exec their game within seconds
  double oldSweepSeconds = 300; // an old process is looked at again within this
  int probeLimit = 256;         // more new pids than this since the last scan: list instead of probing
};

// The table over a /proc tree. `procRoot` is "/proc" for the real system; a
// tree of the same shape (exe and cwd links; cmdline, environ, maps, stat and
// status files, and loadavg) stands in for it in tests. `ownHome` is where a
// Wine process without WINEPREFIX and HOME in its environment keeps its prefix.
//
// A process is read once and kept, keyed by its pid and its directory's inode
// (which changes when the pid is reused), and looked at again on the schedule
// of ScanPace; one whose directory has gone by then is dropped. New processes
// come from the last pid given out (loadavg): the pids given out since are
// probed. The tree is listed only on the first scan, when the pids wrapped, and
// when more than probeLimit are new.
class ProcProcessTable : public ProcessTable {
 public:
  explicit ProcProcessTable(std::string procRoot = "/proc", std::string ownHome = "", ScanPace pace = {});
  ~ProcProcessTable() override;
  ProcProcessTable(const ProcProcessTable&) = delete;
  ProcProcessTable& operator=(const ProcProcessTable&) = delete;
  std::optional<ProcessInfo> First(const std::function<bool(const ProcessInfo&)>& wanted) override;
  std::unique_ptr<ProcessWatch> Watch(const ProcessInfo& process) override;

 private:
  // What one process was read as, kept between scans.
  struct Known {
    int pid = 0;
    unsigned long long inode = 0;  // of its /proc directory
    std::string exeLink;           // as last read; another target means the process ran exec
    ProcessInfo info;              // no exeName: nothing to offer (unreadable, a kernel thread, ended)
    bool gameUnmapped = false;     // a Wine loader without its game's .exe mapped (yet)
    bool gone = false;             // its directory has gone: dropped at the next scan
    bool mayBeThread = false;      // found by its pid alone: a thread's id also opens a directory
    bool thread = false;           // one that is: never offered (a listing leaves it out)
    unsigned long lookedAt = 0;    // the scan that last read it
    double nextLook = 0;           // seconds since boot: looked at again in the first scan from then
  };

  bool Read(int pid, std::string_view exeLink, ProcessInfo& info, bool& gameMapped);
  std::string ExeLink(int pid) const;
  // False when the process's directory has gone (true when it cannot tell).
  bool StillThere(const Known& known) const;
  void Resolve(Known& known, double now);
  // Reads the process again if it ran exec, or may have mapped its game since;
  // drops it if it has gone.
  void LookAgain(Known& known, double now);
  void Refresh(double now);
  void ListAll(double now);
  void Probe(int from, int to, double now);
  // The prefix as the kernel names mapped files (links resolved), worked out
  // once per scan for each prefix.
  const std::string& RealPrefix(const std::string& prefix);

  std::string root_;
  std::string ownHome_;
  ScanPace pace_;
  int rootFd_ = -1;
  std::vector<Known> known_;  // by pid, ascending
  bool anyGone_ = false;      // known_ holds processes that have gone
  // Kept only to reuse their memory from one listing or read to the next.
  std::vector<char> entries_;
  std::vector<std::pair<int, unsigned long long>> listing_;  // pid and inode
  std::vector<Known> relisted_;
  std::string environ_;
  std::vector<std::pair<std::string, std::string>> realPrefixes_;  // of this scan
  bool scanned_ = false;
  unsigned long scans_ = 0;
  long lastPid_ = -1;    // from loadavg at the last scan; -1 when unknown
  long probeFrom_ = 1;   // the first pid the next scan probes
};

}  // namespace platform
