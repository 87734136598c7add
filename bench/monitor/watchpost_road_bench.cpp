// The real watchpost in a temporary installation folder with the real
// ryxcontrol: the CPU time it uses while idle and while it waits for a running
// game, and the time from a watched process's start to the first ryxcontrol
// run (polling every second). HELIRYX_BENCH_SECONDS shortens the two 60-second phases.
#include "testing/test_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

using namespace testing_support;
using Clock = std::chrono::steady_clock;

namespace {

// utime + stime of a process, in seconds, from its stat line.
double CpuSeconds(int pid) {
  std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
  size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::vector<std::string> fields;
  size_t at = close + 2;
  while (at < stat.size()) {
    size_t end = stat.find(' ', at);
    if (end == std::string::npos) end = stat.size();
    fields.push_back(stat.substr(at, end - at));
    at = end + 1;
  }
  // fields[0] is field 3; utime and stime are fields 14 and 15.
  return (std::stod(fields[11]) + std::stod(fields[12])) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

size_t LineCount(const std::string& path) {
  std::string text = ReadFile(path);
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

const char* kScg =
    "[VERSION]\r\nVERSION=6.1\r\n[IDENTIFICATION]\r\nAPPLICATION_NAME=\"Bench Game\"\r\nLEVEL=INTERMEDIATE\r\n"
    "ORIENTATION=HORIZONTAL\r\n[CONFIGURATION]\r\nHIDE_FILE=FALSE\r\nEXECUTABLE=\"benchgame.exe\"\r\n"
    "USE_MASTER_USER=TRUE\r\nUSE_CHORDING_USER=FALSE\r\nUSE_KEYS=FALSE\r\n[TUNING]\r\nMOTION_ALIAS_X=-1\r\n"
    "MOTION_ALIAS_Y=-1\r\nUSE_BUTTONS=FALSE\r\nUSE_PRECISION_USER=FALSE\r\nNULL_REGION_USER=0\r\n[HELIRYX]\r\n"
    "AXIS_MAP_USER= { 0/1/2/3/4/5 }\r\nPOLARITY_USER= { +/+/+/+/+/+ }\r\n"
    "GAIN_INT_USER= { 045, 045, 045, 045, 045, 045, 045 }\r\nSENS_INT_USER= { 3/3/3/3/3/3/3 }\r\n";

}  // namespace

int main() {
  int seconds = 60;
  if (const char* s = std::getenv("HELIRYX_BENCH_SECONDS")) seconds = std::max(1, std::atoi(s));

  TempInstall install({"watchpost", "ryxcontrol"});
  WriteFile(install / "scg/bench.scg", kScg);
  for (int i = 0; i < 199; ++i)  // a watch list of 200 entries
    WriteFile(install / ("scg/other" + std::to_string(i) + ".scg"),
              "[VERSION]\r\nVERSION=6.1\r\n[CONFIGURATION]\r\nHIDE_FILE=FALSE\r\nEXECUTABLE=\"other" +
                  std::to_string(i) + ".exe\"\r\n");
  TempFolder games;
  std::string game = games / "benchgame.exe";
  std::filesystem::copy_file("/bin/sleep", game);
  const std::string log = install / "ryxcontrol.log";

  ChildProcess monitor(install / "watchpost", {"-d", "-r", "1"}, install.Environment());
  if (!WaitUntil([&] { return monitor.Stdout().find("items to the watch list.") != std::string::npos; })) {
    std::fprintf(stderr, "watchpost did not start: %s\n", monitor.Stderr().c_str());
    return 1;
  }
  std::printf("watchpost -r 1, watch list of 200 entries, this machine's processes\n");

  double before = CpuSeconds(monitor.Pid());
  ::sleep(static_cast<unsigned>(seconds));
  double idle = CpuSeconds(monitor.Pid()) - before;
  std::printf("idle:                      %.3f s CPU over %d s (%.2f %%)\n", idle, seconds, 100 * idle / seconds);

  // Reaction: the game's start to the first ryxcontrol run. Each start comes at
  // a random moment, so the figures spread over the polling interval as a
  // player's starts would.
  const int rounds = 10;
  std::mt19937 random(12345);
  std::vector<double> reactions;
  for (int round = 0; round < rounds; ++round) {
    ::usleep(static_cast<useconds_t>(std::uniform_int_distribution<int>(0, 999)(random)) * 1000);
    size_t runs = LineCount(log);
    auto start = Clock::now();
    ChildProcess g(game, {"600"});
    WaitUntil([&] { return LineCount(log) > runs; }, 20000);
    reactions.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    WaitUntil([&] { return LineCount(log) >= runs + 6 + 20; }, 20000);  // the whole activation
    if (round == rounds - 1) {
      before = CpuSeconds(monitor.Pid());
      ::sleep(static_cast<unsigned>(seconds));
      double waiting = CpuSeconds(monitor.Pid()) - before;
      std::printf("waiting for a running game: %.3f s CPU over %d s (%.2f %%)\n", waiting, seconds,
                  100 * waiting / seconds);
    }
    size_t activated = LineCount(log);
    g.Terminate();
    g.Wait();
    WaitUntil([&] { return LineCount(log) >= activated + 6; }, 20000);  // the exit step's defaults
  }
  std::sort(reactions.begin(), reactions.end());
  double sum = 0;
  for (double r : reactions) sum += r;
  std::printf(
      "game start to first ryxcontrol run: min %.0f ms, median %.0f ms, mean %.0f ms, max %.0f ms (%d starts)\n",
      reactions.front(), reactions[reactions.size() / 2], sum / reactions.size(), reactions.back(), rounds);

  RunProgram(install / "watchpost", {"-k"}, install.Environment());
  monitor.Wait(10000);
  return 0;
}
