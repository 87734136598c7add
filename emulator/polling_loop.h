// One tick of the emulator's 10 ms loop as a plain function: the reading and
// the previous state in, the input to send out. Axes bound to "X" or "Y" move
// the pointer, other bound axes hold keys or buttons while out of their dead
// zone, and button changes press and release their actions.
#pragma once

#include "emulator/emulator_state.h"
#include "emulator/key_table.h"
#include "platform/input/input_event.h"
#include "platform/input/joystick.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace emulator {

using InputEvents = std::vector<platform::InputEvent>;

// Nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfToEven(double x);

// Pointer counts for axis `a` at reading `v`, carrying the fraction in
// RemainderX (RemainderY); 0 and a cleared remainder inside the dead zone.
// Readings below the centre give positive counts.
int32_t AxisToMouseX(EmulatorState& state, int a, int32_t v);
int32_t AxisToMouseY(EmulatorState& state, int a, int32_t v);

// The axis's key state machine: below the dead zone holds PosAction, above it
// NegAction, inside it nothing; each change releases before it presses.
void AxisToKeys(EmulatorState& state, const KeyTable& table, int a, int32_t v, InputEvents& out);

// ButtonPressed[k] = bit k-1 of the mask, k = 1..16; higher bits are ignored.
void ButtonsToArray(EmulatorState& state, uint32_t mask);

// One tick. With `chkDebug` ("Don't send events...") nothing is sent but the
// states still follow the controller, so nothing is replayed when it is
// unchecked. Without a reading (the controller was unplugged) everything held
// is released and the states start afresh.
void tmrEvent_Timer(EmulatorState& state, const KeyTable& table, const std::optional<platform::JoyReading>& reading,
                    bool chkDebug, InputEvents& out);

// Releases every button and axis direction the states hold and resets them.
void ReleaseHeld(EmulatorState& state, const KeyTable& table, InputEvents& out);

}  // namespace emulator
