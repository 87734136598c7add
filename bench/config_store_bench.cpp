// The configuration store: a load of a full-layout configuration against the
// same keys read one by one through the profile engine, and a save.
#include "config_store/scg_layout.h"
#include "config_store/scg_reader.h"
#include "config_store/scg_writer.h"
#include "platform/profile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace config_store;
namespace fs = std::filesystem;

namespace {

// A program folder holding the full-layout fixture and the curve it names.
struct Program {
  std::string folder;
  std::string scg;
  Program() {
    folder = (fs::temp_directory_path() / ("heliryx-bench-" + std::to_string(::getpid()))).string();
    fs::create_directories(folder + "/scg");
    fs::create_directories(folder + "/crv");
    std::ofstream(folder + "/crv/fast.crv") << "curve";
    std::ifstream in(std::string(HELIRYX_SOURCE_DIR) + "/config_store/tests/data/full_layout.scg", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    scg = folder + "/scg/game.scg";
    std::ofstream(scg, std::ios::binary) << text.str();
  }
  ~Program() { fs::remove_all(folder); }
  ConfigSession Session() const {
    ConfigSession s;
    s.ProgramFolder = folder;
    return s;
  }
};

const Program& TheProgram() {
  static Program program;
  return program;
}

// Every key and vector of the layout read as the editor read them before: the
// engine opens and parses the file once per key.
void PerKeyRead(const std::string& file) {
  for (const ScgKey& key : Layout().keys)
    benchmark::DoNotOptimize(platform::GetProfileString(key.section, key.key, "ERROR", file));
  for (const ScgVector& v : Layout().vectors)
    benchmark::DoNotOptimize(platform::GetProfileString("HELIRYX", v.key, v.missing, file));
}

void BM_ReadSCG(benchmark::State& state) {
  const Program& p = TheProgram();
  ConfigSession s = p.Session();
  for (auto _ : state) benchmark::DoNotOptimize(ReadSCG(p.scg, false, s));
}
BENCHMARK(BM_ReadSCG)->Unit(benchmark::kMicrosecond);

void BM_PerKeyRead(benchmark::State& state) {
  const Program& p = TheProgram();
  for (auto _ : state) PerKeyRead(p.scg);
}
BENCHMARK(BM_PerKeyRead)->Unit(benchmark::kMicrosecond);

// Both in the same iterations, as a ratio of their times.
void BM_ReadSCGAgainstPerKeyRead(benchmark::State& state) {
  const Program& p = TheProgram();
  ConfigSession s = p.Session();
  using Clock = std::chrono::steady_clock;
  Clock::duration load{}, perKey{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    benchmark::DoNotOptimize(ReadSCG(p.scg, false, s));
    auto t1 = Clock::now();
    PerKeyRead(p.scg);
    auto t2 = Clock::now();
    load += t1 - t0;
    perKey += t2 - t1;
  }
  state.counters["ratio"] = static_cast<double>(perKey.count()) / static_cast<double>(load.count());
}
BENCHMARK(BM_ReadSCGAgainstPerKeyRead)->Unit(benchmark::kMicrosecond);

void BM_SaveChanges(benchmark::State& state) {
  const Program& p = TheProgram();
  ConfigSession s = p.Session();
  ReadSCG(p.scg, false, s);
  SaveContext context;
  context.ProgramFolder = p.folder;
  std::string target = p.folder + "/scg/saved.scg";
  for (auto _ : state) benchmark::DoNotOptimize(SaveChanges(target, s.GameConfig, s.Lists, s.Instructions, context));
}
BENCHMARK(BM_SaveChanges)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
