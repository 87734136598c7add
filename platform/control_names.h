// How a window names its controls, so that tests and tools find them by the
// names a reader knows: a single control (or menu, menu entry, timer) is its
// Qt object name; a member of a control array is the array's name, "_" and
// its index ("cboAxis_3"), indexed as the window numbers the array.
#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

namespace platform {

// A single control has no index.
inline constexpr int kSingle = -1;

inline QString ControlName(const std::string& name, int index = kSingle) {
  return QString::fromStdString(index == kSingle ? name : name + "_" + std::to_string(index));
}

inline void NameControl(QObject* control, const std::string& name, int index = kSingle) {
  control->setObjectName(ControlName(name, index));
}

// A control array: its members by index, as the window numbers them (cboAxis(3)).
template <class T>
class ControlArray {
 public:
  ControlArray() = default;
  explicit ControlArray(std::map<int, T*> members) : members_(std::move(members)) {}
  T* operator()(int index) const {
    auto it = members_.find(index);
    if (it == members_.end()) throw std::out_of_range("control index " + std::to_string(index));
    return it->second;
  }
  bool Has(int index) const { return members_.count(index) != 0; }
  const std::map<int, T*>& Members() const { return members_; }

 private:
  std::map<int, T*> members_;
};

}  // namespace platform
