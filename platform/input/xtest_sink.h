// The XTest backend: input faked on the X display through the XTEST extension.
// The X server gives the pointer exactly the counts sent; X key codes are the
// Linux key codes plus 8, as on every X server that reads evdev devices.
#pragma once

#include "platform/input/input_sink.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

// One XTest request: a relative motion, or a button or key going down or up.
struct XTestRequest {
  enum Kind { Motion, Button, Key } kind;
  int a;  // Motion: dx; Button: X button number; Key: X key code
  int b;  // Motion: dy; Button and Key: 1 down, 0 up
  bool operator==(const XTestRequest&) const = default;
};

// The requests for one event into `out` (replacing what it held, so one vector
// serves every event): buttons 1 left, 2 middle, 3 right; a wheel notch is a
// click of button 4 (away from the user) or 5 (towards); nothing for a motion
// of 0, 0 or a Linux key beyond the X key code range.
void XTestTranslate(const InputEvent& event, int linuxKey, std::vector<XTestRequest>& out);

// The X display of $DISPLAY with XTEST; null with the reason when there is none.
std::unique_ptr<InputSink> OpenXTestSink(std::string& whyNot);

}  // namespace platform
