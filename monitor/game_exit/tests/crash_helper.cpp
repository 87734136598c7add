// Runs the game-exit step over and over for one configuration and game folder,
// until it is killed: the crash test kills it at random moments.
//   game_exit_crash_helper <program folder> <configuration file> <game folder>
#include "monitor/game_exit/exit_step.h"

#include <cstdio>

// The log goes to standard error; nothing else is shown, and there is no driver.
class LogToStandardError : public monitor::MonitorWindow, public game_exit::Driver {
 public:
  void ResetRyxDefaults() override {}
  void Line(const std::string& line) override { std::fprintf(stderr, "%s\n", line.c_str()); }
  void SelectLastLine() override {}
  void SelectLineBeforeLast() override {}
  void SetTip(const std::string&) override {}
  void Fatal(const std::string&) override {}
  std::string TimeText() override { return {}; }
};

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <program folder> <configuration file> <game folder>\n", argv[0]);
    return 2;
  }
  monitor::ActiveGame game;
  game.ActiveScgFile = argv[2];
  game.ActiveAppName = "Crash Test";
  game.ActiveExeName = "crash.exe";
  game.ActiveExeFolder = argv[3];
  game_exit::GameExitState state{argv[1], game, {}};
  LogToStandardError window;
  for (;;) game_exit::WriteStuff(state, window, window);
}
