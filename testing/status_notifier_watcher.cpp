#include "testing/status_notifier_watcher.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <cstdio>

namespace testing_support {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kMenuInterface = QStringLiteral("com.canonical.dbusmenu");
constexpr int kCallMs = 10000;

void ReadEntry(const QDBusArgument& argument, MenuEntry& entry) {
  argument.beginStructure();
  argument >> entry.id >> entry.properties;
  argument.beginArray();
  while (!argument.atEnd()) {
    QDBusVariant child;
    argument >> child;
    MenuEntry childEntry;
    ReadEntry(child.variant().value<QDBusArgument>(), childEntry);
    entry.children.push_back(childEntry);
  }
  argument.endArray();
  argument.endStructure();
}

}  // namespace

StatusNotifierWatcher::StatusNotifierWatcher() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  claimed_ = bus.isConnected() &&
             bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                                QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties |
                                    QDBusConnection::ExportAllSignals) &&
             bus.registerService(kWatcherService);
}

void StatusNotifierWatcher::RegisterStatusNotifierItem(const QString& service) {
  items_.append(service);
  std::printf("registered %s\n", service.toUtf8().constData());
  std::fflush(stdout);
  emit StatusNotifierItemRegistered(service);
}

MenuClient::MenuClient(const QString& itemService)
    : service_(itemService),
      connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("heliryx-test-client"))) {}

MenuClient::~MenuClient() { QDBusConnection::disconnectFromBus(QStringLiteral("heliryx-test-client")); }

QString MenuClient::MenuPath() {
  QDBusMessage get = QDBusMessage::createMethodCall(
      service_, kItemPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << QStringLiteral("org.kde.StatusNotifierItem") << QStringLiteral("Menu");
  QDBusMessage reply = connection_.call(get, QDBus::BlockWithGui, kCallMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
  return reply.arguments().first().value<QDBusVariant>().variant().value<QDBusObjectPath>().path();
}

MenuEntry MenuClient::Layout() {
  MenuEntry top;
  top.id = -1;
  QString path = MenuPath();
  if (path.isEmpty()) return top;
  QDBusMessage call = QDBusMessage::createMethodCall(service_, path, kMenuInterface, QStringLiteral("GetLayout"));
  call << 0 << -1 << QStringList();
  QDBusMessage reply = connection_.call(call, QDBus::BlockWithGui, kCallMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 2) return top;
  ReadEntry(reply.arguments().at(1).value<QDBusArgument>(), top);
  return top;
}

bool MenuClient::Click(int id) {
  QString path = MenuPath();
  if (path.isEmpty()) return false;
  QDBusMessage call = QDBusMessage::createMethodCall(service_, path, kMenuInterface, QStringLiteral("Event"));
  call << id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(QVariant(0))) << 0u;
  return connection_.call(call, QDBus::BlockWithGui, kCallMs).type() == QDBusMessage::ReplyMessage;
}

}  // namespace testing_support
