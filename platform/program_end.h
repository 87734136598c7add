// How a program's window says that the program is over, the same way in every
// program. The first End wins: it records the exit code and emits `ended` once;
// later ones change nothing. Before the event loop runs, main() sees Ended() and
// returns ExitCode(); once it runs, main's LeaveEventLoopOnEnd makes `ended`
// leave it (and any wait that is yielding inside it).
#pragma once

#include <QObject>

namespace platform {

class ProgramEnd : public QObject {
  Q_OBJECT
 public:
  explicit ProgramEnd(QObject* parent = nullptr) : QObject(parent) {}

  // True when this call ended the program; false when it had already ended.
  bool End(int exitCode);
  bool Ended() const { return ended_; }
  int ExitCode() const { return exitCode_; }

 signals:
  void ended(int exitCode);

 private:
  bool ended_ = false;
  int exitCode_ = 0;
};

// The program's main: the end leaves the application's event loop with its exit code.
void LeaveEventLoopOnEnd(const ProgramEnd& end);

}  // namespace platform
