// A joystick that exists only inside this process, for tests and benchmarks:
// SDL's virtual joystick, seen by Joystick like any attached device.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class VirtualJoystick {
 public:
  VirtualJoystick(const std::string& name, int axes = 6, int buttons = 16);
  ~VirtualJoystick();  // unplugs it
  VirtualJoystick(const VirtualJoystick&) = delete;
  VirtualJoystick& operator=(const VirtualJoystick&) = delete;

  bool Attached() const { return handle_ != nullptr; }
  // The joystick number it got; it moves down when a device before it goes.
  int Number() const;
  // An axis on the reading scale 0..65535 (32768 is the centre).
  void SetAxis(int axis, uint32_t reading);
  void SetButton(int button, bool pressed);
  void Unplug();

 private:
  void* handle_ = nullptr;  // SDL_Joystick*
  bool sdlStarted_ = false;
};

}  // namespace platform
