// pointerly.ini as the activation writes it.
#include "monitor/pointerly_ini.h"

#include "config_store/profile_helpers.h"
#include "monitor/tests/scg_fixture.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>

using monitor_test::ScgText;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

monitor::ActivationValues Values(const TempFolder& dir, const std::map<std::string, std::string>& values,
                                 const std::set<std::string>& omit = {}) {
  WriteFile(dir / "g.scg", ScgText(values, omit));
  return monitor::ReadActivationValues(dir / "g.scg").values;
}

bool Write(const TempFolder& dir, const monitor::ActivationValues& v) {
  return config_store::WritePointerlyIni(dir / "pointerly.ini", monitor::PointerlySettingsFor(v));
}

std::string Key(const TempFolder& dir, const std::string& section, const std::string& key) {
  return config_store::ReadIni(dir / "pointerly.ini", section, key);
}

}  // namespace

TEST(PointerlyIni, ANewFileHoldsTheThirtyFourKeysInOrder) {
  TempFolder dir;
  ASSERT_TRUE(Write(dir, Values(dir, {}, {"DEADZONE_3_USER"})));
  EXPECT_EQ(ReadFile(dir / "pointerly.ini"),
            "[DEADZONE]\r\nDEADZONE_0=1000\r\nDEADZONE_1=1001\r\nDEADZONE_2=1002\r\nDEADZONE_3=ERROR\r\n"
            "DEADZONE_4=1004\r\nDEADZONE_5=1005\r\n"
            "[MOTIONS]\r\nMOTION_0_POS=\"VK_D\"\r\nMOTION_0_NEG=\"VK_A\"\r\nMOTION_1_POS=\"VK_S\"\r\n"
            "MOTION_1_NEG=\"VK_W\"\r\nMOTION_2_POS=\"VK_SPACE\"\r\nMOTION_2_NEG=\"VK_C\"\r\n"
            "MOTION_3_POS=\"VM_WHEELUP\"\r\nMOTION_3_NEG=\"VM_WHEELDOWN\"\r\nMOTION_4_POS=\"VK_E\"\r\n"
            "MOTION_4_NEG=\"VK_Q\"\r\nMOTION_5_POS=\"\"\r\nMOTION_5_NEG=\"\"\r\n"
            "[BUTTONS]\r\nBUTTON_0=\"VK_F1\"\r\nBUTTON_1=\"VK_F2\"\r\nBUTTON_2=\"VK_F3\"\r\nBUTTON_3=\"\"\r\n"
            "BUTTON_4=\"\"\r\nBUTTON_5=\"\"\r\nBUTTON_6=\"\"\r\nBUTTON_7=\"\"\r\nBUTTON_8=\"\"\r\nBUTTON_9=\"\"\r\n"
            "BUTTON_10=\"\"\r\nBUTTON_11=\"\"\r\nBUTTON_12=\"\"\r\nBUTTON_13=\"\"\r\nBUTTON_14=\"\"\r\n"
            "BUTTON_15=\"\"\r\n");
}

TEST(PointerlyIni, PointerAxesOverrideTheirDirections) {
  TempFolder dir;
  struct Case {
    std::string x, y;
    std::vector<std::string> motions;  // MOTION_k_POS for k = 0..5 (NEG follows POS for pointer axes)
  } cases[] = {
      {"0", "1", {"X", "Y", "VK_SPACE", "VM_WHEELUP", "VK_E", ""}},
      {"-1", "-1", {"VK_D", "VK_S", "VK_SPACE", "VM_WHEELUP", "VK_E", ""}},
      {"2", "2", {"VK_D", "VK_S", "Y", "VM_WHEELUP", "VK_E", ""}},  // X first, so Y wins
      {"5", "6", {"VK_D", "VK_S", "VK_SPACE", "VM_WHEELUP", "VK_E", "X"}},
      {"2.5", "ERROR", {"VK_D", "VK_S", "VK_SPACE", "VM_WHEELUP", "VK_E", ""}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Write(dir, Values(dir, {{"MOTION_ALIAS_X", c.x}, {"MOTION_ALIAS_Y", c.y}})));
    for (int k = 0; k < 6; ++k) {
      std::string n = std::to_string(k);
      EXPECT_EQ(Key(dir, "MOTIONS", "MOTION_" + n + "_POS"), c.motions[k]) << c.x << " " << c.y << " " << k;
      if (c.motions[k] == "X" || c.motions[k] == "Y") {
        EXPECT_EQ(Key(dir, "MOTIONS", "MOTION_" + n + "_NEG"), c.motions[k]) << c.x << " " << c.y << " " << k;
      }
    }
  }
}

TEST(PointerlyIni, ButtonsOfAnEarlierGameDoNotSurviveAndOtherKeysStay) {
  TempFolder dir;
  WriteFile(dir / "pointerly.ini", "; kept\r\n[OWN]\r\nKEY=1\r\n");
  ASSERT_TRUE(Write(dir, Values(dir, {})));
  EXPECT_EQ(Key(dir, "BUTTONS", "BUTTON_0"), "VK_F1");
  ASSERT_TRUE(Write(dir, Values(dir, {{"USE_BUTTONS", "FALSE"}})));
  for (int n = 0; n < 16; ++n) EXPECT_EQ(Key(dir, "BUTTONS", "BUTTON_" + std::to_string(n)), "") << n;
  std::string text = ReadFile(dir / "pointerly.ini");
  EXPECT_EQ(text.rfind("; kept\r\n[OWN]\r\nKEY=1\r\n[DEADZONE]\r\n", 0), 0u) << text;
  // A missing binding reads as ERROR and gives three empty fields.
  ASSERT_TRUE(Write(dir, Values(dir, {}, {"BUTTON_1_USER"})));
  EXPECT_EQ(Key(dir, "BUTTONS", "BUTTON_0"), "VK_F1");
  EXPECT_EQ(Key(dir, "BUTTONS", "BUTTON_1"), "");
}

TEST(PointerlyIni, TheEmulatorIsNeededForKeysOrAPointerAxis) {
  TempFolder dir;
  struct Case {
    std::string useKeys, x, y;
    bool needed;
  } cases[] = {
      {"FALSE", "-1", "-1", false}, {"TRUE", "-1", "-1", true},   {"true", "-1", "-1", true},
      {"1", "-1", "-1", true},      {"-2", "-1", "-1", true},     {"0", "-1", "-1", false},
      {"ERROR", "-1", "-1", false}, {"FALSE", "0", "-1", true},   {"FALSE", "-1", "5", true},
      {"FALSE", "6", "-1", false},  {"FALSE", "1.5", "x", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(monitor::NeedsPointerly(
                  Values(dir, {{"USE_KEYS", c.useKeys}, {"MOTION_ALIAS_X", c.x}, {"MOTION_ALIAS_Y", c.y}})),
              c.needed)
        << c.useKeys << " " << c.x << " " << c.y;
}
