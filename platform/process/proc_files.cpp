#include "platform/process/proc_files.h"

#include <time.h>

namespace platform::proc {

void ReadWholeFileAt(int dirFd, const char* path, std::string& bytes) {
  bytes.clear();
  int fd = ::openat(dirFd, path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  size_t size = 0;
  for (;;) {
    if (bytes.size() < size + 4096) bytes.resize(std::max<size_t>(2 * bytes.size(), size + 4096));
    ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    size += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(size);
}

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

long ParseLastPid(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
  size_t blank = text.rfind(' ');
  if (blank == std::string_view::npos) return -1;
  long pid = -1;
  auto [last, error] = std::from_chars(text.data() + blank + 1, text.data() + text.size(), pid);
  return error == std::errc() && last == text.data() + text.size() ? pid : -1;
}

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

std::optional<std::string_view> EnvironmentEntry(std::string_view environ, std::string_view name) {
  while (!environ.empty()) {
    size_t end = environ.find('\0');
    std::string_view entry = environ.substr(0, end);
    if (entry.size() > name.size() && entry.substr(0, name.size()) == name && entry[name.size()] == '=') return entry;
    if (end == std::string_view::npos) break;
    environ.remove_prefix(end + 1);
  }
  return std::nullopt;
}

std::string EnvironmentValue(std::string_view environ, std::string_view name) {
  std::optional<std::string_view> entry = EnvironmentEntry(environ, name);
  return entry ? std::string(entry->substr(name.size() + 1)) : std::string();
}

double SecondsSinceBoot() {
  timespec now{};
  ::clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double StartSeconds(unsigned long long startTime) {
  static const double ticksPerSecond = static_cast<double>(::sysconf(_SC_CLK_TCK));
  return static_cast<double>(startTime) / ticksPerSecond;
}

}  // namespace platform::proc
