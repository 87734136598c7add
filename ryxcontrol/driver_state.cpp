#include "ryxcontrol/driver_state.h"

#include "platform/file_system.h"
#include "platform/text.h"

namespace ryxcontrol {

DriverState DriverState::Defaults() {
  DriverState state;
  for (int k = 0; k < 6; ++k) state.axes[k].position = k;
  return state;
}

static std::string Optional(const std::optional<int>& value) { return value ? std::to_string(*value) : ""; }

std::string FormatState(const DriverState& s) {
  std::string out = "# Simulated Heliryx 360 driver state, written by ryxcontrol\n";
  for (int k = 0; k < 6; ++k) {
    std::string axis = "axis." + std::to_string(k) + ".";
    out += axis + "position=" + std::to_string(s.axes[k].position) + "\n";
    out += axis + "polarity=" + std::string(1, s.axes[k].polarity) + "\n";
    out += axis + "sensitivity=" + std::to_string(s.axes[k].sensitivity) + "\n";
    out += axis + "gain=" + std::to_string(s.axes[k].gain) + "\n";
  }
  for (int k = 0; k < 6; ++k) out += "curve." + std::to_string(k) + "=" + s.curves[k] + "\n";
  out += "master.sensitivity=" + Optional(s.masterSensitivity) + "\n";
  out += "master.gain=" + Optional(s.masterGain) + "\n";
  out += "null-region=" + std::to_string(s.nullRegion) + "\n";
  out += std::string("chording=") + (s.chording ? "on" : "off") + "\n";
  out += "precision.mode=" + s.precisionMode + "\n";
  out += "precision.button=" + std::to_string(s.precisionButton) + "\n";
  out += "precision.sensitivity=" + Optional(s.precisionSensitivity) + "\n";
  out += "precision.gain=" + Optional(s.precisionGain) + "\n";
  return out;
}

DriverState ParseState(const std::string& text) {
  DriverState s = DriverState::Defaults();
  for (const std::string& line : platform::SplitLines(text)) {
    size_t eq = line.find('=');
    if (line.empty() || line[0] == '#' || eq == std::string::npos) continue;
    std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    auto number = platform::ParseWholeNumber(value);
    int n = number ? static_cast<int>(*number) : 0;
    if (key.rfind("axis.", 0) == 0 && key.size() > 7 && key[5] >= '0' && key[5] <= '5') {
      AxisState& a = s.axes[key[5] - '0'];
      std::string field = key.substr(7);
      if (field == "position" && number) a.position = n;
      if (field == "polarity" && (value == "+" || value == "-")) a.polarity = value[0];
      if (field == "sensitivity" && number) a.sensitivity = n;
      if (field == "gain" && number) a.gain = n;
    } else if (key.rfind("curve.", 0) == 0 && key.size() == 7 && key[6] >= '0' && key[6] <= '5') {
      s.curves[key[6] - '0'] = value;
    } else if (key == "master.sensitivity" && number) {
      s.masterSensitivity = n;
    } else if (key == "master.gain" && number) {
      s.masterGain = n;
    } else if (key == "null-region" && number) {
      s.nullRegion = n;
    } else if (key == "chording") {
      s.chording = value == "on";
    } else if (key == "precision.mode") {
      s.precisionMode = value;
    } else if (key == "precision.button" && number) {
      s.precisionButton = n;
    } else if (key == "precision.sensitivity" && number) {
      s.precisionSensitivity = n;
    } else if (key == "precision.gain" && number) {
      s.precisionGain = n;
    }
  }
  return s;
}

std::string DefaultCurveText() {
  std::string out = "HELIRYX360 SENSITIVITY CURVE\r\n";
  for (int i = 0; i <= 16; ++i) {
    int x = i * 255 / 16;
    out += std::to_string(x) + " " + std::to_string(x) + "\r\n";
  }
  return out;
}

}  // namespace ryxcontrol
