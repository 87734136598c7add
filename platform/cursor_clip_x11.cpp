// Xlib only; nothing here may include Qt.
#include "platform/cursor_clip_x11.h"

#include <X11/Xlib.h>

namespace platform::x11 {

namespace {

// The window manager's frame around `window`: its ancestor that is a child of
// the root window (the window itself where nothing reparented it).
Window TopLevelFrame(Display* d, Window window) {
  Window current = window;
  for (;;) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, current, &root, &parent, &children, &count)) return window;
    if (children) XFree(children);
    if (parent == 0 || parent == root) return current;
    current = parent;
  }
}

}  // namespace

bool ConfinePointer(void* display, unsigned long window) {
  auto* d = static_cast<Display*>(display);
  Window frame = TopLevelFrame(d, window);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(d, frame, &attributes) || attributes.map_state != IsViewable) return false;
  // Owner events: the program's own windows keep getting the pointer's
  // events as usual; only where the pointer may go changes.
  int status = XGrabPointer(d, window, True,
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask,
                            GrabModeAsync, GrabModeAsync, frame, 0, CurrentTime);
  return status == GrabSuccess;
}

void ReleasePointer(void* display) {
  auto* d = static_cast<Display*>(display);
  XUngrabPointer(d, CurrentTime);
  XFlush(d);
}

}  // namespace platform::x11
