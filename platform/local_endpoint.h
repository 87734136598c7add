// Programs find each other through local sockets in the abstract namespace,
// named after the user, the installation folder and a name (a window title or a
// program name). The kernel lets only one process listen on a name and frees it
// when that process ends, even by a crash, so nothing goes stale.
#pragma once

#include <QObject>
#include <memory>
#include <string>

class QElapsedTimer;
class QLocalServer;
class QLocalSocket;
class QTimer;

namespace platform {

// The socket name used for `name` in an installation folder (by default the
// running program's folder).
std::string EndpointName(const std::string& kind, const std::string& name);
std::string EndpointName(const std::string& kind, const std::string& name, const std::string& installFolder);

// The request that brings a program's window to the front, restored.
inline constexpr char kActivateMessage[] = "ACTIVATE";

// A listening endpoint. Messages are single lines ("WM_CLOSE", "ACTIVATE").
class LocalEndpoint : public QObject {
  Q_OBJECT
 public:
  explicit LocalEndpoint(QObject* parent = nullptr);
  ~LocalEndpoint() override;
  // Claims the name; false when another process holds it.
  bool Listen(const std::string& socketName);
  void Close();
  bool Listening() const;

 signals:
  // One line a peer sent.
  void message(const std::string& line);

 private:
  void Accept();
  std::unique_ptr<QLocalServer> server_;
};

// Sends one message line to whoever listens on the name; false when nobody does.
bool SendToEndpoint(const std::string& socketName, const std::string& message, int timeoutMs = 500);

// The previous-instance test of a program: the first copy of a program in an
// installation folder claims the name; a later copy fails to. `waitMs` lets a
// program that is starting while its predecessor is still closing retry briefly.
class SingleInstance {
 public:
  explicit SingleInstance(const std::string& programName);
  SingleInstance(const std::string& programName, const std::string& installFolder);
  bool Claim(int waitMs = 0);
  // Asks the running copy to come to the front (it receives "ACTIVATE").
  bool ActivateRunning();
  LocalEndpoint& Endpoint() { return endpoint_; }

 private:
  std::string socketName_;
  LocalEndpoint endpoint_;
};

// Activating a program just started, the way a started task is activated by its
// id: once the new copy claims its single-instance name, it is sent "ACTIVATE"
// (its window comes to the front, restored). The caller does not wait: the
// name is tried again every kRetryMs until `limitMs` has passed. Starting again
// replaces a request still trying.
class PendingActivation : public QObject {
  Q_OBJECT
 public:
  static constexpr int kRetryMs = 100;
  explicit PendingActivation(QObject* parent = nullptr);
  ~PendingActivation() override;
  void Start(const std::string& programName, const std::string& installFolder, int limitMs = 30000);

 signals:
  // The started program has taken the request.
  void delivered();

 private:
  void Try();
  void Retry();
  std::string socketName_;
  int limitMs_ = 0;
  std::unique_ptr<QElapsedTimer> clock_;
  std::unique_ptr<QTimer> retry_;
  std::unique_ptr<QLocalSocket> socket_;
};

// A top-level window title that other processes can reach, the way another
// program finds a window by its title and posts WM_CLOSE to it.
class WindowMessages : public QObject {
  Q_OBJECT
 public:
  explicit WindowMessages(const std::string& windowTitle);
  bool Listen();

 signals:
  // Another program posted WM_CLOSE to the window.
  void closeRequested();

 private:
  std::string socketName_;
  LocalEndpoint endpoint_;
};

// Posts WM_CLOSE to the window titled `windowTitle`; false when there is none.
// It does not wait for the window's program to end.
bool PostCloseToWindow(const std::string& windowTitle);
// True when a window with that title is reachable.
bool WindowExists(const std::string& windowTitle);

}  // namespace platform
