// A stand-in for the StatusNotifier watcher that a KDE or GNOME (AppIndicator)
// desktop runs on its session bus, as a program of its own
// (status_notifier_watcher): it takes the name org.kde.StatusNotifierWatcher,
// says a host is there (so Qt's tray icon uses D-Bus), and writes each item that
// registers on standard output. It must run in another process than the icon:
// Qt asks the watcher while its own thread waits. Tests reach the registered
// item, its exported menu and the menu's events through MenuClient.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <vector>

namespace testing_support {

class StatusNotifierWatcher : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)
  Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ RegisteredStatusNotifierItems)
  Q_PROPERTY(int ProtocolVersion READ ProtocolVersion)

 public:
  // On the session bus; Claimed() says whether it got the name.
  StatusNotifierWatcher();
  bool Claimed() const { return claimed_; }

  bool IsStatusNotifierHostRegistered() const { return true; }
  QStringList RegisteredStatusNotifierItems() const { return items_; }
  int ProtocolVersion() const { return 0; }

 public slots:
  // Written on standard output as "registered SERVICE".
  void RegisterStatusNotifierItem(const QString& service);
  void RegisterStatusNotifierHost(const QString&) {}

 signals:
  void StatusNotifierItemRegistered(const QString& service);

 private:
  bool claimed_ = false;
  QStringList items_;
};

// One entry of an exported menu (com.canonical.dbusmenu's GetLayout).
struct MenuEntry {
  int id = 0;
  QVariantMap properties;  // "label", "type", "toggle-type", "toggle-state", ...
  std::vector<MenuEntry> children;
};

// A client of a registered item, on a connection of its own: calls are made
// while this thread's events are handled, so the item may live in this process.
class MenuClient {
 public:
  explicit MenuClient(const QString& itemService);
  ~MenuClient();
  // The item's Menu property ("/NO_DBUSMENU" when it exports none); "" on failure.
  QString MenuPath();
  // The menu's top entry with its children; id -1 on failure.
  MenuEntry Layout();
  // Sends the host's "clicked" event for the entry.
  bool Click(int id);

 private:
  QString service_;
  QDBusConnection connection_;
};

}  // namespace testing_support
