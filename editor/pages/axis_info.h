// One physical axis as the axis map holds it: the motions page keeps one per
// axis (1..6) and hands the others a read-only view.
#pragma once

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

}  // namespace editor
