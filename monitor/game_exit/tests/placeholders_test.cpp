#include "monitor/game_exit/placeholders.h"

#include <gtest/gtest.h>

namespace {

using game_exit::CheckForJoy;
using game_exit::GameBindings;

// The markers as the configuration file's Windows-1252 bytes.
const std::string C = "^";
const std::string S = "\xA7";  // section sign: button GameInput
const std::string Y = "\xA5";  // yen sign: axis GameCommand
const std::string L = "\xA3";  // pound sign: axis GameInput

GameBindings Bindings() {
  GameBindings b;
  b.ButtonAlias[3] = {"MOUSE1", "+attack", "VM_LBUTTON"};
  b.ButtonAlias[5] = {"", "+jump", ""};
  b.ButtonAlias[7] = {"K", "^07x", ""};    // reproduces its own placeholder
  b.ButtonAlias[8] = {"", Y + "-2x", ""};  // holds another placeholder
  b.ButtonAlias[15] = {"F15", "last", ""};
  b.MotionPos[0] = {"UP", "forward", ""};
  b.MotionNeg[0] = {"DOWN", "back", ""};
  b.MotionNeg[1] = {"A", "moveleft", ""};
  b.MotionPos[2] = {"RIGHTARROW", "turnright", ""};
  b.MotionNeg[2] = {"LEFTARROW", "turnleft", ""};
  b.MotionPos[3] = {"PGUP", "lookup", ""};
  b.MotionPos[4] = {"", "zoom", ""};
  b.MotionNeg[5] = {"Q", "roll", ""};
  return b;
}

struct Case {
  std::string field;
  std::string expected;
};

TEST(CheckForJoy, FillsPlaceholdersInTheirOrder) {
  const Case cases[] = {
      {"bind ^03 fire", "bind +attackfire"},  // the blank after the number goes with it
      {"key " + S + "05x", ""},               // empty GameInput empties the field
      {Y + "-2x", "turnleft"},
      {L + "07x", L + "07x"},            // 7 is no axis: returned unchanged
      {"^20x^03x", "^20x^03x"},          // only the first "^" is looked at
      {"^03x" + L + "-1x", "+attackA"},  // two passes
      {"plain text", "plain text"},
      {"", ""},
      {S + "03x and " + S + "03x", "MOUSE1 and MOUSE1"},
      {"^15x", "last"},
      {"^16x", "^16x"},
      {"^-1x", "^-1x"},
      {Y + "02x", "turnright"},
      {Y + "+3x", "lookup"},
      {Y + " 3x", "lookup"},
      {Y + "-0x", "back"},  // -0 is the negative direction of axis 0
      {Y + "00x", "forward"},
      {Y + "-5x", "roll"},
      {L + "-2x", "LEFTARROW"},
      {"k=" + L + "04x", ""},                          // empty axis GameInput empties the field
      {Y + "06x" + L + "-2x", Y + "06x" + L + "-2x"},  // a yen out of range ends all replacing
      {Y + "-6x^03x", Y + "-6x+attack"},               // ...but the buttons come first
      {"^ab ^03x", "^ab ^03x"},                        // no number: treated as out of range
      {"x^3", "x^3"},                                  // one character left: no number
      {"end ^03", "end +attack"},                      // no closing character
      {"end " + Y, "end " + Y},
      {"^08x", "turnleft"},  // a replacement is searched again
      {"  ^03x  ", "  +attack  "},
  };
  GameBindings b = Bindings();
  for (const Case& c : cases) EXPECT_EQ(CheckForJoy(c.field, b), c.expected) << c.field;
}

TEST(CheckForJoy, BindingThatReproducesItselfEnds) { EXPECT_EQ(CheckForJoy("^07x", Bindings()), "^07x"); }

}  // namespace
