// Cost of one emulator tick (the plain function, no device, no sink).
#include "emulator/polling_loop.h"
#include "platform/input/joystick.h"
#include "platform/input/virtual_joystick.h"

#include <benchmark/benchmark.h>

using namespace emulator;

namespace {

constexpr uint32_t C = 32768;

// A typical game: the ball on the pointer, two axes on keys, six buttons bound.
EmulatorState TypicalBindings() {
  EmulatorState s;
  s.MotionMap[0].NegAction = s.MotionMap[0].PosAction = "X";
  s.MotionMap[1].NegAction = s.MotionMap[1].PosAction = "Y";
  s.MotionMap[2].PosAction = "VK_W";
  s.MotionMap[2].NegAction = "VK_S";
  s.MotionMap[3].PosAction = "VK_A";
  s.MotionMap[3].NegAction = "VK_D";
  for (int a = 0; a < kAxisCount; ++a) s.MotionMap[a].Deadzone = 2000;
  const char* buttons[6] = {"VM_LEFTDOWN", "VM_RIGHTDOWN", "VK_SPACE", "VK_LCONTROL", "VM_WHEELUP", "VK_E"};
  for (int b = 0; b < 6; ++b) s.ButtonMap[b].Action = buttons[b];
  return s;
}

void BM_TickAtRest(benchmark::State& bench) {
  KeyTable table = BuildKeyTable();
  EmulatorState state = TypicalBindings();
  std::optional<platform::JoyReading> reading = platform::JoyReading{{C, C, C, C, C, C}, 0};
  InputEvents out;
  for (auto _ : bench) {
    out.clear();
    tmrEvent_Timer(state, table, reading, false, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_TickAtRest);

void BM_TickMovingThePointer(benchmark::State& bench) {
  KeyTable table = BuildKeyTable();
  EmulatorState state = TypicalBindings();
  std::optional<platform::JoyReading> reading = platform::JoyReading{{C - 9000, C + 5000, 0, 65535, C, C}, 0x5};
  InputEvents out;
  for (auto _ : bench) {
    out.clear();
    tmrEvent_Timer(state, table, reading, false, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_TickMovingThePointer);

// The worst case: every key axis crosses sides and six buttons change every tick.
void BM_TickEverythingChanging(benchmark::State& bench) {
  KeyTable table = BuildKeyTable();
  EmulatorState state = TypicalBindings();
  std::optional<platform::JoyReading> a = platform::JoyReading{{0, 0, 0, 0, C, C}, 0x3F};
  std::optional<platform::JoyReading> b = platform::JoyReading{{65535, 65535, 65535, 65535, C, C}, 0};
  InputEvents out;
  bool flip = false;
  for (auto _ : bench) {
    out.clear();
    tmrEvent_Timer(state, table, (flip = !flip) ? a : b, false, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_TickEverythingChanging);

// The joystick read every tick makes, on an SDL virtual joystick.
void BM_JoystickRead(benchmark::State& bench) {
  platform::VirtualJoystick device("Heliryx 360");
  platform::Joystick joystick;
  platform::JoyReading reading;
  int id = device.Number();
  for (auto _ : bench) benchmark::DoNotOptimize(joystick.Read(id, reading));
}
BENCHMARK(BM_JoystickRead);

}  // namespace

BENCHMARK_MAIN();
