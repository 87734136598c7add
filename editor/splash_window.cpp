#include "editor/splash_window.h"

#include "common_ui/controller_art.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace editor {

namespace art = common_ui::art;

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setWindowTitle(QStringLiteral("Heliryx 360 Customizer"));
  auto picture = [this](int index) {
    auto* label = new QLabel(this);
    label->setAlignment(Qt::AlignCenter);
    QSize size = art::NaturalSize(art::PictureSet::Splash, index);
    label->setFixedSize(size);
    label->setPixmap(art::Picture(art::PictureSet::Splash, index, size, devicePixelRatioF()));
    return label;
  };
  imgTitle = picture(0);
  imgLogo = picture(1);
  txtStatus = new QPlainTextEdit(this);
  txtStatus->setReadOnly(true);
  txtStatus->setFrameShape(QFrame::NoFrame);
  // The pictures are drawn for a dark ground: the whole window takes it.
  setAutoFillBackground(true);
  QPalette dark = palette();
  dark.setColor(QPalette::Window, QColor(0x16, 0x1c, 0x26));
  dark.setColor(QPalette::Base, QColor(0x16, 0x1c, 0x26));
  dark.setColor(QPalette::Text, QColor(0xd8, 0xde, 0xe8));
  setPalette(dark);
  txtStatus->setFixedHeight(48);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(imgTitle, 0, Qt::AlignHCenter);
  layout->addWidget(imgLogo, 0, Qt::AlignHCenter);
  layout->addWidget(txtStatus);
  setFixedSize(sizeHint());
}

}  // namespace editor
