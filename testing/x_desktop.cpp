#include "testing/x_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cstring>
#include <vector>

namespace testing_support {

namespace {

// Windows come and go while the tree is walked: a request about one that is
// gone fails, and the walk goes on without it.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

// The first 32-bit item of a window's property, if it has one.
bool Card32(Display* display, ::Window window, const char* name, Atom type, unsigned long& value) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False, type, &actualType, &format,
                         &count, &after, &data) != Success)
    return false;
  bool found = data && count >= 1 && format == 32;
  if (found) value = reinterpret_cast<unsigned long*>(data)[0];
  if (data) XFree(data);
  return found;
}

std::string Title(Display* display, ::Window window) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024, False,
                         XInternAtom(display, "UTF8_STRING", False), &actualType, &format, &count, &after,
                         &data) == Success &&
      data && format == 8)
    title.assign(reinterpret_cast<char*>(data), count);
  if (data) XFree(data);
  if (!title.empty()) return title;
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name) {
    title = name;
    XFree(name);
  }
  return title;
}

void Collect(Display* display, ::Window under, std::vector<::Window>& all) {
  all.push_back(under);
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, under, &root, &parent, &children, &count)) return;
  for (unsigned i = 0; i < count; ++i) Collect(display, children[i], all);
  if (children) XFree(children);
}

}  // namespace

XDesktop::XDesktop() : display_(XOpenDisplay(nullptr)) {
  if (display_) XSetErrorHandler(IgnoreError);
}

XDesktop::~XDesktop() {
  if (display_) XCloseDisplay(display_);
}

bool XDesktop::WindowManagerRunning() {
  unsigned long check = 0;
  return display_ && Card32(display_, DefaultRootWindow(display_), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, check) &&
         check != 0;
}

bool XDesktop::TrayPresent() {
  if (!display_) return false;
  std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display_));
  return XGetSelectionOwner(display_, XInternAtom(display_, name.c_str(), False)) != None;
}

void XDesktop::Click(int x, int y, int button) {
  if (!display_) return;
  XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(display_, static_cast<unsigned>(button), True, CurrentTime);
  XTestFakeButtonEvent(display_, static_cast<unsigned>(button), False, CurrentTime);
  XSync(display_, False);
}

XDesktop::WindowState XDesktop::TopLevel(const std::string& title) {
  WindowState best;
  if (!display_) return best;
  const ::Window rootWindow = DefaultRootWindow(display_);
  unsigned long activeWindow = 0;
  Card32(display_, rootWindow, "_NET_ACTIVE_WINDOW", XA_WINDOW, activeWindow);
  std::vector<::Window> all;
  Collect(display_, rootWindow, all);
  const Atom wmState = XInternAtom(display_, "WM_STATE", False);
  for (::Window window : all) {
    unsigned long state = 0;
    if (!Card32(display_, window, "WM_STATE", wmState, state)) continue;
    if (Title(display_, window) != title) continue;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes)) continue;
    if (best.found && attributes.width * attributes.height <= best.width * best.height) continue;
    best.found = true;
    best.viewable = attributes.map_state == IsViewable;
    best.iconic = state == IconicState;
    best.active = activeWindow == window;
    best.width = attributes.width;
    best.height = attributes.height;
  }
  return best;
}

}  // namespace testing_support
