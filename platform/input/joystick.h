// The system's joysticks through SDL2's joystick API (no video). A joystick
// number is an SDL device index, 0 for the first attached device. Readings are
// on the scale of the Windows joystick record: each axis 0 to 65535 with the
// centre at 32768 (SDL's value + 32768), 0 for an axis the device lacks, and
// button k as bit k-1 of a 32-bit mask.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct JoyReading {
  std::array<uint32_t, 6> axes{};  // X, Y, Z, R, U, V
  uint32_t buttons = 0;
  bool operator==(const JoyReading&) const = default;
};

class Joystick {
 public:
  Joystick();   // starts SDL's joystick subsystem (shared by every Joystick)
  ~Joystick();  // closes the devices it opened
  Joystick(const Joystick&) = delete;
  Joystick& operator=(const Joystick&) = delete;

  // False when SDL's joystick subsystem could not start (then no device exists).
  bool Available() const { return available_; }

  // Devices attached now.
  int Count();
  // The product name of joystick `id`; "" when there is none.
  std::string ProductName(int id);
  // The capability query: true when joystick `id` exists and can be opened.
  // Once a number has been opened it stays with that kind of device: after an
  // unplug it opens again only for the same kind, not for another joystick
  // that moved down to the number.
  bool Open(int id);
  // Reads joystick `id`, opening it when needed. False when it is not attached
  // (never was, or was unplugged): `reading` is left as it was.
  bool Read(int id, JoyReading& reading);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  bool available_ = false;
};

}  // namespace platform
