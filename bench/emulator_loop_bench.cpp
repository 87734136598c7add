// The emulator's loop as it runs, beside the floor it stands on. Pointerly's
// real window and 10 ms timer, an SDL virtual joystick held at a deflection so
// every tick moves the pointer, and the real input backend when one works here
// (XTest under xvfb-run), else a recording sink; at the same time, in a second
// process, a bare Qt program with one window and a 10 ms precise timer that
// does nothing. Prints, for both, the CPU share, the tick interval's median and
// 99th percentile, and the allocations per tick.
//
//   bench_emulator_loop [seconds] [--shown] [--recording]
//     (default 60 s; --shown shows both windows; --recording keeps the input instead of sending it)
#include "emulator/main_window.h"
#include "platform/input/recording_sink.h"
#include "platform/input/virtual_joystick.h"
#include "platform/program_end.h"
#include "platform/qt_start.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using Clock = std::chrono::steady_clock;

// Every allocation of the process is counted (the glibc allocator underneath).
namespace {
std::atomic<long> allocations{0};
}
#if !defined(__SANITIZE_ADDRESS__)
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* malloc(size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_calloc(count, size);
}
void* realloc(void* p, size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_realloc(p, size);
}
}
#endif

namespace {

// The system's sink, or a recording one (asked for, or when the system has
// none); `backend` names the one opened.
class BenchSinks : public platform::InputSinkSource {
 public:
  BenchSinks(bool recording, std::string& backend) : recording_(recording), backend_(backend) {}
  std::unique_ptr<platform::InputSink> Open(std::string& whyNot) override {
    std::unique_ptr<platform::InputSink> sink = recording_ ? nullptr : platform::OpenInputSink(whyNot);
    if (!sink) sink = std::make_unique<platform::RecordingSink>();
    backend_ = sink->Name();
    return sink;
  }

 private:
  bool recording_;
  std::string& backend_;
};

struct Run {
  double cpuSeconds = 0;
  double wallSeconds = 0;
  size_t ticks = 0;
  double median = 0, p99 = 0;  // tick interval, ms
  double allocationsPerTick = 0;
};

// Measures from the first tick on, so start-up is left out.
class TickLog {
 public:
  explicit TickLog(int seconds) { times_.reserve(static_cast<size_t>(seconds) * 110 + 10); }
  void Tick() {
    if (times_.empty()) {
      cpuStart_ = std::clock();
      allocationsStart_ = allocations.load();
    }
    times_.push_back(Clock::now());
  }
  Run Finish() const {
    Run run;
    run.cpuSeconds = double(std::clock() - cpuStart_) / CLOCKS_PER_SEC;
    run.allocationsPerTick = double(allocations.load() - allocationsStart_) / std::max<size_t>(1, times_.size());
    if (times_.size() < 2) return run;
    run.wallSeconds = std::chrono::duration<double>(times_.back() - times_.front()).count();
    run.ticks = times_.size();
    std::vector<double> intervals;
    for (size_t i = 1; i < times_.size(); ++i)
      intervals.push_back(std::chrono::duration<double, std::milli>(times_[i] - times_[i - 1]).count());
    std::sort(intervals.begin(), intervals.end());
    run.median = intervals[intervals.size() / 2];
    run.p99 = intervals[std::min(intervals.size() - 1, intervals.size() * 99 / 100)];
    return run;
  }

 private:
  std::vector<Clock::time_point> times_;
  std::clock_t cpuStart_ = 0;
  long allocationsStart_ = 0;
};

// The bare program: one window, one precise 10 ms timer, nothing else.
int Bare(int argc, char** argv, int seconds, bool shown) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("bare timer");
  if (shown) window.show();
  TickLog log(seconds);
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&] { log.Tick(); });
  timer.start();
  QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [&] { app.quit(); });
  app.exec();
  Run run = log.Finish();
  std::printf("%f %f %zu %f %f %f\n", run.cpuSeconds, run.wallSeconds, run.ticks, run.median, run.p99,
              run.allocationsPerTick);
  return 0;
}

