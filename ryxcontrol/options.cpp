#include "ryxcontrol/options.h"

#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/win_path.h"

namespace ryxcontrol {
namespace {

struct Refusal {
  std::string message;
};

int Number(const std::string& option, const std::string& text, int low, int high) {
  auto n = platform::ParseWholeNumber(text);
  if (!n || text != platform::Trim(text) || text.empty()) throw Refusal{option + ": '" + text + "' is not a number"};
  if (*n < low || *n > high)
    throw Refusal{option + ": " + text + " is outside " + std::to_string(low) + " to " + std::to_string(high)};
  return static_cast<int>(*n);
}

// Curve paths arrive as written for Windows; the files are found on this system.
std::string CurvePath(const std::string& text) {
  std::string path = platform::SlashesForward(text);
  if (!path.empty() && path[0] == '/') return platform::ResolveNoCase("/", path);
  return path;
}

void Expect(const std::string& option, const std::vector<std::string>& args, size_t count) {
  if (args.size() - 1 != count)
    throw Refusal{option + ": expects " + std::to_string(count) + " argument" + (count == 1 ? "" : "s") + ", got " +
                  std::to_string(args.size() - 1)};
}

// Upper bounds for the device's numbers: sensitivities and gains as the
// configuration stores them (one digit and three digits), a null region of 0..127.
constexpr int kMaxSensitivity = 99;
constexpr int kMaxGain = 999;

void Apply(const std::vector<std::string>& args, DriverState& s) {
  if (args.empty()) throw Refusal{"no option given"};
  const std::string& o = args[0];
  if (o == "--set-defaults") {
    Expect(o, args, 0);
    s = DriverState::Defaults();
  } else if (o == "--reset-sensitivity-curve") {
    Expect(o, args, 1);
    s.curves[Number(o, args[1], 0, 5)].clear();
  } else if (o == "--upload-sensitivity-curve") {
    Expect(o, args, 2);
    int slot = Number(o, args[1], 0, 5);
    std::string path = CurvePath(args[2]);
    if (!platform::ReadFileBytes(path)) throw Refusal{o + ": cannot read curve file " + args[2]};
    s.curves[slot] = path;
  } else if (o == "--download-sensitivity-curve") {
    Expect(o, args, 2);
    int slot = Number(o, args[1], 0, 5);
    std::string curve = DefaultCurveText();
    if (!s.curves[slot].empty())
      if (auto uploaded = platform::ReadFileBytes(s.curves[slot])) curve = *uploaded;
    if (!platform::WriteFileAtomic(CurvePath(args[2]), curve)) throw Refusal{o + ": cannot write " + args[2]};
  } else if (o == "--set-chording") {
    Expect(o, args, 1);
    if (args[1] != "on" && args[1] != "off") throw Refusal{o + ": '" + args[1] + "' is neither on nor off"};
    s.chording = args[1] == "on";
  } else if (o == "--set-null-region") {
    Expect(o, args, 1);
    s.nullRegion = Number(o, args[1], 0, 127);
  } else if (o == "--set-master-sensitivity") {
    Expect(o, args, 1);
    s.masterSensitivity = Number(o, args[1], 0, kMaxSensitivity);
  } else if (o == "--set-master-gain") {
    Expect(o, args, 1);
    s.masterGain = Number(o, args[1], 0, kMaxGain);
  } else if (o == "--set-sensitivity") {
    Expect(o, args, 2);
    s.axes[Number(o, args[1], 0, 5)].sensitivity = Number(o, args[2], 0, kMaxSensitivity);
  } else if (o == "--set-gain") {
    Expect(o, args, 2);
    s.axes[Number(o, args[1], 0, 5)].gain = Number(o, args[2], 0, kMaxGain);
  } else if (o == "--set-axis") {
    Expect(o, args, 2);
    s.axes[Number(o, args[1], 0, 5)].position = Number(o, args[2], 0, 5);
  } else if (o == "--set-polarity") {
    Expect(o, args, 2);
    int axis = Number(o, args[1], 0, 5);
    if (args[2] != "+" && args[2] != "-") throw Refusal{o + ": '" + args[2] + "' is neither + nor -"};
    s.axes[axis].polarity = args[2][0];
  } else if (o == "--set-precision-button") {
    Expect(o, args, 2);
    if (args[1] != "physical" && args[1] != "logical")
      throw Refusal{o + ": '" + args[1] + "' is neither physical nor logical"};
    s.precisionMode = args[1];
    s.precisionButton = Number(o, args[2], 0, 31);
  } else if (o == "--set-precision-sensitivity") {
    Expect(o, args, 1);
    s.precisionSensitivity = Number(o, args[1], 0, kMaxSensitivity);
  } else if (o == "--set-precision-gain") {
    Expect(o, args, 1);
    s.precisionGain = Number(o, args[1], 0, kMaxGain);
  } else {
    throw Refusal{"unknown option '" + o + "'"};
  }
}

}  // namespace

RunOutcome ApplyOption(const std::vector<std::string>& args, DriverState& state) {
  DriverState changed = state;  // a refused run changes nothing
  try {
    Apply(args, changed);
  } catch (const Refusal& refusal) {
    return {false, refusal.message};
  }
  state = changed;
  return {true, ""};
}

std::string QuoteArguments(const std::vector<std::string>& args) {
  std::string line;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i) line += ' ';
    bool quote = args[i].empty() || args[i].find_first_of(" \t") != std::string::npos;
    line += quote ? "\"" + args[i] + "\"" : args[i];
  }
  return line;
}

}  // namespace ryxcontrol
