#include "monitor/game_exit/game_text_file.h"

#include "platform/file_system.h"

#include <cerrno>

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

int ReplaceGameFile(const std::string& path, const std::string& bytes) {
  // Read-only for everybody (the super-user included), or not ours to replace.
  // A path that cannot be looked at is left to the write to report.
  bool present = platform::FileExists(path) || platform::FolderExists(path);
  if (present && !platform::MayReplaceFile(path)) return EACCES;
  return platform::TryWriteFileAtomic(path, bytes);
}

int ReadGameFile(const std::string& path, std::string& bytes) { return platform::TryReadFile(path, bytes); }

}  // namespace game_exit
