#include "monitor/game_exit/game_text_file.h"

#include "platform/file_system.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace game_exit {

std::string LineEndOf(const std::string& bytes) {
  size_t nl = bytes.find('\n');
  if (nl == std::string::npos) return "\r\n";
  return (nl > 0 && bytes[nl - 1] == '\r') ? "\r\n" : "\n";
}

GameText SplitGameText(const std::string& bytes) {
  GameText text;
  text.lines = platform::SplitLines(bytes);
  text.lineEnd = LineEndOf(bytes);
  text.endsWithLineEnd = bytes.empty() || bytes.back() == '\n';
  return text;
}

std::string JoinGameText(const std::vector<std::string>& lines, const std::string& lineEnd) {
  std::string out;
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + lineEnd.size();
  out.reserve(size);
  for (const std::string& line : lines) {
    out += line;
    out += lineEnd;
  }
  return out;
}

static int LastError() { return errno != 0 ? errno : EIO; }

// A file without any write permission is read-only for everybody, the
// super-user included; one we may not write is not ours to replace.
static bool ReadOnly(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

int ReplaceGameFile(const std::string& path, const std::string& bytes) {
  if (ReadOnly(path)) return EACCES;
  errno = 0;
  return platform::WriteFileAtomic(path, bytes) ? 0 : LastError();
}

int ReadGameFile(const std::string& path, std::string& bytes) {
  errno = 0;
  auto read = platform::ReadFileBytes(path);
  if (!read) return LastError();
  bytes = std::move(*read);
  return 0;
}

}  // namespace game_exit
