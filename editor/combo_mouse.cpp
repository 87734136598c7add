#include "editor/combo_mouse.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace editor {

clsComboMouse::clsComboMouse(QObject* parent) : QObject(parent) {}

clsComboMouse::~clsComboMouse() { UnhookCombo(); }

void clsComboMouse::HookCombo(QComboBox* cbo) {
  UnhookCombo();
  if (!cbo) return;
  mlCombo = cbo;
  comboTracking_ = cbo->hasMouseTracking();
  Watch(cbo);
  if (QLineEdit* edit = cbo->lineEdit()) {
    mlEdit = edit;
    editTracking_ = edit->hasMouseTracking();
    Watch(edit);
  }
}

void clsComboMouse::UnhookCombo() {
  if (mlEdit) Unwatch(static_cast<QWidget*>(mlEdit.data()), editTracking_);
  if (mlCombo) Unwatch(static_cast<QWidget*>(mlCombo.data()), comboTracking_);
  mlEdit = nullptr;
  mlCombo = nullptr;
}

void clsComboMouse::Watch(QWidget* widget) {
  widget->setMouseTracking(true);
  widget->installEventFilter(this);
}

void clsComboMouse::Unwatch(QWidget* widget, bool tracking) {
  widget->removeEventFilter(this);
  widget->setMouseTracking(tracking);
}

bool clsComboMouse::eventFilter(QObject* watched, QEvent* event) {
  if (!mlCombo || (watched != mlCombo && watched != mlEdit)) return false;
  if (event->type() == QEvent::ContextMenu) {
    bool Cancel = false;
    emit ContextMenu(Cancel);
    return Cancel;  // held back only when a handler asked for it
  }
  void (clsComboMouse::*raise)(short, short, float, float) = nullptr;
  switch (event->type()) {
    case QEvent::MouseMove:
      raise = &clsComboMouse::MouseMove;
      break;
    case QEvent::MouseButtonPress:
      raise = &clsComboMouse::MouseDown;
      break;
    case QEvent::MouseButtonRelease:
      raise = &clsComboMouse::MouseUp;
      break;
    case QEvent::MouseButtonDblClick:
      raise = &clsComboMouse::DblClick;
      break;
    default:
      return false;
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (event->type() != QEvent::MouseMove && mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton)
    return false;
  short Button = (mouse->buttons() & Qt::LeftButton ? 1 : 0) + (mouse->buttons() & Qt::RightButton ? 2 : 0);
  Qt::KeyboardModifiers keys = mouse->modifiers();
  short Shift =
      (keys & Qt::ShiftModifier ? 1 : 0) + (keys & Qt::ControlModifier ? 2 : 0) + (keys & Qt::AltModifier ? 4 : 0);
  QPointF at = mouse->position();
  if (watched == mlEdit) at = QPointF(static_cast<QWidget*>(watched)->mapTo(HookedCombo(), at.toPoint()));
  emit(this->*raise)(Button, Shift, float(at.x()), float(at.y()));
  return false;  // the combo box always gets its mouse events too
}

}  // namespace editor
