#include "platform/win_path.h"

#include "platform/file_system.h"
#include "platform/text.h"

#include <cerrno>
#include <functional>

namespace platform {

std::string SlashesForward(const std::string& windowsPath) {
  std::string out = windowsPath;
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

// The one walk over a relative Windows path: each part in turn matched to an
// existing entry of the folder reached so far without regard to case. `step`
// sees each path reached (and ".." parts, when `parentSteps` is false, as a
// refusal) and may stop the walk with an errno value.
enum class ParentSteps { Kept, Refused };

static int WalkNoCase(const std::string& base, const std::string& relative, ParentSteps parentSteps, std::string& path,
                      const std::function<int(const std::string& reached)>& step) {
  path = base;
  while (!path.empty() && path.back() == '/') path.pop_back();  // "/" becomes "", the root
  for (const std::string& part : SplitOn(SlashesForward(relative), '/')) {
    if (part.empty() || part == ".") continue;
    if (part == ".." && parentSteps == ParentSteps::Refused) {
      path += "/..";
      return EINVAL;
    }
    std::string found = FindEntryNoCase(path.empty() ? "/" : path, part);
    path += "/" + (found.empty() ? part : found);
    if (step)
      if (int error = step(path)) return error;
  }
  if (path.empty() && !base.empty()) path.push_back('/');  // the root
  return 0;
}

std::string ResolveNoCase(const std::string& base, const std::string& relative) {
  std::string path;
  WalkNoCase(base, relative, ParentSteps::Kept, path, {});
  return path;
}

std::string ResolveBelowNoCase(const std::string& base, const std::string& relative) {
  std::string path;
  return WalkNoCase(base, relative, ParentSteps::Refused, path, {}) == 0 ? path : std::string();
}

int CreateFoldersNoCase(const std::string& base, const std::string& relative, std::string& reached) {
  return WalkNoCase(base, relative, ParentSteps::Refused, reached,
                    [](const std::string& folder) { return FolderExists(folder) ? 0 : MakeFolder(folder); });
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
