#include "platform/qt_start.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

void PrepareQtPlatform() {
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if ((!platform || !*platform) && (!display || !*display) && (!wayland || !*wayland))
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) {
    std::string folder = "/tmp/heliryx360-runtime-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    ::chmod(folder.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
  }
}

}  // namespace platform
