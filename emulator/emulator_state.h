// Everything the emulator knows while it runs: the bindings and dead zones read
// at start, and what the polling loop carries from one tick to the next.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace emulator {

inline constexpr int kButtonCount = 16;
inline constexpr int kAxisCount = 6;
inline constexpr int32_t kAxisCentre = 32768;

struct ButtonMapEntry {
  std::string State = "UP";  // "UP" or "DOWN": the last state acted on
  std::string Action;        // bound to joystick button index+1; "" for none
};

struct MotionMapEntry {
  int16_t Deadzone = 0;   // 0 to 6000
  std::string State;      // "", "Positive" or "Negative" (key path only)
  std::string NegAction;  // an action name, or "X" / "Y" for a pointer axis
  std::string PosAction;
  int32_t Value = 0;  // this tick's reading
};

struct EmulatorState {
  std::array<ButtonMapEntry, kButtonCount> ButtonMap;
  std::array<MotionMapEntry, kAxisCount> MotionMap;  // X, Y, Z, R, U, V
  int32_t MouseDeltaX = 0;
  int32_t MouseDeltaY = 0;
  double RemainderX = 0;
  double RemainderY = 0;
  std::array<bool, kButtonCount + 1> ButtonPressed{};  // 1 to 16; [0] unused
};

}  // namespace emulator
