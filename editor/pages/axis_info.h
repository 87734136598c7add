// One physical axis as the axis map holds it: the motions page keeps one per
// axis (1..6) and hands the others read-only views.
#pragma once

#include <array>
#include <string>

namespace editor {

struct TAxisInfo {
  std::string MotionText;
  std::string ComboText;
  int Motion = 0;
  std::string Polarity;
};

// AxisInfo(1..6); member 0 is unused.
using AxisInfoTable = TAxisInfo[7];

// The motion each axis's list shows (0 for "(None)"), by axis 1..6; member 0 unused.
using ShownMotions = std::array<int, 7>;

}  // namespace editor
