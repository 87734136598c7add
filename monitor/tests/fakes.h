// Stand-ins for the clock, the monitor's and the emulator's windows and the
// process table, so the monitor's logic can be driven step by step (the tool
// runner's stand-in is testing/fake_runner.h).
#pragma once

#include "monitor/monitor_services.h"
#include "monitor/monitor_window.h"
#include "platform/process/process_table.h"
#include "testing/fake_runner.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace monitor_test {

using testing_support::FakeRunner;

// Time moves only when the logic sleeps; events fire when their time is reached.
class FakeClock : public monitor::Clock {
 public:
  long long now = 0;
  std::vector<int> sleeps;
  void At(long long time, std::function<void()> event) { events_.emplace(time, std::move(event)); }
  void Sleep(int ms) override {
    sleeps.push_back(ms);
    now += ms;
    while (!events_.empty() && events_.begin()->first <= now) {
      auto event = events_.begin()->second;
      events_.erase(events_.begin());
      event();
    }
  }

 private:
  std::multimap<long long, std::function<void()>> events_;
};

// Records what the logic shows; the time is always noon.
class FakeWindow : public monitor::MonitorWindow {
 public:
  std::vector<std::string> log;
  std::string tip;
  std::vector<std::string> fatal;
  void Line(const std::string& line) override { log.push_back(line); }
  void SelectLastLine() override {}
  void SelectLineBeforeLast() override {}
  void SetTip(const std::string& text) override { tip = text; }
  void Fatal(const std::string& text) override { fatal.push_back(text); }
  std::string TimeText() override { return "12:00:00"; }
};

class FakeEmulator : public monitor::Emulator {
 public:
  int closes = 0;
  bool running = false;
  std::function<void()> onClose;
  void ClosePointerly() override {
    ++closes;
    if (onClose) onClose();
  }
  bool Running() override { return running; }
};

// Processes appear and end as the test says.
class FakeProcessTable : public platform::ProcessTable {
 public:
  struct Process {
    platform::ProcessInfo info;
    bool alive = true;
  };
  std::vector<Process> processes;  // in the order the system lists them
  int scans = 0;

  platform::ProcessInfo& Start(const std::string& exeName, int pid, const std::string& folder = "/games") {
    platform::ProcessInfo info;
    info.exeName = exeName;
    info.pid = pid;
    info.exeFolder = folder;
    info.startTime = static_cast<unsigned long long>(nextStart_++);
    processes.push_back({info, true});
    std::sort(processes.begin(), processes.end(),
              [](const Process& a, const Process& b) { return a.info.pid < b.info.pid; });
    for (auto& p : processes)
      if (p.info.pid == pid && p.alive) return p.info;
    return processes.back().info;
  }
  void End(int pid) {
    for (auto& p : processes)
      if (p.info.pid == pid) p.alive = false;
    processes.erase(std::remove_if(processes.begin(), processes.end(), [](const Process& p) { return !p.alive; }),
                    processes.end());
  }
  std::optional<platform::ProcessInfo> First(const std::function<bool(const platform::ProcessInfo&)>& wanted) override {
    ++scans;
    for (const auto& p : processes)
      if (wanted(p.info)) return p.info;
    return std::nullopt;
  }
  std::unique_ptr<platform::ProcessWatch> Watch(const platform::ProcessInfo& process) override {
    if (!Alive(process)) return nullptr;
    return std::make_unique<Watched>(*this, process);
  }
  bool Alive(const platform::ProcessInfo& process) const {
    for (const auto& p : processes)
      if (p.info.pid == process.pid && p.info.startTime == process.startTime) return true;
    return false;
  }

 private:
  class Watched : public platform::ProcessWatch {
   public:
    Watched(FakeProcessTable& table, platform::ProcessInfo info) : table_(table), info_(std::move(info)) {}
    bool Running() override { return table_.Alive(info_); }

   private:
    FakeProcessTable& table_;
    platform::ProcessInfo info_;
  };
  long long nextStart_ = 100;
};

}  // namespace monitor_test
