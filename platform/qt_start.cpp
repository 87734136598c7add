#include "platform/qt_start.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

// The offscreen platform warns about every window feature it lacks; those
// lines are noise on standard error, where message boxes go without a display.
static void QuietOffscreenMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

static bool Given(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

static bool DisplayOrPlatformGiven() {
  return Given("DISPLAY") || Given("WAYLAND_DISPLAY") || Given("QT_QPA_PLATFORM");
}

bool RequireDisplay(const char* program) {
  if (DisplayOrPlatformGiven()) return true;
  std::fprintf(stderr,
               "%s: needs a display to show its window, and neither DISPLAY nor WAYLAND_DISPLAY is set; "
               "start it from the desktop (QT_QPA_PLATFORM=offscreen runs it without a window)\n",
               program);
  return false;
}

void PrepareQtPlatform() {
  if (!DisplayOrPlatformGiven()) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const char* chosen = std::getenv("QT_QPA_PLATFORM");
  if (chosen && std::string(chosen) == "offscreen") qInstallMessageHandler(QuietOffscreenMessages);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) {
    std::string folder = "/tmp/heliryx360-runtime-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    ::chmod(folder.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
  }
}

}  // namespace platform
