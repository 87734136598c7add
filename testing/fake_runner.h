// A stand-in for the tool runner (platform/process/tool_runner.h): it runs
// nothing, records every command line, and ends each run as the test says.
#pragma once

#include "platform/process/tool_runner.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Records every command line, awaited or not; `during` runs while an awaited
// run is going on, which is where a player's click can arrive. The runs
// numbered in `overLimit` end as if they had outlasted the limit, those in
// `stoppedAt` as if the runs had been stopped.
class FakeRunner : public platform::ToolRunner {
 public:
  std::vector<std::string> lines;
  std::function<void(size_t index, const std::string& line)> during;
  std::vector<size_t> overLimit;
  std::vector<size_t> stoppedAt;
  bool toolMissing = false;  // every awaited run cannot be started
  int running = 0;
  int mostAtOnce = 0;
  int stops = 0;

  void StopRuns() override { ++stops; }
  platform::RunEnd Start(const std::string& line) override {
    lines.push_back(line);
    return platform::RunEnd::Finished;
  }
  platform::RunEnd Run(const std::string& line) override {
    lines.push_back(line);
    if (toolMissing) return platform::RunEnd::NotStarted;
    const size_t index = lines.size() - 1;
    mostAtOnce = std::max(mostAtOnce, ++running);
    if (during) during(index, line);
    --running;
    if (Listed(stoppedAt, index)) return platform::RunEnd::Stopped;
    return Listed(overLimit, index) ? platform::RunEnd::OverLimit : platform::RunEnd::Finished;
  }
  // The control tool's options run (the tool's path taken off), and "start
  // <program>" for programs started without waiting.
  std::vector<std::string> Runs(const std::string& programFolder) const {
    std::string tool = "\"" + programFolder + "/ryxcontrol\" ";
    std::vector<std::string> runs;
    for (const std::string& l : lines) runs.push_back(l.rfind(tool, 0) == 0 ? l.substr(tool.size()) : "start " + l);
    return runs;
  }

 private:
  static bool Listed(const std::vector<size_t>& indexes, size_t index) {
    return std::find(indexes.begin(), indexes.end(), index) != indexes.end();
  }
};

}  // namespace testing_support
