#include "platform/input/joystick.h"

#include <SDL.h>
#include <algorithm>
#include <cstring>
#include <map>

namespace platform {

struct Joystick::Impl {
  std::map<int, SDL_Joystick*> opened;  // by joystick number
  // The kind of device first opened under each number. Numbers move down when
  // a device goes, so after an unplug the number may name another joystick,
  // whose axes would then drive the pointer and keys.
  std::map<int, SDL_JoystickGUID> kind;
};

static bool SameKind(const SDL_JoystickGUID& a, const SDL_JoystickGUID& b) {
  return std::memcmp(a.data, b.data, sizeof a.data) == 0;
}

Joystick::Joystick() : impl_(std::make_unique<Impl>()) {
  // SDL would otherwise take over SIGINT and SIGTERM, which end our programs
  // through their own path, and would drop joystick input while no SDL window
  // has the focus (we have no SDL window at all).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  available_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
  // Readings are polled; nothing should pile up in SDL's event queue.
  if (available_) SDL_JoystickEventState(SDL_IGNORE);
}

Joystick::~Joystick() {
  for (auto& [id, joystick] : impl_->opened) SDL_JoystickClose(joystick);
  if (available_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

int Joystick::Count() {
  if (!available_) return 0;
  SDL_JoystickUpdate();
  return std::max(0, SDL_NumJoysticks());
}

std::string Joystick::ProductName(int id) {
  if (id < 0 || id >= Count()) return "";
  const char* name = SDL_JoystickNameForIndex(id);
  return name ? name : "";
}

bool Joystick::Open(int id) {
  auto at = impl_->opened.find(id);
  if (at != impl_->opened.end()) {
    if (SDL_JoystickGetAttached(at->second)) return true;
    SDL_JoystickClose(at->second);
    impl_->opened.erase(at);
  }
  if (id < 0 || id >= Count()) return false;
  auto known = impl_->kind.find(id);
  if (known != impl_->kind.end() && !SameKind(known->second, SDL_JoystickGetDeviceGUID(id))) return false;
  SDL_Joystick* joystick = SDL_JoystickOpen(id);
  if (!joystick) return false;
  impl_->opened[id] = joystick;
  impl_->kind.emplace(id, SDL_JoystickGetGUID(joystick));
  return true;
}

bool Joystick::Read(int id, JoyReading& reading) {
  if (!available_) return false;
  SDL_JoystickUpdate();
  if (!Open(id)) return false;
  SDL_Joystick* joystick = impl_->opened[id];
  int axes = SDL_JoystickNumAxes(joystick);
  for (int a = 0; a < 6; ++a)
    reading.axes[a] = a < axes ? static_cast<uint32_t>(SDL_JoystickGetAxis(joystick, a) + 32768) : 0;
  int buttons = std::min(32, SDL_JoystickNumButtons(joystick));
  reading.buttons = 0;
  for (int b = 0; b < buttons; ++b)
    if (SDL_JoystickGetButton(joystick, b)) reading.buttons |= 1u << b;
  return true;
}

}  // namespace platform
