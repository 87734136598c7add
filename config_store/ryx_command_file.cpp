#include "config_store/ryx_command_file.h"

#include "config_store/install_folder.h"
#include "platform/file_system.h"
#include "platform/process/command_line.h"
#include "platform/text.h"
#include "platform/win_path.h"

#include <cstdio>
#include <cstring>

namespace config_store {

namespace ryx {

std::string ResetCurve(int slot) { return "--reset-sensitivity-curve " + std::to_string(slot); }
std::string UploadCurve(int slot, const std::string& path) {
  // A quote inside the path would end the quoted argument early: no line at all.
  std::optional<std::string> quoted = platform::QuoteWindowsArgument(path);
  return quoted ? "--upload-sensitivity-curve " + std::to_string(slot) + " " + *quoted : std::string();
}
std::string Chording(bool on) { return on ? "--set-chording on" : "--set-chording off"; }
std::string NullRegion(const std::string& value) { return "--set-null-region " + value; }
std::string MasterSensitivity(const std::string& value) { return "--set-master-sensitivity " + value; }
std::string MasterGain(const std::string& value) { return "--set-master-gain " + value; }
std::string Sensitivity(int axis, const std::string& value) {
  return "--set-sensitivity " + std::to_string(axis) + " " + value;
}
std::string Gain(int axis, const std::string& value) { return "--set-gain " + std::to_string(axis) + " " + value; }
std::string Axis(int axis, int position) {
  return "--set-axis " + std::to_string(axis) + " " + std::to_string(position);
}
std::string Polarity(int axis, const std::string& sign) {
  return "--set-polarity " + std::to_string(axis) + " " + sign;
}
std::string PrecisionButton(const std::string& mode, const std::string& button) {
  return "--set-precision-button " + platform::ToLower(mode) + " " + button;
}
std::string PrecisionSensitivity(const std::string& value) { return "--set-precision-sensitivity " + value; }
std::string PrecisionGain(const std::string& value) { return "--set-precision-gain " + value; }

std::string InvertedSign(const std::string& sign) {
  if (sign == "+") return "-";
  if (sign == "-") return "+";
  return sign;
}

std::string CurveFilePath(const std::string& stored, const std::string& programFolder) {
  if (stored.size() >= 2 && stored[0] == '.' && stored[1] == '\\')
    return platform::ResolveNoCase(programFolder, stored.substr(2));
  // A full path inside the program folder, as the editor holds a loaded curve.
  const std::size_t n = programFolder.size();
  if (n > 0 && stored.size() > n + 1 && stored.compare(0, n, programFolder) == 0 &&
      (stored[n] == '\\' || stored[n] == '/'))
    return platform::ResolveNoCase(programFolder, stored.substr(n + 1));
  return stored;
}

std::string KeptCurve(const std::string& stored, const std::string& programFolder) {
  std::string p = stored;
  if (p.size() >= 2 && p[0] == '.' && p[1] == '\\') p = programFolder + p.substr(1);
  return platform::FileExists(CurveFilePath(p, programFolder)) ? p : std::string();
}

std::string ToolCommandLine(const std::string& programFolder, const std::string& optionLine) {
  // The program's own path is taken literally up to the next quote, so it is
  // quoted as it stands: a folder with blanks stays one path.
  // Appended piece by piece: `"..." + std::string&&` trips a false -Wrestrict
  // in GCC 12's optimised builds.
  std::string line = "\"";
  line += ControlToolPath(programFolder);
  line += "\" ";
  line += optionLine;
  return line;
}

}  // namespace ryx

AxisAssignments AxisAssignmentsFromRecord(const TGameConfig& config) {
  AxisAssignments axes;
  for (int i = 1; i <= 6; ++i) {
    AxisAssignment& a = axes[i - 1];
    a.Motion = static_cast<int>(platform::ParseWholeNumber(config.AxisMap(i).USER).value_or(0));
    a.Polarity = a.Motion >= 1 && a.Motion <= 6 ? config.Polarity(a.Motion).USER : "0";
  }
  return axes;
}

std::vector<std::string> RyxCommandLines(const TGameConfig& c, int SkillLevel, const AxisAssignments& axes,
                                         const std::string& programFolder) {
  std::vector<std::string> lines;
  for (int k = 0; k <= 5; ++k) lines.push_back(ryx::ResetCurve(k));
  for (int k = 0; k <= 5; ++k) {
    const std::string& curve = c.Curve(k + 1).USER;
    if (curve.empty()) continue;
    std::string path = ryx::CurveFilePath(curve, programFolder);
    if (!platform::FileExists(path)) continue;
    std::string line = ryx::UploadCurve(k, path);
    if (line.empty()) {
      std::fprintf(stderr, "Curve %d not sent: its path holds a double quote: %s\n", k, path.c_str());
      continue;
    }
    lines.push_back(line);
  }
  lines.push_back(ryx::Chording(c.USE_CHORDING.USER == "TRUE"));
  lines.push_back(ryx::NullRegion(c.NULL_REGION.USER));
  int level = SkillLevel >= 1 && SkillLevel <= 3 ? SkillLevel : 2;
  if (c.USE_MASTER.USER == "TRUE") {
    lines.push_back(ryx::MasterSensitivity(c.SensitivityTable(level, 7).USER));
    lines.push_back(ryx::MasterGain(c.GainTable(level, 7).USER));
  } else {
    for (int i = 1; i <= 6; ++i)
      lines.push_back(ryx::Sensitivity(axes[i - 1].Motion - 1, c.SensitivityTable(level, i).USER));
    for (int i = 1; i <= 6; ++i) lines.push_back(ryx::Gain(axes[i - 1].Motion - 1, c.GainTable(level, i).USER));
  }
  if (c.ORIENTATION != "HORIZONTAL") {
    for (int i = 1; i <= 6; ++i) lines.push_back(ryx::Axis(axes[i - 1].Motion - 1, i - 1));
    for (int i = 1; i <= 6; ++i) lines.push_back(ryx::Polarity(axes[i - 1].Motion - 1, axes[i - 1].Polarity));
  } else {
    static const int t[6] = {0, 2, 1, 3, 5, 4};
    for (int i = 1; i <= 6; ++i) {
      const std::string& s = axes[i - 1].Polarity;
      lines.push_back(ryx::Polarity(axes[i - 1].Motion - 1, i == 3 || i == 6 ? ryx::InvertedSign(s) : s));
    }
    for (int i = 1; i <= 6; ++i) lines.push_back(ryx::Axis(axes[i - 1].Motion - 1, t[i - 1]));
  }
  if (c.USE_PRECISION.USER == "TRUE") {
    lines.push_back(ryx::PrecisionButton(c.PRECISION.MODE.USER, c.PRECISION.BUTTON.USER));
    lines.push_back(ryx::PrecisionSensitivity(c.PRECISION.SENS.USER));
    lines.push_back(ryx::PrecisionGain(c.PRECISION.GAIN.USER));
  }
  return lines;
}

std::string RyxWriteResult::Why() const { return std::strerror(error); }

RyxWriteResult WriteRyxLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return {platform::TryWriteFileAtomic(path, text)};
}

RyxWriteResult WriteRyxCommandFile(const std::string& path, const TGameConfig& config, int SkillLevel,
                                   const AxisAssignments& axes, const std::string& programFolder) {
  return WriteRyxLines(path, RyxCommandLines(config, SkillLevel, axes, programFolder));
}

}  // namespace config_store
