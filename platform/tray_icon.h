// A program's notification-area icon: one icon with a tip, a double click and a
// right-button popup menu. Where no tray exists (offscreen, a bare X server) the
// icon does nothing, but keeps its state so the program's logic can be checked.
#pragma once

#include <QIcon>
#include <QObject>
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

  void SetMenu(QMenu* menu);  // shown on a right-button release

 signals:
  void doubleClicked();

 private:
  std::unique_ptr<QSystemTrayIcon> tray_;
  QMenu* menu_ = nullptr;
  bool added_ = false;
  std::string tip_;
};

}  // namespace platform
