// Tests of desktop behaviour run inside a desktop of their own: an X server
// (xvfb-run), a private session bus (dbus-run-session) and, where windows are
// to be managed, the openbox window manager. The test program outside starts
// one test of a test program inside it.
#pragma once

#include "testing/test_support.h"

#include <map>
#include <string>

namespace testing_support {

struct DesktopParts {
  bool bus = false;            // a private session bus
  bool windowManager = false;  // openbox, started before the test
};

// The first program the desktop needs that is not installed, with the Debian
// package it comes in ("" when none is missing): the test is skipped then.
std::string MissingDesktopTool(const DesktopParts& parts);

// Runs the tests of `testProgram` that `filter` selects inside such a desktop,
// with Qt on the X server, and returns how the run went.
RunResult RunInDesktop(const std::string& testProgram, const std::string& filter, const DesktopParts& parts,
                       const std::map<std::string, std::string>& env = {});

}  // namespace testing_support
