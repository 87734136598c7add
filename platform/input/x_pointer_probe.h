// Looks at the X server's pointer and keyboard from outside, for tests and
// benchmarks of input synthesis: where the pointer is, which buttons are down,
// a place to put it, a click, and a window taken off screen.
#pragma once

#include <string>

namespace platform {

class XPointerProbe {
 public:
  XPointerProbe();  // connects to $DISPLAY
  ~XPointerProbe();
  XPointerProbe(const XPointerProbe&) = delete;
  XPointerProbe& operator=(const XPointerProbe&) = delete;

  bool Connected() const { return display_ != nullptr; }
  // Pointer position on the root window; false when it cannot be read.
  bool Position(int& x, int& y);
  bool ButtonDown(int xButton);  // 1 left, 2 middle, 3 right
  bool KeyDown(int xKeycode);
  void Warp(int x, int y);
  // Presses and releases a button where the pointer is, as a user would (XTest).
  void Click(int xButton);
  // Unmaps a window from outside, as a window manager does when it minimises it.
  void Unmap(unsigned long window);

 private:
  void* display_ = nullptr;  // Display*
};

}  // namespace platform
