#include "emulator/polling_loop.h"

#include "emulator/emulator_settings.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace emulator;
using platform::JoyReading;

namespace {

constexpr uint32_t C = 32768;  // centre

JoyReading Reading(std::array<uint32_t, 6> axes, uint32_t buttons = 0) { return JoyReading{axes, buttons}; }
JoyReading Centred(uint32_t buttons = 0) { return Reading({C, C, C, C, C, C}, buttons); }

// The state Pointerly starts with when its pointerly.ini holds `ini`.
EmulatorState Started(const std::string& ini, const KeyTable& table = BuildKeyTable()) {
  EmulatorState state;
  ApplyEmulatorSettings(config_store::ParsePointerlySettings(ini), table, state);
  return state;
}

EmulatorState WithDeadzone(int16_t deadzone) { return Started("[DEADZONE]\nDEADZONE_0=" + std::to_string(deadzone)); }

// An emulator started from pointerly.ini text, ticked one reading at a time.
struct Rig {
  explicit Rig(const std::string& ini) : state(Started(ini, table)) {}
  KeyTable table = BuildKeyTable();
  EmulatorState state;

  // The events of one tick; the pointer move of 0, 0 sent every tick is left
  // out unless `withZeroMoves`.
  std::string Tick(const std::optional<JoyReading>& reading, bool debug = false, bool withZeroMoves = false) {
    InputEvents out;
    tmrEvent_Timer(state, table, reading, debug, out);
    if (!withZeroMoves) std::erase(out, platform::InputEvent::Move(0, 0));
    return platform::ToText(out);
  }
};

// Counts of `ticks` ticks of AxisToMouseX at one reading, joined by blanks.
std::string Counts(EmulatorState& state, int32_t reading, int ticks) {
  std::string out;
  for (int i = 0; i < ticks; ++i) out += (i ? " " : "") + std::to_string(AxisToMouseX(state, 0, reading));
  return out;
}

TEST(RoundHalfToEven, HalvesGoToTheEvenNeighbour) {
  struct Row {
    double x, expected;
  };
  for (Row r : {Row{0.5, 0}, Row{1.5, 2}, Row{2.5, 2}, Row{-0.5, 0}, Row{-1.5, -2}, Row{-2.5, -2}, Row{0.49, 0},
                Row{0.51, 1}, Row{-0.51, -1}, Row{65.536, 66}, Row{3, 3}})
    EXPECT_EQ(RoundHalfToEven(r.x), r.expected) << r.x;
}

TEST(AxisToMouse, CountsPerTickCarryTheirFraction) {
  struct Row {
    int16_t deadzone;
    int32_t reading;
    int ticks;
    const char* counts;
  };
  const Row rows[] = {
      // Full deflection below the centre: 65.536 counts a tick on average.
      {0, 0, 6, "66 65 66 65 66 65"},
      // Full deflection above: -65.534.
      {0, 65535, 4, "-66 -65 -66 -65"},
      // 1000 past the edge: exactly 2 a tick, whatever the dead zone.
      {0, C - 1000, 3, "2 2 2"},
      {2000, C - 3000, 3, "2 2 2"},
      {2000, C + 3000, 3, "-2 -2 -2"},
      // Half counts go to the even integer, the rest is carried.
      {0, C - 250, 4, "0 1 0 1"},
      {0, C - 750, 4, "2 1 2 1"},
      {0, C - 1250, 4, "2 3 2 3"},
      {0, C + 250, 4, "0 -1 0 -1"},
      // The dead zone's edges are inside it.
      {2000, C - 2000, 3, "0 0 0"},
      {2000, C + 2000, 3, "0 0 0"},
      {0, C, 3, "0 0 0"},
  };
  for (const Row& row : rows) {
    EmulatorState state = WithDeadzone(row.deadzone);
    EXPECT_EQ(Counts(state, row.reading, row.ticks), row.counts) << row.deadzone << " " << row.reading;
    EXPECT_LE(std::abs(state.RemainderX), 0.5);
  }
}

TEST(AxisToMouse, LongRunsAddUpToTheExactDistance) {
  struct Row {
    int16_t deadzone;
    int32_t reading;
    int ticks;
    int64_t total;
  };
  // One step past a dead zone of 2000 adds 1/500 count a tick.
  for (Row row : {Row{0, 0, 1000, 65536}, Row{0, 65535, 1000, -65534}, Row{2000, C - 2001, 1000, 2},
                  Row{2000, C + 2001, 1000, -2}}) {
    EmulatorState state = WithDeadzone(row.deadzone);
    int64_t total = 0;
    int firstCountAt = 0;
    for (int i = 1; i <= row.ticks; ++i) {
      int32_t n = AxisToMouseX(state, 0, row.reading);
      if (n && !firstCountAt) firstCountAt = i;
      total += n;
    }
    EXPECT_EQ(total, row.total) << row.reading;
    if (row.deadzone) {
      EXPECT_NEAR(firstCountAt, 250, 2);
    }
  }
}

TEST(AxisToMouse, EnteringTheDeadZoneDiscardsTheRemainder) {
  EmulatorState state = WithDeadzone(2000);
  const int32_t justPast = C - 2000 - 251;     // 0.502 a tick
  EXPECT_EQ(Counts(state, justPast, 1), "1");  // remainder now -0.498
  EXPECT_EQ(Counts(state, C - 2000, 1), "0");
  EXPECT_EQ(state.RemainderX, 0);
  // Had the remainder been kept, this tick would give 0.
  EXPECT_EQ(Counts(state, justPast, 1), "1");
}

TEST(AxisToMouse, XAndYCarryTheirOwnRemainders) {
  EmulatorState state;
  EXPECT_EQ(AxisToMouseX(state, 0, C - 250), 0);   // X remainder 0.5
  EXPECT_EQ(AxisToMouseY(state, 1, C + 750), -2);  // Y remainder 0.5
  EXPECT_EQ(state.RemainderX, 0.5);
  EXPECT_EQ(state.RemainderY, 0.5);
  EXPECT_EQ(AxisToMouseX(state, 0, C - 250), 1);
}

TEST(Tick, AxesBoundToXAndYMoveThePointerEveryTick) {
  Rig rig(R"([MOTIONS]
MOTION_0_POS="X"
MOTION_0_NEG="X"
MOTION_3_POS="Y"
MOTION_3_NEG="Y")");
  EXPECT_EQ(rig.Tick(Reading({C - 1000, 0, C, C + 1500, C, C})), "move 2 -3");
  EXPECT_EQ(rig.state.MouseDeltaX, 2);
  EXPECT_EQ(rig.state.MouseDeltaY, -3);
  // Inside the dead zone the move is still sent, with 0 counts.
  EXPECT_EQ(rig.Tick(Centred(), false, true), "move 0 0");
  EXPECT_EQ(rig.Tick(Centred(), false, true), "move 0 0");
}

TEST(Tick, OnlyTheNegativeBindingSelectsThePointer) {
  // Axis 0 has no negative binding: the key path, and "X" is no key.
  Rig rig(R"([MOTIONS]
MOTION_0_POS="X"
MOTION_1_POS="VK_A"
MOTION_1_NEG="Y")");
  EXPECT_EQ(rig.Tick(Reading({0, 0, C, C, C, C})), "move 0 66");
  EXPECT_EQ(rig.state.MotionMap[0].State, "Positive");
}

TEST(Tick, AnAxisHoldsOneKeyPerSideUntilItReturns) {
  Rig rig(R"([DEADZONE]
DEADZONE_2=1000
[MOTIONS]
MOTION_2_POS="VK_A"
MOTION_2_NEG="VK_B")");
  const MotionMapEntry& axis = rig.state.MotionMap[2];
  struct Step {
    uint32_t z;
    const char* events;
    const char* state;
  };
  const Step steps[] = {
      {C, "", ""},
      {0, "key 65 down", "Positive"},
      {0, "", "Positive"},  // held, not repeated
      {100, "", "Positive"},
      {65535, "key 65 up, key 66 down", "Negative"},  // crossing in one tick
      {65535, "", "Negative"},
      {C, "key 66 up", ""},
      {C - 1000, "", ""},  // the edge is inside
      {C - 1001, "key 65 down", "Positive"},
      {C + 1000, "key 65 up", ""},
      {C + 1001, "key 66 down", "Negative"},
      {C - 1001, "key 66 up, key 65 down", "Positive"},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(rig.Tick(Reading({C, C, step.z, C, C, C})), step.events) << step.z;
    EXPECT_EQ(axis.State, step.state) << step.z;
  }
}

TEST(Tick, AnAxisWithOneSideBoundSendsOnlyThatSide) {
  Rig rig(R"([MOTIONS]
MOTION_4_NEG="VM_LEFTDOWN")");
  EXPECT_EQ(rig.Tick(Reading({C, C, C, C, 0, C})), "");
  EXPECT_EQ(rig.Tick(Reading({C, C, C, C, 65535, C})), "left down");
  EXPECT_EQ(rig.Tick(Centred()), "left up");
}

TEST(Tick, ButtonEdgesPressAndRelease) {
  Rig rig(R"([BUTTONS]
BUTTON_0="VK_A"
BUTTON_1="VM_LEFTDOWN"
BUTTON_2="VM_WHEELUP"
BUTTON_15="VK_Z")");
  struct Step {
    uint32_t mask;
    const char* events;
  };
  const Step steps[] = {
      {1, "key 65 down"},  // held at start: pressed on the first tick
      {1, ""},
      {3, "left down"},
      {2, "key 65 up"},
      {6, "wheel 120"},
      {2, ""},
      {6, "wheel 120"},  // one notch per press
      {0, "left up"},
      {0x8000, "key 90 down"},
      {0x10000, "key 90 up"},  // bit 16 is no button
      {0xFFFF0000u, ""},
      {0x8003, "key 65 down, left down, key 90 down"},
  };
  for (const Step& step : steps) EXPECT_EQ(rig.Tick(Centred(step.mask)), step.events) << std::hex << step.mask;
}

TEST(Tick, ButtonsToArrayFollowsTheLowSixteenBits) {
  EmulatorState state;
  ButtonsToArray(state, 3);
  EXPECT_TRUE(state.ButtonPressed[1] && state.ButtonPressed[2]);
  EXPECT_EQ(std::count(state.ButtonPressed.begin(), state.ButtonPressed.end(), true), 2);
  ButtonsToArray(state, 65536);
  EXPECT_EQ(std::count(state.ButtonPressed.begin(), state.ButtonPressed.end(), true), 0);
  ButtonsToArray(state, 0x8000);
  EXPECT_TRUE(state.ButtonPressed[16]);
}

TEST(Tick, ButtonsBoundToXOrYDoNothing) {
  Rig rig(R"([BUTTONS]
BUTTON_0="X"
BUTTON_1="Y")");
  EXPECT_EQ(rig.Tick(Centred(3)), "");
  EXPECT_EQ(rig.Tick(Centred(0)), "");
}

TEST(Tick, EventsComeAxisKeysFirstThenTheMoveThenButtons) {
  Rig rig(R"([MOTIONS]
MOTION_0_POS="X"
MOTION_0_NEG="X"
MOTION_2_POS="VK_A"
[BUTTONS]
BUTTON_0="VM_RIGHTDOWN")");
  EXPECT_EQ(rig.Tick(Reading({C - 1000, C, 0, C, C, C}, 1)), "key 65 down, move 2 0, right down");
}

TEST(Tick, DontSendEventsSendsNothingButTheStatesFollow) {
  Rig rig(R"([MOTIONS]
MOTION_0_POS="X"
MOTION_0_NEG="X"
MOTION_2_POS="VK_A"
[BUTTONS]
BUTTON_0="VM_LEFTDOWN")");
  EXPECT_EQ(rig.Tick(Reading({C - 1000, C, 0, C, C, C}, 1), true, true), "");
  EXPECT_EQ(rig.state.MouseDeltaX, 2);
  EXPECT_EQ(rig.state.MotionMap[0].Value, static_cast<int32_t>(C - 1000));
  EXPECT_EQ(rig.state.ButtonMap[0].State, "DOWN");
  EXPECT_EQ(rig.state.MotionMap[2].State, "Positive");
  // Unchecked while still held: nothing is replayed.
  EXPECT_EQ(rig.Tick(Reading({C, C, 0, C, C, C}, 1)), "");
  // The releases that follow are sent (the sink drops what it does not hold).
  EXPECT_EQ(rig.Tick(Centred()), "key 65 up, left up");
}

TEST(Tick, AnUnpluggedControllerReleasesEverythingAndStopsThePointer) {
  Rig rig(R"([MOTIONS]
MOTION_0_POS="X"
MOTION_0_NEG="X"
MOTION_2_NEG="VK_B"
[BUTTONS]
BUTTON_0="VM_LEFTDOWN"
BUTTON_5="VK_A")");
  EXPECT_EQ(rig.Tick(Reading({C - 1250, C, 65535, C, C, C}, 0x21)), "key 66 down, move 2 0, left down, key 65 down");
  EXPECT_EQ(rig.Tick(std::nullopt, false, true), "key 66 up, left up, key 65 up");
  EXPECT_EQ(rig.state.RemainderX, 0);
  EXPECT_EQ(rig.Tick(std::nullopt, false, true), "");
  // Plugged in again with the same things held: pressed afresh.
  EXPECT_EQ(rig.Tick(Reading({C, C, 65535, C, C, C}, 0x21)), "key 66 down, left down, key 65 down");
}

}  // namespace
