// Starting a program from a command line, hidden (no console, no shell), and
// waiting for it without stopping the window: while the child runs, the Qt event
// loop goes on (menus, the icon, timers), blocked in the kernel until the child
// ends or an event arrives, never spinning.
#pragma once

#include <string>

namespace platform {

// Starts the program the command line names (the program's path first, possibly
// with unquoted blanks; the rest split by the Windows rules) with our
// environment (plus the wish that its window stays hidden) and current folder, standard input from /dev/null, and none of
// our other open files. With `noWait` it returns 0 at once; otherwise it waits
// and returns the exit code (128 + the signal when the program was killed).
// A program that cannot be started gives 0; a failure while waiting gives -1.
int RunAndWait(const std::string& commandLine, bool noWait);

// How many programs started with `noWait` have not been reaped yet (they are
// reaped as they end while an event loop runs, and at every RunAndWait).
int UnreapedChildren();

}  // namespace platform
