// Finding the controller among the system's joysticks, and the start-up check
// that its readings make sense.
#pragma once

#include "platform/input/joystick.h"

#include <string>

namespace emulator {

// True when an attached joystick's product name contains "Heliryx" (any case).
bool FindRyxDevice(platform::Joystick& joystick);

struct ControllerSearch {
  bool found = false;
  int JoyId = 0;                 // the joystick number the loop polls
  platform::JoyReading JoyInfo;  // its last reading; all 0 when none was read
};

// The first joystick, numbers 0 to 15 in order, whose name contains "Heliryx"
// and that answers with a non-zero Z reading. When none does, JoyId and JoyInfo
// are those of the last such joystick that could be opened and read.
ControllerSearch SearchController(platform::Joystick& joystick);

// X or Y exactly 0 is out of range (also when nothing was read at all).
bool ReadingOutOfRange(const platform::JoyReading& reading);

// The text of the "Joystick Input Error" box, with the six readings.
std::string JoystickInputErrorText(const platform::JoyReading& reading);

}  // namespace emulator
