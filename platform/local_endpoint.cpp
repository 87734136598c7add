#include "platform/local_endpoint.h"

#include "platform/program_files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <functional>
#include <unistd.h>

namespace platform {

std::string EndpointName(const std::string& kind, const std::string& name) {
  return EndpointName(kind, name, ProgramFolder());
}

std::string EndpointName(const std::string& kind, const std::string& name, const std::string& installFolder) {
  // Keyed by installation folder, so copies installed elsewhere (and tests in
  // their own temporary folders) do not see each other.
  size_t folderHash = std::hash<std::string>{}(installFolder);
  return "heliryx360." + std::to_string(::getuid()) + "." + std::to_string(folderHash) + "." + kind + "." + name;
}

LocalEndpoint::LocalEndpoint(QObject* parent) : QObject(parent) {}
LocalEndpoint::~LocalEndpoint() { Close(); }

bool LocalEndpoint::Listen(const std::string& socketName) {
  if (server_ && server_->isListening()) return true;
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
  if (!server_->listen(QString::fromStdString(socketName))) {
    server_.reset();
    return false;
  }
  connect(server_.get(), &QLocalServer::newConnection, this, &LocalEndpoint::Accept);
  return true;
}

void LocalEndpoint::Close() {
  if (server_) server_->close();
  server_.reset();
}

bool LocalEndpoint::Listening() const { return server_ && server_->isListening(); }

void LocalEndpoint::Accept() {
  while (server_ && server_->hasPendingConnections()) {
    QLocalSocket* socket = server_->nextPendingConnection();
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      while (socket->canReadLine()) {
        std::string line = socket->readLine().trimmed().toStdString();
        socket->write("OK\n");
        socket->flush();
        emit message(line);
      }
    });
  }
}

bool SendToEndpoint(const std::string& socketName, const std::string& message, int timeoutMs) {
  QLocalSocket socket;
  socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  socket.connectToServer(QString::fromStdString(socketName));
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write((message + "\n").c_str());
  socket.flush();
  // Wait for the receipt so the message is known to have arrived.
  bool delivered = socket.waitForReadyRead(timeoutMs);
  socket.disconnectFromServer();
  return delivered;
}

SingleInstance::SingleInstance(const std::string& programName) : socketName_(EndpointName("instance", programName)) {}

SingleInstance::SingleInstance(const std::string& programName, const std::string& installFolder)
    : socketName_(EndpointName("instance", programName, installFolder)) {}

bool SingleInstance::Claim(int waitMs) {
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    if (endpoint_.Listen(socketName_)) return true;
    if (clock.elapsed() >= waitMs) return false;
    QThread::msleep(50);
  }
}

bool SingleInstance::ActivateRunning() { return SendToEndpoint(socketName_, kActivateMessage); }

PendingActivation::PendingActivation(QObject* parent)
    : QObject(parent), clock_(std::make_unique<QElapsedTimer>()), retry_(std::make_unique<QTimer>()) {
  retry_->setSingleShot(true);
  connect(retry_.get(), &QTimer::timeout, this, &PendingActivation::Try);
}

PendingActivation::~PendingActivation() = default;

void PendingActivation::Start(const std::string& programName, const std::string& installFolder, int limitMs) {
  socketName_ = EndpointName("instance", programName, installFolder);
  limitMs_ = limitMs;
  clock_->start();
  Try();
}

void PendingActivation::Try() {
  retry_->stop();
  // Deleted later: this may run inside one of the old socket's own signals.
  if (socket_) socket_.release()->deleteLater();
  socket_ = std::make_unique<QLocalSocket>();
  QLocalSocket* socket = socket_.get();
  socket->setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  connect(socket, &QLocalSocket::connected, this, [socket] {
    socket->write((std::string(kActivateMessage) + "\n").c_str());
    socket->flush();
  });
  // The receipt: the program has read the request.
  connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
    if (socket != socket_.get()) return;
    socket_.release()->deleteLater();
    emit delivered();
  });
  connect(socket, &QLocalSocket::errorOccurred, this, [this, socket] {
    if (socket == socket_.get()) Retry();
  });
  socket->connectToServer(QString::fromStdString(socketName_));
}

void PendingActivation::Retry() {
  // Not there yet (the program is still starting), or gone before it read the request.
  if (socket_) socket_.release()->deleteLater();
  if (clock_->elapsed() + kRetryMs <= limitMs_) retry_->start(kRetryMs);
}

WindowMessages::WindowMessages(const std::string& windowTitle) : socketName_(EndpointName("window", windowTitle)) {
  connect(&endpoint_, &LocalEndpoint::message, this, [this](const std::string& line) {
    if (line == "WM_CLOSE") emit closeRequested();
  });
}

bool WindowMessages::Listen() { return endpoint_.Listen(socketName_); }

bool PostCloseToWindow(const std::string& windowTitle) {
  return SendToEndpoint(EndpointName("window", windowTitle), "WM_CLOSE");
}

bool WindowExists(const std::string& windowTitle) {
  QLocalSocket socket;
  socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  socket.connectToServer(QString::fromStdString(EndpointName("window", windowTitle)));
  bool found = socket.waitForConnected(200);
  socket.abort();
  return found;
}

}  // namespace platform
