#include "editor/splash_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace editor {

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setWindowTitle(QStringLiteral("Heliryx 360 Customizer"));
  imgLogo = new QLabel(this);
  imgLogo->setAlignment(Qt::AlignCenter);
  imgLogo->setMinimumSize(360, 150);
  imgTitle = new QLabel(QStringLiteral("Heliryx 360 Customizer"), this);
  imgTitle->setAlignment(Qt::AlignCenter);
  QFont font = imgTitle->font();
  font.setPointSize(font.pointSize() + 6);
  font.setBold(true);
  imgTitle->setFont(font);
  txtStatus = new QPlainTextEdit(this);
  txtStatus->setReadOnly(true);
  txtStatus->setFixedHeight(48);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(imgLogo);
  layout->addWidget(imgTitle);
  layout->addWidget(txtStatus);
  setFixedSize(400, 280);
}

}  // namespace editor
