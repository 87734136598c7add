// Reading and replacing the game's own files. A game file is replaced as a
// whole (a uniquely named temporary file in the same folder, flushed, renamed
// over it), so a crash leaves the old file or the new one. A file the player
// made read-only is not replaced, as Windows would refuse to write it.
#pragma once

#include <string>
#include <vector>

namespace game_exit {

// A text file's lines and the line end it uses: the style of its first line
// end (CR LF or LF), CR LF for a file that has none.
struct GameText {
  std::vector<std::string> lines;
  std::string lineEnd = "\r\n";
  bool endsWithLineEnd = true;  // false when the last line has no line end
};

GameText SplitGameText(const std::string& bytes);
// Every line followed by the line end.
std::string JoinGameText(const std::vector<std::string>& lines, const std::string& lineEnd);
// The line end style of `bytes` as SplitGameText finds it.
std::string LineEndOf(const std::string& bytes);

// Replaces or creates the file; 0 on success, else an errno value.
int ReplaceGameFile(const std::string& path, const std::string& bytes);
// The file's bytes into `bytes`; 0 on success, else an errno value.
int ReadGameFile(const std::string& path, std::string& bytes);

}  // namespace game_exit
