#include "common_ui/check_attached_dialog.h"

#include "config_store/profile_helpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace common_ui {

frmCheckAttached::frmCheckAttached(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral(" Heliryx 360 Not Found"));
  Label1 = new QLabel(
      QStringLiteral("The Vantrel Heliryx 360 does not appear to be installed and selected as your primary joystick."),
      this);
  Label2 = new QLabel(
      QStringLiteral("The Heliryx 360 Kelvane software will not function correctly until this has been corrected."),
      this);
  Label1->setWordWrap(true);
  Label2->setWordWrap(true);
  Image1 = new QLabel(this);
  Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  cmdOk = new QPushButton(QStringLiteral("Continue Anyhow..."), this);
  cmdExit = new QPushButton(QStringLiteral("Exit"), this);
  chkIgnore = new QCheckBox(QStringLiteral("Do not display this error in the future"), this);

  auto* texts = new QVBoxLayout;
  texts->addWidget(Label1);
  texts->addWidget(Label2);
  auto* top = new QHBoxLayout;
  top->addWidget(Image1);
  top->addLayout(texts);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(chkIgnore);
  buttons->addStretch();
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdExit);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);

  connect(chkIgnore, &QCheckBox::clicked, this, &frmCheckAttached::chkIgnore_Click);
  connect(cmdOk, &QPushButton::clicked, this, &frmCheckAttached::cmdOk_Click);
  connect(cmdExit, &QPushButton::clicked, this, &frmCheckAttached::cmdExit_Click);
  Form_Load();
}

void frmCheckAttached::Form_Load() {
  setWindowState(Qt::WindowNoState);
  repaint();
}

void frmCheckAttached::chkIgnore_Click() {
  config_store::SaveRegString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "CheckAttached",
                              chkIgnore->isChecked() ? "False" : "True");
}

void frmCheckAttached::cmdOk_Click() { accept(); }

void frmCheckAttached::cmdExit_Click() {
  emit exitChosen();
  reject();
}

}  // namespace common_ui
