#include "emulator/emulator_settings.h"

#include "config_store/install_folder.h"
#include "emulator/polling_loop.h"
#include "platform/program_files.h"
#include "platform/text.h"

namespace emulator {

std::string EmulatorIniPath() { return config_store::EmulatorIniPath(platform::ProgramFolder()); }

std::string ActionFromText(const std::string& value, const KeyTable& table) {
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

void ApplyEmulatorSettings(const config_store::PointerlySettings& settings, const KeyTable& table,
                           EmulatorState& state) {
  static_assert(kButtonCount == config_store::kPointerlyButtons && kAxisCount == config_store::kPointerlyAxes);
  for (int b = 0; b < kButtonCount; ++b) {
    state.ButtonMap[b].State = "UP";
    state.ButtonMap[b].Action = ActionFromText(settings.Button[b], table);
  }
  for (int a = 0; a < kAxisCount; ++a) {
    MotionMapEntry& m = state.MotionMap[a];
    m.Deadzone = DeadzoneFromText(settings.Deadzone[a], m.Deadzone);
    m.NegAction = ActionFromText(settings.MotionNeg[a], table);
    m.PosAction = ActionFromText(settings.MotionPos[a], table);
  }
}

void LoadEmulatorSettings(const std::string& iniFile, const KeyTable& table, EmulatorState& state) {
  ApplyEmulatorSettings(config_store::ReadPointerlyIni(iniFile), table, state);
}

}  // namespace emulator
