// The running processes, as the monitor compares them with its watch list: every
// process whose executable can be read, by executable file name and folder. A
// Windows game run under Wine is listed under its Windows executable (the Wine
// loader is only the program that runs it), with its folder as a Linux path.
#pragma once

#include <memory>
#include <string>
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
  // The processes in the order the system lists them (ascending pid).
  virtual std::vector<ProcessInfo> List() = 0;
  // Null when the process has already gone.
  virtual std::unique_ptr<ProcessWatch> Watch(const ProcessInfo& process) = 0;
};

// The table over a /proc tree. `procRoot` is "/proc" for the real system; a
// tree of the same shape (exe and cwd links; cmdline, environ, maps and stat
// files) stands in for it in tests. `ownHome` is where a Wine process without
// WINEPREFIX and HOME in its environment keeps its prefix.
class ProcProcessTable : public ProcessTable {
 public:
  explicit ProcProcessTable(std::string procRoot = "/proc", std::string ownHome = "");
  std::vector<ProcessInfo> List() override;
  std::unique_ptr<ProcessWatch> Watch(const ProcessInfo& process) override;

  // One process of the tree; false when it cannot be read or has ended.
  bool Read(int pid, ProcessInfo& info) const;

 private:
  std::string root_;
  std::string ownHome_;
};

// The Linux path of a Windows path ("C:\Games\X\game.exe") inside a Wine prefix:
// the drive through the prefix's dosdevices links, every further part matched
// to an existing entry without regard to case. Empty when the drive is unknown.
std::string WinePathToLinux(const std::string& prefix, const std::string& windowsPath);

}  // namespace platform
