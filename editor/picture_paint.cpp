#include "editor/picture_paint.h"

#include <QEvent>

namespace editor {

namespace {

namespace art = common_ui::art;

void Paint(QLabel* image, art::PictureSet set, int index) {
  image->setPixmap(art::Picture(set, index, image->size(), image->devicePixelRatioF()));
}

// Paints its label on the label's first show event, which comes before the
// label's first paint, then goes.
class PaintOnShow : public QObject {
 public:
  PaintOnShow(QLabel* image, art::PictureSet set, int index) : QObject(image), set_(set), index_(index) {
    image->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* image = static_cast<QLabel*>(watched);
      Paint(image, set_, index_);
      image->removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  art::PictureSet set_;
  int index_;
};

}  // namespace

void PaintWhenShown(QLabel* image, art::PictureSet set, int index) {
  // A label already on screen has had its show event.
  if (image->isVisible())
    Paint(image, set, index);
  else
    new PaintOnShow(image, set, index);
}

void PaintWhenShown(const ControlArray<QLabel>& images, art::PictureSet set) {
  for (const auto& [index, image] : images.Members()) PaintWhenShown(image, set, index);
}

}  // namespace editor
