// Reading a generated update list against an inventory of a small
// installation folder: 100,000 MAIN lines, and CONFIG lines that each carry a
// SUPPORT and a CURVE group. Every entry differs from the inventory, so each
// is queued (the most work a line can cause).
#include "updater/update_list.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace updater;

namespace {

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// A few programs and configurations, as a player's folder holds them.
class SmallInstallation {
 public:
  SmallInstallation() {
    char pattern[] = "/tmp/heliryx-list-bench-XXXXXX";
    root_ = ::mkdtemp(pattern);
    for (const char* program : {"watchpost", "pointerly", "tunedeck"}) {
      Write(root_ / program, "#!/bin/sh\n# HELIRYX-VERSION:5.1.0.12;\n");
      fs::permissions(root_ / program, fs::perms(0755));
    }
    for (int i = 0; i < 50; ++i)
      Write(root_ / "scg" / ("game" + std::to_string(i) + ".scg"), "[VERSION]\r\nFILE_REVISION_NUMBER=1\r\n");
  }
  ~SmallInstallation() { fs::remove_all(root_); }
  std::string Path() const { return root_.string() + "/"; }

 private:
  fs::path root_;
};

std::string MainLines(int count) {
  std::string list;
  for (int i = 0; i < count; ++i)
    list += "MAIN, program" + std::to_string(i) + ".exe, 5.1.0." + std::to_string(i % 1000) + ", 123456\r\n";
  return list;
}

std::string ConfigLines(int count) {
  std::string list;
  for (int i = 0; i < count; ++i) {
    std::string n = std::to_string(i);
    list += "CONFIG, game" + n + ".scg, 2, 9000, Game number " + n + ", SUPPORT, g" + n +
            "\\base.cfg, 1500, common.dat, 40, /SUPPORT, CURVE, c" + n + ".crv, 800, soft.crv, 800, /CURVE\r\n";
  }
  return list;
}

void ReadList(benchmark::State& state, const std::string& list) {
  SmallInstallation install;
  Inventory inventory = ReadInstalledVersions(install.Path());
  size_t queued = 0;
  for (auto _ : state) {
    UpdateQueues queues;
    // A pace that never stops: the reading asks it after each line and pair.
    struct Always : ReadingPace {
      bool KeepReading() override { return true; }
    } pace;
    UpdateListReader reader(queues, inventory.InstalledVersions, &pace);
    auto error = reader.ReadAll(list);
    if (error) state.SkipWithError(error->Text().c_str());
    queued = queues.Files.Count();
    benchmark::DoNotOptimize(queues);
  }
  state.counters["lines"] = static_cast<double>(state.range(0));
  state.counters["queued"] = static_cast<double>(queued);
  state.counters["MB"] = static_cast<double>(list.size()) / (1024.0 * 1024.0);
}

void BM_MainLines(benchmark::State& state) { ReadList(state, MainLines(static_cast<int>(state.range(0)))); }
void BM_ConfigLines(benchmark::State& state) { ReadList(state, ConfigLines(static_cast<int>(state.range(0)))); }

}  // namespace

BENCHMARK(BM_MainLines)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConfigLines)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
