// Looks at the X server's pointer and keyboard from outside, for tests and
// benchmarks of input synthesis: where the pointer is, which buttons are down,
// and a place to put it.
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

 private:
  void* display_ = nullptr;  // Display*
};

}  // namespace platform
