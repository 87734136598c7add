#include "platform/tray_icon.h"

#include "platform/dialogs.h"
#include "platform/text.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

namespace platform {

std::string CutTip(const std::string& tip) { return tip.size() > kTipLimit ? tip.substr(0, kTipLimit) : tip; }

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {}

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Docked() const {
  return tray_ && tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::Add(const QIcon& icon, const std::string& tip) {
  if (added_) return;
  added_ = true;
  tip_ = CutTip(tip);
  // Created even when no tray is there yet (a program started at login before
  // the panel): Qt docks a visible icon once a tray appears.
  if (Headless()) return;
  tray_ = std::make_unique<QSystemTrayIcon>(icon);
  tray_->setToolTip(FromAnsi(tip_));
  connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why == QSystemTrayIcon::DoubleClick) emit doubleClicked();
    if (why == QSystemTrayIcon::Context && menu_) menu_->popup(QCursor::pos());
  });
  tray_->show();
}

void TrayIcon::Modify(const QIcon& icon, const std::string& tip) {
  if (!added_) return;
  tip_ = CutTip(tip);
  if (!tray_) return;
  tray_->setIcon(icon);
  tray_->setToolTip(FromAnsi(tip_));
}

void TrayIcon::SetTip(const std::string& tip) {
  if (!added_) return;
  tip_ = CutTip(tip);
  if (tray_) tray_->setToolTip(FromAnsi(tip_));
}

void TrayIcon::Remove() {
  added_ = false;
  if (tray_) tray_->hide();
  tray_.reset();
}

void TrayIcon::SetMenu(QMenu* menu) { menu_ = menu; }

}  // namespace platform
