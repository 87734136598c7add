// What the two start probes report, the same way: the time from the stamp the
// bench took just before starting the probe to a shown window, then the
// resident memory once the window has idled.
#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <time.h>

namespace bench_start {

// CLOCK_MONOTONIC in nanoseconds: the bench and its probes share it.
inline long long MonotonicNs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The processor time this process has used so far, user and system.
inline double CpuMs() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

inline long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

// Called once the window is shown and painted: prints the milliseconds since
// `startStamp` (from the bench's command line) and the processor time used to
// get there, lets the event loop run idle for `idleMs`, then prints the
// resident kilobytes and ends the loop.
inline void ReportShown(const char* startStamp, int idleMs) {
  double shownMs = (MonotonicNs() - std::atoll(startStamp)) / 1e6;
  double cpuMs = CpuMs();
  QTimer::singleShot(idleMs, [shownMs, cpuMs] {
    std::printf("%.2f %.2f %ld\n", shownMs, cpuMs, ResidentKb());
    std::fflush(stdout);
    QCoreApplication::exit(0);
  });
}

}  // namespace bench_start