void Print(const char* name, const Run& run) {
  std::printf(
      "%-10s %5.1f s, %6zu ticks (%.1f a second), CPU %.3f s = %.2f %% of one core, "
      "interval median %.3f ms, p99 %.3f ms, %.2f allocations a tick\n",
      name, run.wallSeconds, run.ticks, run.ticks / std::max(run.wallSeconds, 1e-9), run.cpuSeconds,
      100.0 * run.cpuSeconds / std::max(run.wallSeconds, 1e-9), run.median, run.p99, run.allocationsPerTick);
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = 60;
  bool shown = false, bare = false, recording = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--shown") == 0)
      shown = true;
    else if (std::strcmp(argv[i], "--recording") == 0)
      recording = true;
    else if (std::strcmp(argv[i], "--bare") == 0)
      bare = true;
    else
      seconds = std::max(1, std::atoi(argv[i]));
  }
  platform::PrepareQtPlatform();
  if (bare) return Bare(argc, argv, seconds, shown);

  // The bare program runs beside this one, so both see the same machine.
  int out[2];
  if (::pipe(out) != 0) return 1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string secondsText = std::to_string(seconds);
  std::vector<char*> args = {argv[0], const_cast<char*>("--bare"), secondsText.data()};
  if (shown) args.push_back(const_cast<char*>("--shown"));
  args.push_back(nullptr);
  pid_t barePid = 0;
  if (posix_spawn(&barePid, "/proc/self/exe", &actions, nullptr, args.data(), environ) != 0) return 1;
  ::close(out[1]);

  QApplication app(argc, argv);
  QTemporaryDir folder;
  std::string ini = QDir(folder.path()).filePath("pointerly.ini").toStdString();
  QFile file(QString::fromStdString(ini));
  file.open(QIODevice::WriteOnly);
  file.write(
      "[DEADZONE]\r\nDEADZONE_0=2000\r\nDEADZONE_1=2000\r\n"
      "[MOTIONS]\r\nMOTION_0_POS=\"X\"\r\nMOTION_0_NEG=\"X\"\r\nMOTION_1_POS=\"Y\"\r\nMOTION_1_NEG=\"Y\"\r\n"
      "MOTION_2_POS=\"VK_W\"\r\nMOTION_2_NEG=\"VK_S\"\r\n"
      "[BUTTONS]\r\nBUTTON_0=\"VM_LEFTDOWN\"\r\nBUTTON_1=\"VK_SPACE\"\r\n");
  file.close();

  platform::VirtualJoystick device("Heliryx 360");
  // A slow drift, so the pointer stays on the screen for the whole run.
  device.SetAxis(0, 32768 - 2400);
  device.SetAxis(1, 32768 + 2300);

  TickLog log(seconds);
  std::string backend;
  BenchSinks sinks(recording, backend);
  emulator::frmMain form(ini, sinks);
  platform::LeaveEventLoopOnEnd(form.End());
  QObject::connect(&form, &emulator::frmMain::ticked, [&] { log.Tick(); });
  if (shown) form.show();
  form.Form_Load();
  if (form.Ended()) return 1;
  if (auto* recording = dynamic_cast<platform::RecordingSink*>(form.Sink())) {
    // Keep memory flat over a long run without allocating in the ticks.
    recording->delivered.reserve(static_cast<size_t>(seconds) * 110 + 10);
  }
  QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [&] { form.Form_Unload(0); });
  app.exec();
  Run pointerly = log.Finish();

  std::string text;
  char buffer[512];
  ssize_t n;
  while ((n = ::read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  ::waitpid(barePid, nullptr, 0);
  Run floor;
  std::sscanf(text.c_str(), "%lf %lf %zu %lf %lf %lf", &floor.cpuSeconds, &floor.wallSeconds, &floor.ticks,
              &floor.median, &floor.p99, &floor.allocationsPerTick);

  std::printf("backend %s, windows %s\n", backend.c_str(), shown ? "shown" : "hidden");
  Print("pointerly", pointerly);
  Print("bare timer", floor);
  double share = pointerly.cpuSeconds / std::max(pointerly.wallSeconds, 1e-9);
  double floorShare = floor.cpuSeconds / std::max(floor.wallSeconds, 1e-9);
  std::printf("CPU ratio pointerly / bare timer: %.2f\n", share / std::max(floorShare, 1e-9));
  return 0;
}
