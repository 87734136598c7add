// What every program does before it creates its QApplication.
#pragma once

namespace platform {

// Falls back to Qt's offscreen platform when there is no display, so the
// programs also run headless (message boxes then go to standard error), and
// gives Qt a private runtime folder when the session has none.
void PrepareQtPlatform();

// For a program whose work needs a person at its window: true when there is a
// display (DISPLAY or WAYLAND_DISPLAY) or a Qt platform was chosen
// (QT_QPA_PLATFORM, offscreen in tests); otherwise says on standard error that
// `program` needs one, and is false (the program then ends at once).
bool RequireDisplay(const char* program);

}  // namespace platform
