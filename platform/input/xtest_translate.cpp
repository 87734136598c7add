// The XTest requests for our events, apart from the Xlib calls (X11's headers
// clash with Qt's names and stay in xtest_sink.cpp).
#include "platform/input/xtest_sink.h"

#include <cstdlib>

namespace platform {

static int XButton(MouseButton b) {
  switch (b) {
    case MouseButton::Left:
      return 1;
    case MouseButton::Middle:
      return 2;
    case MouseButton::Right:
      return 3;
  }
  return 1;
}

void XTestTranslate(const InputEvent& e, int linuxKey, std::vector<XTestRequest>& out) {
  out.clear();
  switch (e.kind) {
    case InputKind::MouseMove:
      if (e.dx != 0 || e.dy != 0) out.push_back({XTestRequest::Motion, e.dx, e.dy});
      break;
    case InputKind::ButtonDown:
    case InputKind::ButtonUp:
      out.push_back({XTestRequest::Button, XButton(e.button), e.kind == InputKind::ButtonDown ? 1 : 0});
      break;
    case InputKind::Wheel: {
      int button = e.wheel > 0 ? 4 : 5;
      for (int n = std::abs(e.wheel) / kWheelDelta; n > 0; --n) {
        out.push_back({XTestRequest::Button, button, 1});
        out.push_back({XTestRequest::Button, button, 0});
      }
      break;
    }
    case InputKind::KeyDown:
    case InputKind::KeyUp: {
      int keycode = linuxKey + 8;
      if (keycode >= 8 && keycode <= 255)
        out.push_back({XTestRequest::Key, keycode, e.kind == InputKind::KeyDown ? 1 : 0});
      break;
    }
  }
}

}  // namespace platform
