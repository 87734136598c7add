// Clicks into a program's window as a player would, inside an X server (a test
// runs it under xvfb-run): waits up to 60 s for a shown top-level window with
// the exact title that holds the point, then moves the pointer to a point of it and clicks the left
// button through XTest.
//   x_click TITLE X FROM_BOTTOM   (X from the window's left, FROM_BOTTOM from its bottom)
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

// A shown window with the title that holds the point (a splash screen of the
// same title is smaller).
static Window Find(Display* display, Window under, const char* title, int x, int fromBottom) {
  char* name = nullptr;
  if (XFetchName(display, under, &name) && name) {
    bool same = std::strcmp(name, title) == 0;
    XFree(name);
    XWindowAttributes attributes;
    if (same && XGetWindowAttributes(display, under, &attributes) && attributes.map_state == IsViewable &&
        attributes.width > x && attributes.height > fromBottom)
      return under;
  }
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(display, under, &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && !found; ++i) found = Find(display, children[i], title, x, fromBottom);
    if (children) XFree(children);
  }
  return found;
}

// Windows come and go while the tree is walked (the splash screen closes): a
// request about a window that is gone fails, and the walk goes on without it.
static int IgnoreError(Display*, XErrorEvent*) { return 0; }

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: x_click TITLE X FROM_BOTTOM\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "x_click: no X display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreError);
  // The program under test maps its window when it is ready: look until it
  // does, with a deadline generous for a busy machine.
  Window window = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!(window = Find(display, DefaultRootWindow(display), argv[1], std::atoi(argv[2]), std::atoi(argv[3]))) &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  if (!window) {
    std::fprintf(stderr, "x_click: no window titled \"%s\"\n", argv[1]);
    return 1;
  }
  XWindowAttributes attributes;
  XGetWindowAttributes(display, window, &attributes);
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), std::atoi(argv[2]),
                        attributes.height - std::atoi(argv[3]), &x, &y, &child);
  std::fprintf(stderr, "x_click: window %dx%d, click at %d,%d\n", attributes.width, attributes.height, x, y);
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  XSync(display, False);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XSync(display, False);
  XCloseDisplay(display);
  return 0;
}
