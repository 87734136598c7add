// Shared by the test programs: temporary folders, temporary installation
// folders with the real programs in them, and running a program as a child.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// A fresh folder below the build's test folder, removed at destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Sets an environment variable for its own lifetime, then puts back the value
// it had (or removes it), so one test's setting never leaks into the next.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> saved_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);  // "" when missing
// Dates the file's last write an hour back, as a leftover of a writer long gone
// (a link itself, not what it names); false when that cannot be done.
bool AgeFile(const std::string& path);
void MakeFolders(const std::string& path);

// An installation folder: the named programs of the build copied in, the
// shipped content optionally copied too, and a registry store of its own.
class TempInstall {
 public:
  explicit TempInstall(const std::vector<std::string>& programs, bool withShippedContent = false);
  const std::string& Folder() const { return folder_.Path(); }
  std::string operator/(const std::string& name) const { return folder_ / name; }
  const std::string& ConfigHome() const { return config_.Path(); }
  // The environment a program of this installation runs with.
  std::map<std::string, std::string> Environment() const;

 private:
  TempFolder folder_;
  TempFolder config_;
};

struct RunResult {
  int exitCode = -1;  // -1 when killed by a signal or timed out
  bool timedOut = false;
  std::string out;
  std::string err;
};

// Runs a program to its end (killed after timeoutMs), with extra environment.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& env = {}, int timeoutMs = 20000);

// A started child that runs on while the test goes on.
class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& env = {});
  ~ChildProcess();  // kills what still runs
  int Pid() const { return pid_; }
  bool Running();
  // Waits for the end; the exit code, or -1 on a signal or timeout.
  int Wait(int timeoutMs = 20000);
  void Terminate();      // SIGTERM
  std::string Stdout();  // what the child wrote to standard output so far
  std::string Stderr();  // what the child wrote to standard error so far

 private:
  int pid_ = -1;
  int status_ = -1;
  bool reaped_ = false;
  std::string outPath_;
  std::string errPath_;
};

// The program's path found through $PATH; "" when it is not there.
std::string FindOnPath(const std::string& program);

// The processes running the program file at `path`.
std::vector<int> ProcessesOf(const std::string& path);

// An executable name no other stand-in game on this machine bears, from `stem`
// ("RoadGame" gives "RoadGame-4242-1a2b3c4d.exe"): a monitor sees every
// process of the machine, so a game of another test run, or of the same test
// run twice at once, must not pass for this run's game. A configuration names
// it as returned; the file on disk may take it in any case.
std::string GameExeName(const std::string& stem);

// Polls `condition` until it holds or timeoutMs passes. The default deadline is
// far beyond what a quiet machine needs: it only ends a wait that failed, and a
// busy machine running a sanitizer build is many times slower.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 30000);
// The same while this thread's Qt events are handled (timers, sockets).
bool SpinUntil(const std::function<bool()>& condition, int timeoutMs = 30000);

}  // namespace testing_support
