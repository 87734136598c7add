#include "platform/win_path.h"

#include "platform/file_system.h"
#include "platform/text.h"

namespace platform {

std::string SlashesForward(const std::string& windowsPath) {
  std::string out = windowsPath;
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

std::string ResolveNoCase(const std::string& base, const std::string& relative) {
  std::string path = base;
  while (!path.empty() && path.back() == '/') path.pop_back();  // "/" becomes "", the root
  for (const std::string& part : SplitOn(SlashesForward(relative), '/')) {
    if (part.empty() || part == ".") continue;
    std::string found = FindEntryNoCase(path.empty() ? "/" : path, part);
    path += "/" + (found.empty() ? part : found);
  }
  return path.empty() && !base.empty() ? "/" : path;
}

std::string FileNamePart(const std::string& path) {
  size_t at = path.find_last_of("/\\");
  return at == std::string::npos ? path : path.substr(at + 1);
}

std::string FolderPart(const std::string& path) {
  size_t at = path.find_last_of("/\\");
  return at == std::string::npos ? std::string() : path.substr(0, at);
}

}  // namespace platform
