// Keeping the mouse pointer inside one window (ClipCursor over GetWindowRect):
// on X11 a pointer grab confined to the window's frame, or to the window
// itself where no window manager frames it. The X server ends such a grab by
// itself when the window is unmapped or the program's connection closes, so
// the pointer is never left caught by a program that is gone.
#pragma once

class QWidget;

namespace platform {

enum class ClipResult {
  Confined,     // the pointer stays inside the window until ReleaseCursorClip()
  NotYet,       // the window is not on screen yet, or another program holds the pointer: try again later
  Unsupported,  // this platform cannot confine the pointer (Wayland, offscreen); a log line says so
};

// Confines the pointer to the top-level window `frm` (frame included).
ClipResult ClipCursorToForm(QWidget& frm);
// Frees the pointer if this program confined it; does nothing otherwise.
void ReleaseCursorClip();

}  // namespace platform
