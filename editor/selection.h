// One rule for the whole window: a selection made by code runs the control's
// handler exactly as the player's selection does, once.
//
// Qt's own signals differ from that (a combo box selects its first item by
// itself when the first item is added, reports -1 when cleared and is silent
// when the index does not change), so:
//  - filling a control (AddItem, Clear) is done under a signal blocker and runs
//    no handler;
//  - the player's actions reach the handlers through the user signals
//    (activated, clicked) or, for sliders and check boxes, the change signal;
//  - code changes a value only through Select/SetText/SetOption/SetChecked/
//    SetValue, which change it under a blocker and then run the handler
//    themselves: always for a list selection; for an option button, a check
//    box and a slider only when the value really changes (as their events do);
//  - while the window is filled from a freshly loaded record (FillScope), code
//    selections run no handler: the load has already made every value those
//    handlers would store, and the window only shows it.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QRadioButton;
class QSlider;

namespace editor {

using Handler = std::function<void()>;

// Connects a control's player signal to `handler` and remembers the handler
// for the selections made by code. One handler per control.
void OnClick(QComboBox* box, Handler handler);
void OnClick(QAbstractButton* button, Handler handler);  // option buttons, check boxes, buttons
void OnChange(QSlider* slider, Handler handler);

class FillScope {
 public:
  FillScope();
  ~FillScope();
  FillScope(const FillScope&) = delete;
  FillScope& operator=(const FillScope&) = delete;
};

// Runs the handler remembered for `control`, if any.
void RaiseHandler(QObject* control);

// List filling: never runs a handler.
void AddItem(QComboBox* box, const std::string& text);
void Clear(QComboBox* box);

// Code selections.
void Select(QComboBox* box, int index);
// Selects the item whose text equals `text` exactly; -1 (no item) when none does.
void SetText(QComboBox* box, const std::string& text);
void SetOption(QRadioButton* option);
void SetChecked(QCheckBox* box, bool checked);
void SetValue(QSlider* slider, int value);

// The item text as the window's 8-bit text.
std::string Text(const QComboBox* box);

}  // namespace editor
