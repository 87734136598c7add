#include "emulator/emulator_settings.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>

using namespace emulator;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

TEST(Deadzone, TextBecomesADeadZone) {
  struct Row {
    const char* text;
    int16_t previous;
    int16_t expected;
  };
  const Row rows[] = {
      {"0", 0, 0},
      {"6000", 0, 6000},
      {"1500", 0, 1500},
      {"7000", 0, 2000},
      {"-1", 0, 2000},
      {"6001", 0, 2000},
      {"2.5", 0, 2},
      {"3.5", 0, 4},
      {"6000.5", 0, 6000},
      {"-0.5", 0, 0},
      {" 12 ", 0, 12},
      {"ERROR", 0, 0},
      {"ERROR", 300, 300},
      {"", 300, 300},
      {"12abc", 300, 300},
      // No 16-bit number: the previous value stays; -32768 fits and is then out of range.
      {"40000", 300, 300},
      {"32767.5", 300, 300},
      {"-32768", 300, 2000},
  };
  for (const Row& row : rows) EXPECT_EQ(DeadzoneFromText(row.text, row.previous), row.expected) << row.text;
}

TEST(EmulatorSettings, ReadsBindingsAndDeadZonesAsTheMonitorWritesThem) {
  TempFolder folder;
  std::string ini = folder / "pointerly.ini";
  WriteFile(
      ini,
      "[DEADZONE]\r\nDEADZONE_0=7000\r\nDEADZONE_1=-1\r\nDEADZONE_2=6000\r\nDEADZONE_4=ERROR\r\nDEADZONE_5=1500\r\n"
      "[MOTIONS]\r\nMOTION_0_POS=\"X\"\r\nMOTION_0_NEG=\"X\"\r\nMOTION_1_POS=\"y\"\r\nMOTION_1_NEG=\"x\"\r\n"
      "MOTION_2_POS=\"VK_A\"\r\nMOTION_2_NEG=\"vk_b\"\r\nMOTION_3_POS=\"VK_NOPE\"\r\nMOTION_3_NEG=\"\"\r\n"
      "[BUTTONS]\r\nBUTTON_0=\"VM_LEFTDOWN\"\r\nBUTTON_4=\"vk_a\"\r\nBUTTON_5=\"VK_NOPE\"\r\nBUTTON_6=\"Y\"\r\n"
      "BUTTON_7=\"\"\r\nBUTTON_15=\"VM_WHEELDOWN\"\r\n");
  KeyTable table = BuildKeyTable();
  EmulatorState state;
  state.ButtonMap[0].State = "DOWN";
  LoadEmulatorSettings(ini, table, state);

  const int16_t deadzones[6] = {2000, 2000, 6000, 0, 0, 1500};
  for (int a = 0; a < 6; ++a) EXPECT_EQ(state.MotionMap[a].Deadzone, deadzones[a]) << a;

  const char* const pos[6] = {"X", "", "VK_A", "", "", ""};
  const char* const neg[6] = {"X", "", "vk_b", "", "", ""};
  for (int a = 0; a < 6; ++a) {
    EXPECT_EQ(state.MotionMap[a].PosAction, pos[a]) << a;
    EXPECT_EQ(state.MotionMap[a].NegAction, neg[a]) << a;
  }

  std::string expected[16];
  expected[0] = "VM_LEFTDOWN";
  expected[4] = "vk_a";  // accepted as written
  expected[6] = "Y";
  expected[15] = "VM_WHEELDOWN";
  for (int b = 0; b < 16; ++b) {
    EXPECT_EQ(state.ButtonMap[b].Action, expected[b]) << b;
    EXPECT_EQ(state.ButtonMap[b].State, "UP") << b;
  }
}

TEST(EmulatorSettings, AMissingFileBindsNothingAndLeavesDeadZonesAtZero) {
  TempFolder folder;
  EXPECT_EQ(config_store::ReadPointerlyIni(folder / "pointerly.ini").Deadzone[0], "ERROR");
  EmulatorState state;
  LoadEmulatorSettings(folder / "pointerly.ini", BuildKeyTable(), state);
  for (const MotionMapEntry& m : state.MotionMap) {
    EXPECT_EQ(m.Deadzone, 0);
    EXPECT_EQ(m.PosAction, "");
    EXPECT_EQ(m.NegAction, "");
  }
  for (const ButtonMapEntry& b : state.ButtonMap) EXPECT_EQ(b.Action, "");
}

}  // namespace
