// Tunedeck's start against a bare Qt Widgets window built the same way, side
// by side in one run: the time from starting the program to a shown, filled
// main window, and the resident memory once it idles. Each probe runs in a
// process of its own on a fresh installation folder with the shipped
// configurations. Run by hand:
//   bench_editor_start [rounds]
// The Qt platform is the environment's (offscreen when QT_QPA_PLATFORM is
// unset); run it under xvfb-run to measure against an X server.
#include "bench/editor/start_report.h"
#include "testing/test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <sys/stat.h>
#include <vector>

using namespace testing_support;

namespace {

constexpr int kIdleMs = 1500;

struct Sample {
  double shownMs = 0;
  double cpuMs = 0;  // processor time to the shown window: less swayed by a busy machine
  long residentKb = 0;
};

bool Run(const std::string& program, std::vector<std::string> args, Sample& sample) {
  TempInstall install({}, true);
  TempFolder runtime;
  ::chmod(runtime.Path().c_str(), 0700);
  std::map<std::string, std::string> env = {{"XDG_CONFIG_HOME", install.ConfigHome()},
                                            {"XDG_RUNTIME_DIR", runtime.Path()}};
  if (!std::getenv("QT_QPA_PLATFORM")) env["QT_QPA_PLATFORM"] = "offscreen";
  for (std::string& arg : args)
    if (arg == "FOLDER") arg = install.Folder();
  args.insert(args.begin(), {std::to_string(bench_start::MonotonicNs()), std::to_string(kIdleMs)});
  RunResult run = RunProgram(program, args, env, 120000);
  std::istringstream(run.out) >> sample.shownMs >> sample.cpuMs >> sample.residentKb;
  if (run.exitCode != 0 || sample.shownMs <= 0) {
    std::fprintf(stderr, "%s failed (%d): %s\n", program.c_str(), run.exitCode, run.err.c_str());
    return false;
  }
  return true;
}

struct Spread {
  double min, median, max;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values.front(), values[values.size() / 2], values.back()};
}

void Line(const char* what, const std::vector<double>& values, const char* unit) {
  Spread s = SpreadOf(values);
  std::printf("  %-28s min %8.2f  median %8.2f  max %8.2f %s\n", what, s.min, s.median, s.max, unit);
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::printf("Qt platform: %s, %d rounds, memory after %d ms idle\n", platform ? platform : "offscreen", rounds,
              kIdleMs);
  // One unmeasured start of each warms the file cache and the font cache.
  Sample warm;
  if (!Run(EDITOR_PROBE, {"FOLDER"}, warm) || !Run(BARE_PROBE, {}, warm)) return 1;
  std::vector<double> editorMs, bareMs, timeRatio, editorCpu, bareCpu, cpuRatio, editorMb, bareMb, memoryRatio;
  for (int round = 0; round < rounds; ++round) {
    Sample editor, bare;
    if (!Run(EDITOR_PROBE, {"FOLDER"}, editor) || !Run(BARE_PROBE, {}, bare)) return 1;
    editorMs.push_back(editor.shownMs);
    bareMs.push_back(bare.shownMs);
    timeRatio.push_back(editor.shownMs / bare.shownMs);
    editorCpu.push_back(editor.cpuMs);
    bareCpu.push_back(bare.cpuMs);
    cpuRatio.push_back(editor.cpuMs / bare.cpuMs);
    editorMb.push_back(editor.residentKb / 1024.0);
    bareMb.push_back(bare.residentKb / 1024.0);
    memoryRatio.push_back(static_cast<double>(editor.residentKb) / bare.residentKb);
    std::printf("round %d: editor %.1f ms (cpu %.1f) %.1f MB, bare window %.1f ms (cpu %.1f) %.1f MB\n", round + 1,
                editor.shownMs, editor.cpuMs, editor.residentKb / 1024.0, bare.shownMs, bare.cpuMs,
                bare.residentKb / 1024.0);
  }
  std::printf("start to a shown, filled window:\n");
  Line("editor", editorMs, "ms");
  Line("bare window", bareMs, "ms");
  Line("ratio editor / bare", timeRatio, "x");
  std::printf("processor time to the shown window:\n");
  Line("editor", editorCpu, "ms");
  Line("bare window", bareCpu, "ms");
  Line("ratio editor / bare", cpuRatio, "x");
  std::printf("idle resident memory:\n");
  Line("editor", editorMb, "MB");
  Line("bare window", bareMb, "MB");
  Line("ratio editor / bare", memoryRatio, "x");
  return 0;
}
