// Runs the game-exit step over and over for one configuration and game folder,
// until it is killed: the crash test kills it at random moments.
//   game_exit_crash_helper <program folder> <configuration file> <game folder>
#include "monitor/game_exit/exit_step.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <program folder> <configuration file> <game folder>\n", argv[0]);
    return 2;
  }
  game_exit::GameExitState state{argv[1], argv[2], "Crash Test", "crash.exe", argv[3], "", {}};
  game_exit::GameExitSeams seams;
  seams.Log = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
  for (;;) game_exit::WriteStuff(state, seams);
}
