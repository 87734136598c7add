// Mouse events of a combo box, which the window's own handlers cannot see:
// one clsComboMouse watches one combo box and raises its mouse events with
// the usual arguments. The combo box keeps working as before; only a context
// menu can be held back, by a ContextMenu handler that sets Cancel.
#pragma once

#include <QComboBox>
#include <QObject>
#include <QPointer>

namespace editor {

class clsComboMouse : public QObject {
  Q_OBJECT
 public:
  explicit clsComboMouse(QObject* parent = nullptr);
  ~clsComboMouse() override;  // unhooks

  // Starts watching `cbo` (a hook in place is removed first); a null combo
  // box leaves the object unhooked. Turns on the combo box's mouse tracking,
  // without which it gets no move events while no button is held.
  void HookCombo(QComboBox* cbo);
  // Stops watching and gives the combo box its own mouse tracking back.
  void UnhookCombo();
  QComboBox* HookedCombo() const { return qobject_cast<QComboBox*>(mlCombo.data()); }

 signals:
  // Button: 1 left, 2 right (held at the event, both may add up); Shift: 1
  // Shift, 2 Ctrl, 4 Alt; X, Y: the position in the combo box, in pixels.
  // Only the left and right buttons raise MouseDown, MouseUp and DblClick.
  void MouseMove(short Button, short Shift, float X, float Y);
  void MouseDown(short Button, short Shift, float X, float Y);
  void MouseUp(short Button, short Shift, float X, float Y);
  void DblClick(short Button, short Shift, float X, float Y);
  void ContextMenu(bool& Cancel);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Watch(QWidget* widget);
  void Unwatch(QWidget* widget, bool tracking);

  // Held as plain objects: a combo box being destroyed still sends events
  // while it is no longer a combo box.
  QPointer<QObject> mlCombo;    // the hooked combo box; null while nothing is hooked
  QPointer<QObject> mlEdit;     // its line edit, where an editable combo box gets the mouse
  bool comboTracking_ = false;  // the tracking each had before the hook
  bool editTracking_ = false;
};

}  // namespace editor
