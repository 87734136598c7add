// How a program's window is to appear when another program starts it: the
// show-window value a Windows start-up record carries. A runner puts the wish
// into the child's environment; the child takes it once at its start (and
// removes it, so the programs it starts in turn do not inherit it).
#pragma once

#include <string>

namespace platform {

enum class StartWindow { Normal, Minimized, Hidden };

inline constexpr const char* kStartWindowVariable = "HELIRYX_START_WINDOW";

// "HELIRYX_START_WINDOW=hidden" and so on, for a child's environment.
std::string StartWindowEntry(StartWindow how);

// The wish this program was started with; Normal when there is none.
StartWindow TakeStartWindowRequest();

}  // namespace platform
