#include "emulator/polling_loop.h"

#include "emulator/actions.h"

#include <cmath>

namespace emulator {

double RoundHalfToEven(double x) {
  double lower = std::floor(x);
  double fraction = x - lower;
  if (fraction > 0.5) return lower + 1;
  if (fraction < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

static int32_t AxisToMouse(const MotionMapEntry& axis, double& remainder, int32_t v) {
  int32_t d = axis.Deadzone;
  if (v >= kAxisCentre - d && v <= kAxisCentre + d) {
    remainder = 0;
    return 0;
  }
  int32_t s = v <= kAxisCentre ? (kAxisCentre - v) - d : (kAxisCentre - v) + d;
  remainder += s / 500.0;
  double n = RoundHalfToEven(remainder);
  remainder -= n;
  return static_cast<int32_t>(n);
}

int32_t AxisToMouseX(EmulatorState& state, int a, int32_t v) {
  return AxisToMouse(state.MotionMap[a], state.RemainderX, v);
}

int32_t AxisToMouseY(EmulatorState& state, int a, int32_t v) {
  return AxisToMouse(state.MotionMap[a], state.RemainderY, v);
}

void AxisToKeys(EmulatorState& state, const KeyTable& table, int a, int32_t v, InputEvents& out) {
  MotionMapEntry& m = state.MotionMap[a];
  int32_t d = m.Deadzone;
  if (v < kAxisCentre - d) {
    if (m.State == "Positive") return;
    if (m.State == "Negative") ReleaseAction(table, m.NegAction, out);
    PressAction(table, m.PosAction, out);
    m.State = "Positive";
  } else if (v > kAxisCentre + d) {
    if (m.State == "Negative") return;
    if (m.State == "Positive") ReleaseAction(table, m.PosAction, out);
    PressAction(table, m.NegAction, out);
    m.State = "Negative";
  } else {
    if (m.State == "Negative") ReleaseAction(table, m.NegAction, out);
    if (m.State == "Positive") ReleaseAction(table, m.PosAction, out);
    m.State = "";
  }
}

void ButtonsToArray(EmulatorState& state, uint32_t mask) {
  state.ButtonPressed.fill(false);
  for (int k = 1; k <= kButtonCount; ++k) state.ButtonPressed[k] = (mask >> (k - 1)) & 1u;
}

void ReleaseHeld(EmulatorState& state, const KeyTable& table, InputEvents& out) {
  for (MotionMapEntry& m : state.MotionMap) {
    if (m.State == "Negative") ReleaseAction(table, m.NegAction, out);
    if (m.State == "Positive") ReleaseAction(table, m.PosAction, out);
    m.State = "";
  }
  for (ButtonMapEntry& b : state.ButtonMap) {
    if (b.State == "DOWN") ReleaseAction(table, b.Action, out);
    b.State = "UP";
  }
}

void tmrEvent_Timer(EmulatorState& state, const KeyTable& table, const std::optional<platform::JoyReading>& reading,
                    bool chkDebug, InputEvents& out) {
  // While "Don't send events..." is checked the states move on as usual and
  // what they would send is dropped at the end.
  const size_t start = out.size();

  if (!reading) {
    // Unplugged: a stale reading would keep the pointer running and keys held.
    ReleaseHeld(state, table, out);
    state.MouseDeltaX = state.MouseDeltaY = 0;
    state.RemainderX = state.RemainderY = 0;
    ButtonsToArray(state, 0);
    if (chkDebug) out.resize(start);
    return;
  }

  for (int a = 0; a < kAxisCount; ++a) state.MotionMap[a].Value = static_cast<int32_t>(reading->axes[a]);

  for (int a = 0; a < kAxisCount; ++a) {
    MotionMapEntry& m = state.MotionMap[a];
    if (m.NegAction == "X")
      state.MouseDeltaX = AxisToMouseX(state, a, m.Value);
    else if (m.NegAction == "Y")
      state.MouseDeltaY = AxisToMouseY(state, a, m.Value);
    else if (!m.PosAction.empty() || !m.NegAction.empty())
      AxisToKeys(state, table, a, m.Value, out);
  }

  if (!chkDebug) out.push_back(platform::InputEvent::Move(state.MouseDeltaX, state.MouseDeltaY));

  ButtonsToArray(state, reading->buttons);

  for (int b = 0; b < kButtonCount; ++b) {
    ButtonMapEntry& entry = state.ButtonMap[b];
    if (state.ButtonPressed[b + 1]) {
      if (entry.State != "DOWN") {
        entry.State = "DOWN";
        PressAction(table, entry.Action, out);
      }
    } else if (entry.State != "UP") {
      entry.State = "UP";
      ReleaseAction(table, entry.Action, out);
    }
  }
  if (chkDebug) out.resize(start);
}

}  // namespace emulator
