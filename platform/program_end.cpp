#include "platform/program_end.h"

#include <QCoreApplication>

namespace platform {

bool ProgramEnd::End(int exitCode) {
  if (ended_) return false;
  ended_ = true;
  exitCode_ = exitCode;
  emit ended(exitCode);
  return true;
}

void LeaveEventLoopOnEnd(const ProgramEnd& end) {
  QObject::connect(&end, &ProgramEnd::ended, QCoreApplication::instance(),
                   [](int exitCode) { QCoreApplication::exit(exitCode); });
}

}  // namespace platform
