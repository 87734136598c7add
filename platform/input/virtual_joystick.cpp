#include "platform/input/virtual_joystick.h"

#include <SDL.h>

namespace platform {

static SDL_Joystick* Handle(void* p) { return static_cast<SDL_Joystick*>(p); }

VirtualJoystick::VirtualJoystick(const std::string& name, int axes, int buttons) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  sdlStarted_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
  if (!sdlStarted_) return;
  SDL_JoystickEventState(SDL_IGNORE);
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
  desc.naxes = static_cast<Uint16>(axes);
  desc.nbuttons = static_cast<Uint16>(buttons);
  desc.name = name.c_str();
  int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) return;
  handle_ = SDL_JoystickOpen(index);
  // SDL starts axes 4 and 5 at their minimum, as triggers; ours rest centred.
  for (int a = 0; a < axes; ++a) SDL_JoystickSetVirtualAxis(Handle(handle_), a, 0);
  SDL_JoystickUpdate();
}

VirtualJoystick::~VirtualJoystick() {
  Unplug();
  if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

int VirtualJoystick::Number() const {
  if (!handle_) return -1;
  SDL_JoystickID self = SDL_JoystickInstanceID(Handle(handle_));
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_JoystickGetDeviceInstanceID(i) == self) return i;
  return -1;
}

void VirtualJoystick::SetAxis(int axis, uint32_t reading) {
  if (!handle_) return;
  SDL_JoystickSetVirtualAxis(Handle(handle_), axis, static_cast<Sint16>(static_cast<int>(reading) - 32768));
}

void VirtualJoystick::SetButton(int button, bool pressed) {
  if (handle_) SDL_JoystickSetVirtualButton(Handle(handle_), button, pressed ? SDL_PRESSED : SDL_RELEASED);
}

void VirtualJoystick::Unplug() {
  if (!handle_) return;
  int number = Number();
  SDL_JoystickClose(Handle(handle_));
  handle_ = nullptr;
  if (number >= 0) SDL_JoystickDetachVirtual(number);
  SDL_JoystickUpdate();
}

}  // namespace platform
