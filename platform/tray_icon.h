// A program's notification-area icon: one icon with a tip, a double click and a
// popup menu. The menu is the icon's own context menu, so a StatusNotifier host
// (KDE Plasma, GNOME's AppIndicator extension) shows it from the menu the icon
// exports over D-Bus, captions, check marks and all, and an XEmbed tray opens it
// on a right click. Where no tray exists (offscreen, a bare X server) the icon
// does nothing, but keeps its state so the program's logic can be checked.
#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <memory>
#include <string>

class QMenu;
class QSystemTrayIcon;

namespace platform {

// The tip field holds 64 characters with its terminating NUL: 63 of text.
inline constexpr size_t kTipLimit = 63;
std::string CutTip(const std::string& tip);

class TrayIcon : public QObject {
  Q_OBJECT
 public:
  explicit TrayIcon(QObject* parent = nullptr);
  ~TrayIcon() override;

  // NIM_ADD: adding an icon that already exists has no effect.
  void Add(const QIcon& icon, const std::string& tip);
  // NIM_MODIFY.
  void Modify(const QIcon& icon, const std::string& tip);
  void SetTip(const std::string& tip);
  // NIM_DELETE.
  void Remove();

  bool Added() const { return added_; }
  const std::string& Tip() const { return tip_; }
  // True when a real tray shows the icon.
  bool Docked() const;
  // Where the icon is on the screen (empty while no tray shows it).
  QRect Geometry() const;

  // How long a tray may take after Add to show the icon before trayMissing.
  static constexpr int kTrayWaitMs = 5000;

  // The icon's menu; an entry chosen from it, in whichever tray, triggers its action.
  void SetMenu(QMenu* menu);

 signals:
  void doubleClicked();
  // No tray showed the icon within kTrayWaitMs of Add, on a display (without
  // one there is no tray to wait for). Told once per icon.
  void trayMissing();
  // A tray showed the icon after all, once trayMissing was told.
  void trayAppeared();

 private:
  void WatchTray();

  std::unique_ptr<QSystemTrayIcon> tray_;
  QTimer trayWatch_;
  QElapsedTimer sinceAdd_;
  bool missingTold_ = false;
  QMenu* menu_ = nullptr;
  bool added_ = false;
  std::string tip_;
};

}  // namespace platform
