#include "editor/selection.h"

#include "platform/text.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

namespace editor {

static const char* const kHandlerProperty = "heliryxHandler";

// The handler lives in a small child object, so it goes with the control.
class HandlerHolder : public QObject {
 public:
  HandlerHolder(QObject* control, Handler handler) : QObject(control), run(std::move(handler)) {}
  Handler run;
};

static void Remember(QObject* control, Handler handler) {
  auto* holder = new HandlerHolder(control, std::move(handler));
  control->setProperty(kHandlerProperty, QVariant::fromValue(static_cast<QObject*>(holder)));
}

static int fillDepth = 0;
FillScope::FillScope() { ++fillDepth; }
FillScope::~FillScope() { --fillDepth; }

void RaiseHandler(QObject* control) {
  if (fillDepth > 0) return;
  auto* holder = static_cast<HandlerHolder*>(control->property(kHandlerProperty).value<QObject*>());
  if (holder && holder->run) holder->run();
}

void OnClick(QComboBox* box, Handler handler) {
  Remember(box, handler);
  QObject::connect(box, &QComboBox::activated, box, [box](int) { RaiseHandler(box); });
}

void OnClick(QAbstractButton* button, Handler handler) {
  Remember(button, handler);
  QObject::connect(button, &QAbstractButton::clicked, button, [button](bool) { RaiseHandler(button); });
}

void OnChange(QSlider* slider, Handler handler) {
  Remember(slider, handler);
  QObject::connect(slider, &QSlider::valueChanged, slider, [slider](int) { RaiseHandler(slider); });
}

void AddItem(QComboBox* box, const std::string& text) {
  QSignalBlocker blocker(box);
  int before = box->currentIndex();
  box->addItem(platform::FromAnsi(text));
  // Adding the first item selects nothing, as a list filled by a program does.
  if (before < 0) box->setCurrentIndex(-1);
}

void Clear(QComboBox* box) {
  QSignalBlocker blocker(box);
  box->clear();
}

void Select(QComboBox* box, int index) {
  {
    QSignalBlocker blocker(box);
    box->setCurrentIndex(index);
  }
  RaiseHandler(box);
}

void SetText(QComboBox* box, const std::string& text) {
  Select(box, box->findText(platform::FromAnsi(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void SetOption(QRadioButton* option) {
  if (option->isChecked()) return;
  {
    QSignalBlocker blocker(option);
    option->setChecked(true);
  }
  RaiseHandler(option);
}

void SetChecked(QCheckBox* box, bool checked) {
  if (box->isChecked() == checked) return;
  {
    QSignalBlocker blocker(box);
    box->setChecked(checked);
  }
  RaiseHandler(box);
}

void SetValue(QSlider* slider, int value) {
  int before = slider->value();
  {
    QSignalBlocker blocker(slider);
    slider->setValue(value);
  }
  if (slider->value() != before) RaiseHandler(slider);
}

std::string Text(const QComboBox* box) { return platform::ToAnsi(box->currentText()); }

}  // namespace editor
