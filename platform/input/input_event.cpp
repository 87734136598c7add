#include "platform/input/input_event.h"

namespace platform {

static const char* ButtonText(MouseButton b) {
  switch (b) {
    case MouseButton::Left:
      return "left";
    case MouseButton::Right:
      return "right";
    case MouseButton::Middle:
      return "middle";
  }
  return "?";
}

std::string ToText(const InputEvent& e) {
  switch (e.kind) {
    case InputKind::MouseMove:
      return "move " + std::to_string(e.dx) + " " + std::to_string(e.dy);
    case InputKind::ButtonDown:
      return std::string(ButtonText(e.button)) + " down";
    case InputKind::ButtonUp:
      return std::string(ButtonText(e.button)) + " up";
    case InputKind::Wheel:
      return "wheel " + std::to_string(e.wheel);
    case InputKind::KeyDown:
      return "key " + std::to_string(e.virtualKey) + " down";
    case InputKind::KeyUp:
      return "key " + std::to_string(e.virtualKey) + " up";
  }
  return "?";
}

std::string ToText(const std::vector<InputEvent>& events) {
  std::string out;
  for (const InputEvent& e : events) {
    if (!out.empty()) out += ", ";
    out += ToText(e);
  }
  return out;
}

}  // namespace platform
