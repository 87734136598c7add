// pointerly.ini: what the writer puts in, the parser reads back.
#include "config_store/pointerly_ini.h"

#include <gtest/gtest.h>

using namespace config_store;

namespace {

PointerlySettings Bound() {
  PointerlySettings s;
  for (int k = 0; k < kPointerlyAxes; ++k) {
    s.Deadzone[k] = std::to_string(1000 * k);
    s.MotionPos[k] = "VK_" + std::string(1, static_cast<char>('A' + k));
    s.MotionNeg[k] = "";
  }
  s.MotionPos[1] = s.MotionNeg[1] = "X";
  s.MotionPos[4] = s.MotionNeg[4] = "Y";
  s.Deadzone[5] = "ERROR";  // a dead zone the configuration lacked is written as read
  for (int n = 0; n < kPointerlyButtons; ++n) s.Button[n] = n % 3 ? "" : "VM_LEFTDOWN";
  s.Button[15] = "VK_SPACE";
  return s;
}

TEST(PointerlyIni, WhatIsWrittenReadsBackOverAnyEarlierText) {
  PointerlySettings other = Bound();
  other.MotionPos.fill("VK_Z");
  other.Button.fill("VK_Q");
  const std::string earlier[] = {
      "",
      "; the player's own\r\n[OWN]\r\nKEY=1\r\n",
      SetPointerlySettings("", other),
      // Written by hand: LF line ends, other case, bare values.
      "[motions]\nmotion_0_pos=VK_Q\n[Buttons]\nButton_3=VK_W\n",
  };
  for (const std::string& text : earlier) {
    std::string written = SetPointerlySettings(text, Bound());
    EXPECT_EQ(ParsePointerlySettings(written), Bound()) << text;
    EXPECT_EQ(SetPointerlySettings(written, Bound()), written) << "a second write changes nothing: " << text;
  }
}

TEST(PointerlyIni, MissingKeysReadAsError) {
  PointerlySettings s = ParsePointerlySettings("[MOTIONS]\r\nMOTION_2_NEG=\"VK_B\"\r\n");
  EXPECT_EQ(s.MotionNeg[2], "VK_B");
  EXPECT_EQ(s.MotionPos[2], "ERROR");
  EXPECT_EQ(s.Deadzone[0], "ERROR");
  EXPECT_EQ(s.Button[15], "ERROR");
}

}  // namespace
