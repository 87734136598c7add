#include "emulator/actions.h"

#include "platform/text.h"

namespace emulator {

using platform::InputEvent;
using platform::MouseButton;

// VK_SHIFT needs no row of its own: its key is the left Shift key like the
// code 16 of the key path. The mouse names that reach the key path (VM_LEFTUP, or any of them not in
// upper case) send nothing: their codes are mouse flags, not virtual keys, and
// as keys they would hit whatever key shares the number (16 is Shift, 32 the
// space bar, 8 Backspace).
static void KeyPath(const KeyTable& table, const std::string& name, bool down, std::vector<InputEvent>& out) {
  if (platform::FindNoCase(name, "VM_") == 0) return;
  std::optional<uint16_t> vk = table.Find(name);
  if (vk) out.push_back(InputEvent::Key(*vk, down));
}

void PressAction(const KeyTable& table, const std::string& name, std::vector<InputEvent>& out) {
  if (name == "VM_LEFTDOWN")
    out.push_back(InputEvent::Button(MouseButton::Left, true));
  else if (name == "VM_RIGHTDOWN")
    out.push_back(InputEvent::Button(MouseButton::Right, true));
  else if (name == "VM_MIDDLEDOWN")
    out.push_back(InputEvent::Button(MouseButton::Middle, true));
  else if (name == "VM_WHEELUP")
    out.push_back(InputEvent::Wheel(platform::kWheelDelta));
  else if (name == "VM_WHEELDOWN")
    out.push_back(InputEvent::Wheel(-platform::kWheelDelta));
  else if (name.empty())
    return;
  else
    KeyPath(table, name, true, out);
}

void ReleaseAction(const KeyTable& table, const std::string& name, std::vector<InputEvent>& out) {
  if (name == "VM_LEFTDOWN")
    out.push_back(InputEvent::Button(MouseButton::Left, false));
  else if (name == "VM_RIGHTDOWN")
    out.push_back(InputEvent::Button(MouseButton::Right, false));
  else if (name == "VM_MIDDLEDOWN")
    out.push_back(InputEvent::Button(MouseButton::Middle, false));
  else if (name == "VM_WHEELUP" || name == "VM_WHEELDOWN" || name.empty())
    return;
  else
    KeyPath(table, name, false, out);
}

}  // namespace emulator
