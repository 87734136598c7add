#include "testing/desktop_session.h"

#include <vector>

namespace testing_support {

std::string MissingDesktopTool(const DesktopParts& parts) {
  if (FindOnPath("xvfb-run").empty()) return "xvfb-run (Debian package xvfb)";
  if (parts.bus && FindOnPath("dbus-run-session").empty()) return "dbus-run-session (Debian package dbus-daemon)";
  if (parts.windowManager && FindOnPath("openbox").empty()) return "openbox (Debian package openbox)";
  return {};
}

RunResult RunInDesktop(const std::string& testProgram, const std::string& filter, const DesktopParts& parts,
                       const std::map<std::string, std::string>& env) {
  std::vector<std::string> args{"-a", "-s", "-screen 0 1024x768x24 -nolisten tcp"};
  if (parts.bus) args.insert(args.end(), {FindOnPath("dbus-run-session"), "--"});
  // The window manager runs beside the test and goes with the X server; the
  // test waits until it has taken over the screen.
  args.insert(args.end(), {"/bin/sh", "-c",
                           parts.windowManager ? "openbox --sm-disable >/dev/null 2>&1 & exec \"$@\"" : "exec \"$@\"",
                           "sh", testProgram, "--gtest_filter=" + filter});
  std::map<std::string, std::string> all = env;
  all["QT_QPA_PLATFORM"] = "xcb";
  // Qt's X platform and D-Bus keep some buffers to the end.
  all["LSAN_OPTIONS"] = "suppressions=" X_SESSION_LSAN_SUPPRESSIONS;
  return RunProgram(FindOnPath("xvfb-run"), args, all, 200000);
}

}  // namespace testing_support
