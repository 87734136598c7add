// The Xlib side of the pointer confinement, kept apart because Xlib's names
// clash with Qt's. `display` is the program's Display*.
#pragma once

namespace platform::x11 {

// Grabs the pointer for `window`, confined to its top-level frame; false when
// the frame is not viewable yet or the pointer is grabbed by someone else.
bool ConfinePointer(void* display, unsigned long window);
void ReleasePointer(void* display);

}  // namespace platform::x11
