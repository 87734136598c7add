#include "editor/control_table.h"

#include "platform/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

namespace editor {

QWidget* ControlRegistry::Find(const std::string& name, int index) const {
  auto it = controls_.find(name);
  if (it == controls_.end()) return nullptr;
  auto member = it->second.find(index);
  return member == it->second.end() ? nullptr : member->second;
}

const std::map<int, QWidget*>& ControlRegistry::Members(const std::string& name) const {
  auto it = controls_.find(name);
  if (it == controls_.end()) throw std::logic_error("no control array " + name);
  return it->second;
}

void ControlRegistry::Add(const std::string& name, int index, QWidget* widget) {
  platform::NameControl(widget, name, index);
  controls_[name][index] = widget;
}

namespace {

// Paints nothing: what it holds paints itself, and the page shows through.
class PlainFrame : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {}
};

}  // namespace

static QWidget* ParentOf(const ControlSpec& spec, QWidget* page, const ControlRegistry& registry) {
  std::string parent = spec.parent;
  if (parent.empty()) return page;
  auto slash = parent.find('/');
  if (slash != std::string::npos) {
    auto* tabs = qobject_cast<QTabWidget*>(registry.Find(parent.substr(0, slash)));
    int tab = std::stoi(parent.substr(slash + 1));
    if (!tabs || !tabs->widget(tab)) throw std::logic_error("no tab page " + parent);
    return tabs->widget(tab);
  }
  QWidget* frame = registry.Find(parent);
  if (!frame) throw std::logic_error("no parent " + parent + " for " + spec.name);
  return frame;
}

static QWidget* Make(const ControlSpec& spec, const QString& caption, const QStringList& captions, QWidget* parent) {
  switch (spec.kind) {
    case Kind::Frame:
      return new QGroupBox(caption, parent);
    case Kind::PlainFrame:
      return new PlainFrame(parent);
    case Kind::Label:
      return new QLabel(caption, parent);
    case Kind::Combo:
      return new QComboBox(parent);
    case Kind::Check:
      return new QCheckBox(caption, parent);
    case Kind::Option:
      return new QRadioButton(caption, parent);
    case Kind::Button:
      return new QPushButton(caption, parent);
    case Kind::Slider: {
      auto* slider = new QSlider(Qt::Horizontal, parent);
      slider->setRange(0, spec.max);
      slider->setSingleStep(spec.smallStep);
      slider->setPageStep(spec.largeStep);
      slider->setTickPosition(QSlider::TicksBelow);
      slider->setTickInterval(spec.max <= 10 ? 1 : spec.largeStep * (spec.max / spec.largeStep > 20 ? 10 : 1));
      return slider;
    }
    case Kind::Text:
      return new QPlainTextEdit(caption, parent);
    case Kind::Image: {
      auto* image = new QLabel(parent);
      image->setAlignment(Qt::AlignCenter);
      return image;
    }
    case Kind::Tabs: {
      auto* tabs = new QTabWidget(parent);
      for (const QString& title : captions) tabs->addTab(new QWidget, title);
      return tabs;
    }
  }
  return nullptr;
}

void BuildControls(const std::vector<ControlSpec>& table, QWidget* page, ControlRegistry& registry) {
  for (const ControlSpec& spec : table) {
    QWidget* parent = ParentOf(spec, page, registry);
    QStringList captions = QString::fromUtf8(spec.captions ? spec.captions : "").split(QLatin1Char('|'));
    int first = spec.first, last = spec.first == kSingle ? kSingle : spec.last;
    for (int index = first, n = 0; index <= last; ++index, ++n) {
      QString caption = spec.kind == Kind::Tabs ? QString()
                        : captions.size() > 1   ? captions.value(n)
                                                : captions.value(0);
      QWidget* widget = Make(spec, caption, captions, parent);
      widget->setGeometry(spec.x + n * spec.dx, spec.y + n * spec.dy, spec.w, spec.h);
      registry.Add(spec.name, index, widget);
    }
  }
}

}  // namespace editor
