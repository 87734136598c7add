// Xlib only; nothing here may include Qt.
#include "platform/input/x_pointer_probe.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace platform {

static Display* D(void* p) { return static_cast<Display*>(p); }

XPointerProbe::XPointerProbe() : display_(XOpenDisplay(nullptr)) {}

XPointerProbe::~XPointerProbe() {
  if (display_) XCloseDisplay(D(display_));
}

static bool Query(Display* d, int& x, int& y, unsigned& mask) {
  Window root = DefaultRootWindow(d), rootReturn, child;
  int winX, winY;
  return XQueryPointer(d, root, &rootReturn, &child, &x, &y, &winX, &winY, &mask);
}

bool XPointerProbe::Position(int& x, int& y) {
  unsigned mask;
  return display_ && Query(D(display_), x, y, mask);
}

bool XPointerProbe::ButtonDown(int xButton) {
  int x, y;
  unsigned mask = 0;
  if (!display_ || !Query(D(display_), x, y, mask)) return false;
  return (mask & (Button1Mask << (xButton - 1))) != 0;
}

bool XPointerProbe::KeyDown(int xKeycode) {
  if (!display_) return false;
  char keys[32];
  XQueryKeymap(D(display_), keys);
  return (keys[xKeycode / 8] >> (xKeycode % 8)) & 1;
}

void XPointerProbe::Warp(int x, int y) {
  if (!display_) return;
  XWarpPointer(D(display_), None, DefaultRootWindow(D(display_)), 0, 0, 0, 0, x, y);
  XSync(D(display_), False);
}

void XPointerProbe::Click(int xButton) {
  if (!display_) return;
  XTestFakeButtonEvent(D(display_), xButton, True, CurrentTime);
  XTestFakeButtonEvent(D(display_), xButton, False, CurrentTime);
  XSync(D(display_), False);
}

void XPointerProbe::Unmap(unsigned long window) {
  if (!display_) return;
  XUnmapWindow(D(display_), window);
  XSync(D(display_), False);
}

}  // namespace platform
