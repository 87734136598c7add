// What every program does before it creates its QApplication.
#pragma once

namespace platform {

// Falls back to Qt's offscreen platform when there is no display, so the
// programs also run headless (message boxes then go to standard error), and
// gives Qt a private runtime folder when the session has none.
void PrepareQtPlatform();

}  // namespace platform
