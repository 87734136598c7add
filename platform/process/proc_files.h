// Reading a /proc tree as the process table does: files read the way /proc
// makes them (a small one in one read, a long one only as far as needed), a
// process's entries named without allocating, and the fields the table takes
// from them. Relative to an open folder, so that a tree of the same shape can
// stand in for /proc in tests.
#pragma once

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace platform::proc {

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

// A whole /proc file (environ) relative to `dirFd` into `bytes`, whose memory is
// reused; empty when it cannot be read.
void ReadWholeFileAt(int dirFd, const char* path, std::string& bytes);

// Calls `line` with each line of a file relative to `dirFd` (without its line
// break) until it returns true, reading no further than that line: a /proc
// file's text is made as it is read, as much as is asked for. A line longer than the
// buffer is skipped (a maps line is a path and 73 characters).
template <class Line>
void ScanLinesAt(int dirFd, const char* path, Line&& line) {
  int fd = ::openat(dirFd, path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  constexpr size_t kPage = 4096;
  char buffer[2 * PATH_MAX];
  size_t kept = 0;
  bool skipping = false;  // the rest of an overlong line
  size_t want = 1024;     // the first lines may hold what is looked for
  for (;;) {
    ssize_t n = ::read(fd, buffer + kept, std::min(want, sizeof buffer - kept));
    want = kPage;
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (kept > 0 && !skipping) line(std::string_view(buffer, kept));
      break;
    }
    size_t end = kept + static_cast<size_t>(n), at = 0;
    while (const void* found = std::memchr(buffer + at, '\n', end - at)) {
      size_t stop = static_cast<size_t>(static_cast<const char*>(found) - buffer);
      std::string_view text(buffer + at, stop - at);
      at = stop + 1;
      if (skipping)
        skipping = false;
      else if (line(text)) {
        ::close(fd);
        return;
      }
    }
    kept = end - at;
    std::memmove(buffer, buffer + at, kept);
    if (kept == sizeof buffer) {
      kept = 0;
      skipping = true;
    }
  }
  ::close(fd);
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
  char text_[40];  // the longest leaf is "cmdline"
};

// The state letter and the start time (fields 3 and 22) of a stat line.
bool ParseStat(std::string_view stat, char& state, unsigned long long& startTime);
// The same from the stat file at `path`.
bool ReadStat(const std::string& path, char& state, unsigned long long& startTime);
// True for the states of a process that has ended (a zombie among them).
bool Ended(char state);

// The last pid the system gave out: the last field of loadavg; -1 when unknown.
long ParseLastPid(std::string_view text);

// A thread's id also opens a /proc directory, though only processes are listed:
// true when `pid` is a process (its own thread group's leader).
bool IsThreadGroupLeader(int dirFd, const char* statusPath, int pid);

// NUL-separated lists (cmdline).
std::vector<std::string> SplitNul(const std::string& bytes);
// The first "NAME=value" entry of a NUL-separated environment; none when it has none.
std::optional<std::string_view> EnvironmentEntry(std::string_view environ, std::string_view name);
// Its value; empty when it has none.
std::string EnvironmentValue(std::string_view environ, std::string_view name);

// Seconds since boot, the clock a process's start time is counted on.
double SecondsSinceBoot();
// A start time (clock ticks since boot) in seconds since boot.
double StartSeconds(unsigned long long startTime);

}  // namespace platform::proc
