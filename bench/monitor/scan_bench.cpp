// One scan of the processes and its match against the watch list, as every
// polling tick makes it: over this machine's /proc, and over a synthetic /proc
// of 2,000 processes (a tenth of them games under Wine) against 200 entries.
#include "monitor/poll_loop.h"
#include "platform/process/process_table.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

monitor::WatchTable WatchList(int entries) {
  monitor::WatchTable list;
  for (int i = 0; i < entries; ++i) list.push_back({"game" + std::to_string(i) + ".scg", "Game" + std::to_string(i) + ".exe"});
  return list;
}

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A /proc-shaped tree built once per run of the program.
std::string SyntheticProc() {
  static std::string root = [] {
    std::string dir = fs::temp_directory_path() / ("heliryx-bench-proc-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    std::string prefix = dir + "/home/.wine";
    fs::create_directories(prefix + "/drive_c/Games");
    for (int pid = 1; pid <= 2000; ++pid) {
      std::string p = dir + "/proc/" + std::to_string(pid);
      fs::create_directories(p);
      Write(p + "/stat", std::to_string(pid) + " (x) S 1 1 1 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 " +
                             std::to_string(1000 + pid) + " 0 0\n");
      if (pid % 10 == 0) {  // a game under Wine: found through its mapped files
        fs::create_symlink("/usr/lib/wine/wine64", p + "/exe");
        Write(p + "/environ", std::string("WINEPREFIX=") + prefix + '\0' + "HOME=" + dir + "/home" + '\0');
        std::string maps;
        for (int m = 0; m < 40; ++m)
          maps += "7f00000" + std::to_string(m) + "000-7f00000" + std::to_string(m) + "fff r-xp 00000000 08:01 1 "
                  "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/lib" + std::to_string(m) + ".dll\n";
        maps += "140000000-140001000 r--p 00000000 08:01 2 " + prefix + "/drive_c/Games/Other" +
                std::to_string(pid) + ".exe\n";
        Write(p + "/maps", maps);
        Write(p + "/cmdline", std::string("C:\\Games\\Other") + std::to_string(pid) + ".exe" + '\0');
      } else {
        fs::create_symlink("/usr/bin/program" + std::to_string(pid), p + "/exe");
      }
    }
    return dir + "/proc";
  }();
  return root;
}

void ScanAndMatch(benchmark::State& state, platform::ProcessTable& table) {
  monitor::WatchTable watch = WatchList(200);
  size_t listed = 0;
  for (auto _ : state) {
    std::vector<platform::ProcessInfo> processes = table.List();
    monitor::WatchedProcess found = monitor::FindWatchedProcess(processes, watch);
    benchmark::DoNotOptimize(found);
    listed = processes.size();
  }
  state.counters["processes"] = static_cast<double>(listed);
}

void BM_ScanAndMatch_ThisMachine(benchmark::State& state) {
  platform::ProcProcessTable table;
  ScanAndMatch(state, table);
}
BENCHMARK(BM_ScanAndMatch_ThisMachine)->Unit(benchmark::kMicrosecond);

void BM_ScanAndMatch_Synthetic2000(benchmark::State& state) {
  platform::ProcProcessTable table(SyntheticProc());
  ScanAndMatch(state, table);
}
BENCHMARK(BM_ScanAndMatch_Synthetic2000)->Unit(benchmark::kMicrosecond);

// The match alone: 2,000 processes, none watched, against 200 entries.
void BM_Match_2000x200(benchmark::State& state) {
  platform::ProcProcessTable table(SyntheticProc());
  std::vector<platform::ProcessInfo> processes = table.List();
  monitor::WatchTable watch = WatchList(200);
  for (auto _ : state) benchmark::DoNotOptimize(monitor::FindWatchedProcess(processes, watch));
}
BENCHMARK(BM_Match_2000x200)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(fs::path(SyntheticProc()).parent_path(), ec);
  return 0;
}
