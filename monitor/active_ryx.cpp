#include "monitor/active_ryx.h"

#include "config_store/ryx_command_file.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/win_path.h"

namespace monitor {

using platform::EqualsNoCase;

namespace ryx = config_store::ryx;

std::vector<std::string> ActiveRyxLines(const ActivationValues& v, const std::string& programFolder) {
  std::vector<std::string> lines;
  for (int k = 0; k <= 5; ++k) lines.push_back(ryx::ResetCurve(k));

  for (int k = 0; k <= 5; ++k) {
    const std::string& curve = v.Curve[k];
    if (curve.empty()) continue;
    std::string path = curve;
    // ".\crv\a.crv" is the program folder's crv\a.crv, found as Windows would find it.
    if (curve.size() >= 2 && curve[0] == '.' && curve[1] == '\\')
      path = platform::ResolveNoCase(programFolder, curve.substr(2));
    // A path that cannot be quoted would split into other arguments: not sent.
    std::string line = ryx::UploadCurve(k, path);
    if (!line.empty()) lines.push_back(line);
  }

  lines.push_back(ryx::Chording(EqualsNoCase(v.UseChording, "TRUE")));
  lines.push_back(ryx::NullRegion(v.NullRegion));

  if (EqualsNoCase(v.UseMaster, "TRUE")) {
    lines.push_back(ryx::MasterSensitivity(v.Sens[6]));
    lines.push_back(ryx::MasterGain(v.Gain[6]));
  } else {
    for (int k = 0; k <= 5; ++k) lines.push_back(ryx::Sensitivity(k, v.Sens[k]));
    for (int k = 0; k <= 5; ++k) lines.push_back(ryx::Gain(k, v.Gain[k]));
  }

  auto a = [&](int k) { return v.AxisMap[k] - 1; };
  if (!EqualsNoCase(v.Orientation, "HORIZONTAL")) {
    for (int k = 0; k <= 5; ++k) lines.push_back(ryx::Axis(a(k), k));
    for (int k = 0; k <= 5; ++k) lines.push_back(ryx::Polarity(k, v.Polarity[k]));
  } else {
    static const int t[6] = {0, 2, 1, 3, 5, 4};
    for (int k = 0; k <= 5; ++k) {
      std::string q = v.Polarity[a(k)];
      if (k == 2 || k == 5) q = ryx::InvertedSign(q);
      lines.push_back(ryx::Polarity(a(k), q));
    }
    for (int k = 0; k <= 5; ++k) lines.push_back(ryx::Axis(a(k), t[k]));
  }

  if (EqualsNoCase(v.UsePrecision, "TRUE")) {
    lines.push_back(ryx::PrecisionButton(v.PrecisionMode, v.PrecisionButton));
    lines.push_back(ryx::PrecisionSensitivity(v.PrecisionSens));
    lines.push_back(ryx::PrecisionGain(v.PrecisionGain));
  }
  return lines;
}

std::vector<std::string> ReadRyxFile(const std::string& path) {
  auto text = platform::ReadFileBytes(path);
  return text ? platform::SplitLines(*text) : std::vector<std::string>{};
}

}  // namespace monitor
