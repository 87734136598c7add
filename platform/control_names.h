// How a window names its controls, so that tests and tools find them by the
// names a reader knows: a single control (or menu, menu entry, timer) is its
// Qt object name; a member of a control array is the array's name, "_" and
// its index ("cboAxis_3"), indexed as the window numbers the array.
#pragma once

#include <QObject>
#include <QString>
#include <string>

namespace platform {

// A single control has no index.
inline constexpr int kSingle = -1;

inline QString ControlName(const std::string& name, int index = kSingle) {
  return QString::fromStdString(index == kSingle ? name : name + "_" + std::to_string(index));
}

inline void NameControl(QObject* control, const std::string& name, int index = kSingle) {
  control->setObjectName(ControlName(name, index));
}

}  // namespace platform
