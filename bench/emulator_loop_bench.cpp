// The emulator's loop as it runs: the real window and 10 ms timer, an SDL
// virtual joystick held at a deflection so every tick moves the pointer, and
// the real input backend when one works here (XTest under xvfb-run), else a
// recording sink. Prints the CPU share over the run and the spread of the
// interval between ticks.
//
//   bench_emulator_loop [seconds]     (default 60)
#include "emulator/main_window.h"
#include "platform/input/recording_sink.h"
#include "platform/input/virtual_joystick.h"
#include "platform/qt_start.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

using Clock = std::chrono::steady_clock;

int main(int argc, char** argv) {
  platform::PrepareQtPlatform();
  QApplication app(argc, argv);
  int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;

  QTemporaryDir folder;
  std::string ini = QDir(folder.path()).filePath("pointerly.ini").toStdString();
  QFile file(QString::fromStdString(ini));
  file.open(QIODevice::WriteOnly);
  file.write("[DEADZONE]\r\nDEADZONE_0=2000\r\nDEADZONE_1=2000\r\n"
             "[MOTIONS]\r\nMOTION_0_POS=\"X\"\r\nMOTION_0_NEG=\"X\"\r\nMOTION_1_POS=\"Y\"\r\nMOTION_1_NEG=\"Y\"\r\n"
             "MOTION_2_POS=\"VK_W\"\r\nMOTION_2_NEG=\"VK_S\"\r\n"
             "[BUTTONS]\r\nBUTTON_0=\"VM_LEFTDOWN\"\r\nBUTTON_1=\"VK_SPACE\"\r\n");
  file.close();

  platform::VirtualJoystick device("Heliryx 360");
  // A slow drift, so the pointer stays on the screen for the whole run.
  device.SetAxis(0, 32768 - 2400);
  device.SetAxis(1, 32768 + 2300);

  std::vector<Clock::time_point> ticks;
  ticks.reserve(static_cast<size_t>(seconds) * 110);
  std::string backend;
  emulator::PointerlyHooks hooks;
  hooks.iniFile = ini;
  hooks.openSink = [&](std::string& whyNot) -> std::unique_ptr<platform::InputSink> {
    std::unique_ptr<platform::InputSink> sink = platform::OpenInputSink(whyNot);
    if (!sink) sink = std::make_unique<platform::RecordingSink>();
    backend = sink->Name();
    return sink;
  };
  hooks.afterTick = [&] { ticks.push_back(Clock::now()); };
  emulator::frmMain form(hooks);
  form.Form_Load();
  if (form.Ended()) return 1;
  if (auto* recording = dynamic_cast<platform::RecordingSink*>(form.Sink())) {
    // Keep memory flat over a long run.
    QTimer* drain = new QTimer(&app);
    QObject::connect(drain, &QTimer::timeout, [recording] { recording->delivered.clear(); });
    drain->start(1000);
  }

  std::clock_t cpuStart = std::clock();
  Clock::time_point wallStart = Clock::now();
  QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [&] { form.Form_Unload(0); });
  app.exec();
  double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();

  std::vector<double> intervals;
  for (size_t i = 1; i < ticks.size(); ++i)
    intervals.push_back(std::chrono::duration<double, std::milli>(ticks[i] - ticks[i - 1]).count());
  std::sort(intervals.begin(), intervals.end());
  auto at = [&](double q) { return intervals.empty() ? 0.0 : intervals[std::min(intervals.size() - 1, size_t(q * intervals.size()))]; };

  std::printf("backend            %s\n", backend.c_str());
  std::printf("run                %.1f s, %zu ticks (%.1f a second)\n", wall, ticks.size(), ticks.size() / wall);
  std::printf("CPU                %.3f s, %.2f %% of one core\n", cpu, 100.0 * cpu / wall);
  std::printf("tick interval      median %.3f ms, 99th percentile %.3f ms, min %.3f ms, max %.3f ms\n", at(0.5),
              at(0.99), intervals.empty() ? 0.0 : intervals.front(), intervals.empty() ? 0.0 : intervals.back());
  return 0;
}
