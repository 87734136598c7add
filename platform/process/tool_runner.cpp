#include "platform/process/tool_runner.h"

#include <QMetaMethod>
#include <QTimer>

namespace platform {

RunEnd ProcessRunner::Run(const std::string& commandLine) {
  // Only a runner someone listens to wakes up while it waits.
  QTimer check;
  if (isSignalConnected(QMetaMethod::fromSignal(&ProcessRunner::stillWaiting))) {
    QObject::connect(&check, &QTimer::timeout, this, &ProcessRunner::stillWaiting);
    check.start(kWaitCheckMs);
  }
  RunEnd end = RunEnd::Finished;
  RunAndWait(commandLine, false, {limitMs_, &stop_}, &end);
  return end;
}

RunEnd ProcessRunner::Start(const std::string& commandLine) {
  RunEnd end = RunEnd::Finished;
  RunAndWait(commandLine, true, {limitMs_, &stop_}, &end);
  return end;
}

}  // namespace platform
