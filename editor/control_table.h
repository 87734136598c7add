// The editor's window is a few hundred controls; they are declared as data
// (one table per page, in editor/pages/) and built here, so that a control is
// found by its name and index instead of in thousands of lines of placement.
#pragma once

#include "platform/control_names.h"

#include <QWidget>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace editor {

// PlainFrame: a frame (QGroupBox) that only holds other controls and draws
// neither border nor title.
enum class Kind { Frame, PlainFrame, Label, Combo, Check, Option, Button, Slider, Text, Image, Tabs };

// A single control has no index.
using platform::kSingle;

struct ControlSpec {
  const char* name;
  Kind kind;
  int first;             // first index of a control array, or kSingle
  int last;              // last index (== first for one member)
  const char* parent;    // "" = the page; a frame's name; "tabName/2" = page 2 of a tab control
  int x, y, w, h;        // of the first member, in pixels, inside the parent
  int dx, dy;            // step from one member to the next
  const char* captions;  // "|"-separated, one per member, or one for all; tabs: one per page
  // Sliders: maximum, small step, large step.
  int max = 0, smallStep = 1, largeStep = 1;
};

// Every built control by name and index.
class ControlRegistry {
 public:
  QWidget* Find(const std::string& name, int index = kSingle) const;
  template <class T>
  T* Get(const std::string& name, int index = kSingle) const {
    T* widget = qobject_cast<T*>(Find(name, index));
    if (!widget) throw std::logic_error("no control " + name + "(" + std::to_string(index) + ")");
    return widget;
  }
  const std::map<int, QWidget*>& Members(const std::string& name) const;
  void Add(const std::string& name, int index, QWidget* widget);
  // Every name with its members, in name order (the screenshot tool walks it).
  const std::map<std::string, std::map<int, QWidget*>>& All() const { return controls_; }

 private:
  std::map<std::string, std::map<int, QWidget*>> controls_;
};

// Builds the controls of `table` inside `page`, adding them to `registry`.
// Parents named in the table must come earlier in it (or in an earlier table).
void BuildControls(const std::vector<ControlSpec>& table, QWidget* page, ControlRegistry& registry);

// A control array of the registry, indexed as the window numbers them: cboAxis(3).
template <class T>
class ControlArray : public platform::ControlArray<T> {
 public:
  ControlArray() = default;
  ControlArray(const ControlRegistry& registry, const std::string& name)
      : platform::ControlArray<T>(Collect(registry, name)) {}

 private:
  static std::map<int, T*> Collect(const ControlRegistry& registry, const std::string& name) {
    std::map<int, T*> members;
    for (const auto& [index, widget] : registry.Members(name)) members[index] = registry.Get<T>(name, index);
    return members;
  }
};

}  // namespace editor
