// The player's bindings as the activation stored them for the game being
// watched. The exit step fills placeholders of CUSTOM rows from them; it never
// reads them again from the configuration file.
#pragma once

#include "config_store/scg_values.h"

#include <array>
#include <string>

namespace game_exit {

// The game's own input word (MOUSE1, PGUP), the game command bound to it, and
// the action name the mouse emulator sends.
using config_store::ActionTriple;

struct GameBindings {
  std::array<ActionTriple, 16> ButtonAlias;  // BUTTON_n_USER, n = 0..15
  std::array<ActionTriple, 6> MotionPos;     // MOTION_ALIAS_a_POS_USER, a = 0..5
  std::array<ActionTriple, 6> MotionNeg;     // MOTION_ALIAS_a_NEG_USER
};

}  // namespace game_exit
