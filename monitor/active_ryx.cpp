#include "monitor/active_ryx.h"

#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/win_path.h"

namespace monitor {

using platform::EqualsNoCase;

static std::string Inverted(const std::string& sign) {
  if (sign == "+") return "-";
  if (sign == "-") return "+";
  return sign;
}

std::vector<std::string> ActiveRyxLines(const ActivationValues& v, const std::string& programFolder) {
  std::vector<std::string> lines;
  for (int k = 0; k <= 5; ++k) lines.push_back("--reset-sensitivity-curve " + std::to_string(k));

  for (int k = 0; k <= 5; ++k) {
    const std::string& curve = v.Curve[k];
    if (curve.empty()) continue;
    std::string path = curve;
    // ".\crv\a.crv" is the program folder's crv\a.crv, found as Windows would find it.
    if (curve.size() >= 2 && curve[0] == '.' && curve[1] == '\\')
      path = platform::ResolveNoCase(programFolder, curve.substr(2));
    lines.push_back("--upload-sensitivity-curve " + std::to_string(k) + " \"" + path + "\"");
  }

  lines.push_back(EqualsNoCase(v.UseChording, "TRUE") ? "--set-chording on" : "--set-chording off");
  lines.push_back("--set-null-region " + v.NullRegion);

  if (EqualsNoCase(v.UseMaster, "TRUE")) {
    lines.push_back("--set-master-sensitivity " + v.Sens[6]);
    lines.push_back("--set-master-gain " + v.Gain[6]);
  } else {
    for (int k = 0; k <= 5; ++k) lines.push_back("--set-sensitivity " + std::to_string(k) + " " + v.Sens[k]);
    for (int k = 0; k <= 5; ++k) lines.push_back("--set-gain " + std::to_string(k) + " " + v.Gain[k]);
  }

  auto a = [&](int k) { return v.AxisMap[k] - 1; };
  if (!EqualsNoCase(v.Orientation, "HORIZONTAL")) {
    for (int k = 0; k <= 5; ++k) lines.push_back("--set-axis " + std::to_string(a(k)) + " " + std::to_string(k));
    for (int k = 0; k <= 5; ++k) lines.push_back("--set-polarity " + std::to_string(k) + " " + v.Polarity[k]);
  } else {
    static const int t[6] = {0, 2, 1, 3, 5, 4};
    for (int k = 0; k <= 5; ++k) {
      std::string q = v.Polarity[a(k)];
      if (k == 2 || k == 5) q = Inverted(q);
      lines.push_back("--set-polarity " + std::to_string(a(k)) + " " + q);
    }
    for (int k = 0; k <= 5; ++k) lines.push_back("--set-axis " + std::to_string(a(k)) + " " + std::to_string(t[k]));
  }

  if (EqualsNoCase(v.UsePrecision, "TRUE")) {
    lines.push_back("--set-precision-button " + platform::ToLower(v.PrecisionMode) + " " + v.PrecisionButton);
    lines.push_back("--set-precision-sensitivity " + v.PrecisionSens);
    lines.push_back("--set-precision-gain " + v.PrecisionGain);
  }
  return lines;
}

bool WriteRyxFile(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return platform::WriteFileAtomic(path, text);
}

std::vector<std::string> ReadRyxFile(const std::string& path) {
  auto text = platform::ReadFileBytes(path);
  return text ? platform::SplitLines(*text) : std::vector<std::string>{};
}

}  // namespace monitor
