#include "platform/process/process_table.h"

#include "platform/file_system.h"
#include "platform/process/pidfd.h"
#include "platform/text.h"
#include "platform/win_path.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

std::string ReadLink(const std::string& path) {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  return std::string(buffer, static_cast<size_t>(n));
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

bool StartsWithNoCase(const std::string& text, const std::string& head) {
  return text.size() >= head.size() && EqualsNoCase(text.substr(0, head.size()), head);
}

// A /proc stat line: one read is enough (the line is far shorter than the
// buffer), which keeps a scan of many processes to few system calls.
std::optional<std::string> ReadStatLine(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  char buffer[1024];
  ssize_t n;
  do n = ::read(fd, buffer, sizeof buffer);
  while (n < 0 && errno == EINTR);
  ::close(fd);
  if (n <= 0) return std::nullopt;
  return std::string(buffer, static_cast<size_t>(n));
}

// The state letter and the start time (fields 3 and 22) of a stat line.
bool ParseStat(const std::string& stat, char& state, unsigned long long& startTime) {
  size_t close = stat.rfind(')');  // the command name may hold blanks and parentheses
  if (close == std::string::npos) return false;
  std::vector<std::string> fields;
  for (const std::string& f : SplitOn(stat.substr(close + 1), ' '))
    if (!f.empty()) fields.push_back(f);
  // fields[0] is field 3 (state), so field 22 is fields[19].
  if (fields.size() < 20 || fields[0].empty()) return false;
  state = fields[0][0];
  char* end = nullptr;
  startTime = std::strtoull(fields[19].c_str(), &end, 10);
  return end && *end == '\0';
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

bool IsWindowsDrivePath(const std::string& path) {
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         (path[2] == '\\' || path[2] == '/');
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
    auto stat = ReadStatLine(statPath_);
    char state = 0;
    unsigned long long startTime = 0;
    if (!stat || !ParseStat(*stat, state, startTime)) return false;
    return startTime == startTime_ && !Ended(state);
  }

 private:
  std::string statPath_;
  unsigned long long startTime_;
  int pidfd_;
};

}  // namespace

std::string WinePathToLinux(const std::string& prefix, const std::string& windowsPath) {
  if (!IsWindowsDrivePath(windowsPath)) return {};
  std::string dosdevices = WithoutTrailingSlashes(prefix) + "/dosdevices";
  std::string drive = dosdevices + "/" + ToLower(windowsPath.substr(0, 2));
  std::string target = ReadLink(drive);
  if (target.empty()) return {};
  if (target[0] != '/') target = dosdevices + "/" + target;
  // dosdevices is a real folder, so "dosdevices/../drive_c" is "drive_c" of the prefix.
  std::string root = std::filesystem::path(target).lexically_normal().string();
  std::string path = ResolveNoCase(WithoutTrailingSlashes(root), windowsPath.substr(3));
  // A drive at "/" (Z: as Wine sets it up) would otherwise start the path with "//".
  if (path.size() > 1 && path[0] == '/' && path[1] == '/') path.erase(0, 1);
  return path;
}

ProcProcessTable::ProcProcessTable(std::string procRoot, std::string ownHome)
    : root_(WithoutTrailingSlashes(std::move(procRoot))), ownHome_(std::move(ownHome)) {
  if (ownHome_.empty()) {
    const char* home = std::getenv("HOME");
    ownHome_ = home ? home : "";
  }
}

bool ProcProcessTable::Read(int pid, ProcessInfo& info) const {
  info = ProcessInfo{};
  std::string dir = root_ + "/" + std::to_string(pid);
  std::string exe = ReadLink(dir + "/exe");
  if (exe.empty()) return false;  // not ours to read, a kernel thread, or gone
  if (EndsWithNoCase(exe, " (deleted)")) exe.resize(exe.size() - 10);

  auto stat = ReadStatLine(dir + "/stat");
  char state = 0;
  if (!stat || !ParseStat(*stat, state, info.startTime) || Ended(state)) return false;
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

std::vector<ProcessInfo> ProcProcessTable::List() {
  std::vector<int> pids;
  if (DIR* dir = ::opendir(root_.c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      char* end = nullptr;
      long pid = std::strtol(entry->d_name, &end, 10);
      if (end && *end == '\0' && pid > 0 && entry->d_name[0] != '\0') pids.push_back(static_cast<int>(pid));
    }
    ::closedir(dir);
  }
  std::sort(pids.begin(), pids.end());
  std::vector<ProcessInfo> list;
  list.reserve(pids.size());
  for (int pid : pids) {
    ProcessInfo info;
    if (Read(pid, info)) list.push_back(std::move(info));
  }
  return list;
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
