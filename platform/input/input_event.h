// The synthetic input the emulator sends, independent of how it reaches the
// system: relative pointer motion, the three mouse buttons, wheel steps in the
// quantum of 120 per notch, and keys named by their Windows virtual-key code.
#pragma once

#include <string>
#include <vector>

namespace platform {

enum class InputKind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp };
enum class MouseButton { Left, Right, Middle };

// One wheel notch, as the receiving programs count it.
inline constexpr int kWheelDelta = 120;

struct InputEvent {
  InputKind kind = InputKind::MouseMove;
  int dx = 0;  // MouseMove: counts right
  int dy = 0;  // MouseMove: counts down
  MouseButton button = MouseButton::Left;
  int wheel = 0;       // Wheel: +120 a notch away from the user, -120 towards
  int virtualKey = 0;  // KeyDown, KeyUp

  static InputEvent Move(int dx, int dy) { return {InputKind::MouseMove, dx, dy}; }
  static InputEvent Button(MouseButton b, bool down) {
    InputEvent e;
    e.kind = down ? InputKind::ButtonDown : InputKind::ButtonUp;
    e.button = b;
    return e;
  }
  static InputEvent Wheel(int delta) {
    InputEvent e;
    e.kind = InputKind::Wheel;
    e.wheel = delta;
    return e;
  }
  static InputEvent Key(int virtualKey, bool down) {
    InputEvent e;
    e.kind = down ? InputKind::KeyDown : InputKind::KeyUp;
    e.virtualKey = virtualKey;
    return e;
  }
  bool operator==(const InputEvent&) const = default;
};

// "move 66 0", "left down", "right up", "wheel -120", "key 65 down": for logs and tests.
std::string ToText(const InputEvent& event);
// The events joined by ", ".
std::string ToText(const std::vector<InputEvent>& events);

}  // namespace platform
