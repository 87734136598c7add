// Stands in for a program started by the runner: writes what it was given to the
// file named by PROBE_OUT (and its pid to PROBE_PIDFILE): how its window was to
// appear, one line per argument, then the open descriptors above 2, sleeps PROBE_SLEEP_MS, and exits with PROBE_EXIT.
// With PROBE_EXEC it is a wrapper instead: once the file PROBE_EXEC_WHEN exists, it execs that program.
#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv) {
  if (const char* exec = std::getenv("PROBE_EXEC")) {
    std::string program = exec;
    if (const char* when = std::getenv("PROBE_EXEC_WHEN")) {
      // The test creates the file when it wants the exec; a probe left behind gives up.
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
      while (::access(when, F_OK) != 0) {
        if (std::chrono::steady_clock::now() > deadline) return 124;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
    ::unsetenv("PROBE_EXEC");  // the program may be this probe again
    ::execv(program.c_str(), argv);
    return 127;
  }
  if (const char* pidFile = std::getenv("PROBE_PIDFILE")) std::ofstream(pidFile) << ::getpid() << "\n";
  if (const char* out = std::getenv("PROBE_OUT")) {
    std::string report;
    if (const char* window = std::getenv("HELIRYX_START_WINDOW")) report += std::string("window:") + window + "\n";
    for (int i = 1; i < argc; ++i) report += std::string("arg:") + argv[i] + "\n";
    // Listed before the report file is opened, so only inherited descriptors show.
    if (DIR* dir = ::opendir("/proc/self/fd")) {
      int own = ::dirfd(dir);
      while (dirent* e = ::readdir(dir)) {
        int fd = std::atoi(e->d_name);
        if (e->d_name[0] != '.' && fd > 2 && fd != own) report += "fd:" + std::to_string(fd) + "\n";
      }
      ::closedir(dir);
    }
    std::ofstream(out, std::ios::binary | std::ios::app) << report << "end\n";
  }
  if (const char* ms = std::getenv("PROBE_SLEEP_MS"))
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(ms)));
  const char* code = std::getenv("PROBE_EXIT");
  return code ? std::atoi(code) : 0;
}
