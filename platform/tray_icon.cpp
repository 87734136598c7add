#include "platform/tray_icon.h"

#include "platform/dialogs.h"
#include "platform/text.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

namespace platform {

std::string CutTip(const std::string& tip) { return tip.size() > kTipLimit ? tip.substr(0, kTipLimit) : tip; }

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {
  connect(&trayWatch_, &QTimer::timeout, this, &TrayIcon::WatchTray);
}

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Docked() const { return tray_ && tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable(); }

QRect TrayIcon::Geometry() const { return Docked() ? tray_->geometry() : QRect(); }

void TrayIcon::WatchTray() {
  if (Docked()) {
    trayWatch_.stop();
    if (missingTold_) emit trayAppeared();
    return;
  }
  if (!missingTold_ && sinceAdd_.elapsed() >= kTrayWaitMs) {
    missingTold_ = true;
    trayWatch_.setInterval(2000);  // from now on only to see a tray that comes later
    emit trayMissing();
  }
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
  if (menu_) tray_->setContextMenu(menu_);
  connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why == QSystemTrayIcon::DoubleClick) emit doubleClicked();
    // An XEmbed tray has opened the menu already; a StatusNotifier host that
    // asks the icon for its menu instead of showing the exported one gets it here.
    if (why == QSystemTrayIcon::Context && menu_ && !menu_->isVisible()) menu_->popup(QCursor::pos());
  });
  tray_->show();
  // Qt docks the icon whenever a tray appears; what is watched here is only
  // whether one has, so that the program can say so.
  sinceAdd_.start();
  trayWatch_.start(500);
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
  trayWatch_.stop();
  if (tray_) tray_->hide();
  tray_.reset();
}

void TrayIcon::SetMenu(QMenu* menu) {
  menu_ = menu;
  if (tray_) tray_->setContextMenu(menu);
}

}  // namespace platform
