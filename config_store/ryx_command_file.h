// The controller command file (active.ryx, exported ryx files): one option line
// for the control tool per line, CR LF ended. The option lines are built here
// for the editor and the monitor alike.
#pragma once

#include "config_store/game_config.h"

#include <array>
#include <string>
#include <vector>

namespace config_store {

// One physical axis i as the axis page holds it: the motion m(i) 1..6 and its
// polarity s(i) ("+", "-", or "0" for an axis without motion).
struct AxisAssignment {
  int Motion = 0;
  std::string Polarity;
};
using AxisAssignments = std::array<AxisAssignment, 6>;  // [i - 1]

// The assignment a loaded record implies: m(i) = AxisMap(i) USER,
// s(i) = Polarity(m(i)) USER.
AxisAssignments AxisAssignmentsFromRecord(const TGameConfig& config);

// The option lines, one function per option of the control tool.
namespace ryx {
std::string ResetCurve(int slot);
// Empty when the path cannot be quoted (it holds a double quote).
std::string UploadCurve(int slot, const std::string& path);
std::string Chording(bool on);
std::string NullRegion(const std::string& value);
std::string MasterSensitivity(const std::string& value);
std::string MasterGain(const std::string& value);
std::string Sensitivity(int axis, const std::string& value);
std::string Gain(int axis, const std::string& value);
std::string Axis(int axis, int position);
std::string Polarity(int axis, const std::string& sign);
std::string PrecisionButton(const std::string& mode, const std::string& button);
std::string PrecisionSensitivity(const std::string& value);
std::string PrecisionGain(const std::string& value);
// "+" and "-" swapped, any other text unchanged.
std::string InvertedSign(const std::string& sign);
// The Linux path of a stored curve value (".\crv\a.crv" lies in the program folder).
std::string CurveFilePath(const std::string& stored, const std::string& programFolder);
// A stored curve value as the editor keeps it: a full path (".\" made the
// program folder) when its file exists, else empty.
std::string KeptCurve(const std::string& stored, const std::string& programFolder);

// The command line of one run of the control tool (ControlToolPath): the
// tool's path in quotes, a blank, and the option line as it stands.
std::string ToolCommandLine(const std::string& programFolder, const std::string& optionLine);
}  // namespace ryx

// The editor's command file lines for the record at `SkillLevel`.
std::vector<std::string> RyxCommandLines(const TGameConfig& config, int SkillLevel, const AxisAssignments& axes,
                                         const std::string& programFolder);

// How a write of a command file ended: `error` is 0 when the file was written,
// else the errno value of the call that failed.
struct RyxWriteResult {
  int error = 0;
  bool Written() const { return error == 0; }
  // The system's words for the error ("No such file or directory").
  std::string Why() const;
};

// Writes the lines to `path`, replacing the file as a whole.
RyxWriteResult WriteRyxCommandFile(const std::string& path, const TGameConfig& config, int SkillLevel,
                                   const AxisAssignments& axes, const std::string& programFolder);

// Replaces `path` with the lines, each ended by CR LF.
RyxWriteResult WriteRyxLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace config_store
