#include "emulator/controller_search.h"

#include "platform/text.h"

namespace emulator {

static bool IsController(platform::Joystick& joystick, int id) {
  return platform::FindNoCase(joystick.ProductName(id), "Heliryx") != std::string::npos;
}

bool FindRyxDevice(platform::Joystick& joystick) {
  int count = joystick.Count();
  for (int id = 0; id < count; ++id)
    if (IsController(joystick, id)) return true;
  return false;
}

ControllerSearch SearchController(platform::Joystick& joystick) {
  ControllerSearch result;
  if (!FindRyxDevice(joystick)) return result;
  for (int id = 0; id <= 15; ++id) {
    if (!IsController(joystick, id) || !joystick.Open(id)) continue;
    result.JoyId = id;
    bool answered = joystick.Read(id, result.JoyInfo);
    if (answered && result.JoyInfo.axes[2] != 0) {
      result.found = true;
      break;
    }
  }
  return result;
}

bool ReadingOutOfRange(const platform::JoyReading& reading) { return reading.axes[0] == 0 || reading.axes[1] == 0; }

std::string JoystickInputErrorText(const platform::JoyReading& r) {
  static const char* const names[6] = {"X=", "Y=", "Z=", "R=", "U=", "V="};
  std::string text = "The Heliryx Mouse utility failed to start since your joystick input data is out of range...";
  for (int a = 0; a < 6; ++a) text += "\r\n" + std::string(names[a]) + std::to_string(r.axes[a]);
  return text;
}

}  // namespace emulator
