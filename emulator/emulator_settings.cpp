#include "emulator/emulator_settings.h"

#include "config_store/install_folder.h"
#include "emulator/polling_loop.h"
#include "platform/profile.h"
#include "platform/program_files.h"
#include "platform/text.h"

namespace emulator {

std::string EmulatorIniPath() { return config_store::EmulatorIniPath(platform::ProgramFolder()); }

std::string ReadEmulatorIni(const std::string& iniFile, const std::string& section, const std::string& key) {
  return platform::GetProfileString(section, key, "ERROR", iniFile);
}

std::string ReadIniAction(const std::string& iniFile, const KeyTable& table, const std::string& section,
                          const std::string& key) {
  std::string value = ReadEmulatorIni(iniFile, section, key);
  if (value == "X" || value == "Y" || KeyExists(table, value)) return value;
  return "";
}

int16_t DeadzoneFromText(const std::string& text, int16_t previous) {
  int16_t deadzone = previous;
  if (std::optional<double> number = platform::ParseDecimal(text)) {
    double rounded = RoundHalfToEven(*number);
    if (rounded >= -32768 && rounded <= 32767) deadzone = static_cast<int16_t>(rounded);
  }
  if (deadzone < 0 || deadzone > 6000) deadzone = 2000;
  return deadzone;
}

void LoadEmulatorSettings(const std::string& iniFile, const KeyTable& table, EmulatorState& state) {
  for (int b = 0; b < kButtonCount; ++b) {
    state.ButtonMap[b].State = "UP";
    state.ButtonMap[b].Action = ReadIniAction(iniFile, table, "BUTTONS", "BUTTON_" + std::to_string(b));
  }
  for (int a = 0; a < kAxisCount; ++a) {
    MotionMapEntry& m = state.MotionMap[a];
    m.Deadzone = DeadzoneFromText(ReadEmulatorIni(iniFile, "DEADZONE", "DEADZONE_" + std::to_string(a)), m.Deadzone);
    m.NegAction = ReadIniAction(iniFile, table, "MOTIONS", "MOTION_" + std::to_string(a) + "_NEG");
    m.PosAction = ReadIniAction(iniFile, table, "MOTIONS", "MOTION_" + std::to_string(a) + "_POS");
  }
}

}  // namespace emulator
