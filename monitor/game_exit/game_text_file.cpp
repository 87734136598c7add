#include "monitor/game_exit/game_text_file.h"

#include "platform/file_system.h"

#include <cerrno>
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

int ReplaceGameFile(const std::string& path, const std::string& bytes) {
  if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) return EACCES;
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
