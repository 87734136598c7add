// The editor's start-up scan of the configuration folder: LoadGameList over
// 1,000 configuration files in the full layout (about 9 KB each), all listed.
#include "config_store/game_list.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A configuration in the writer's full layout, key for key, with plain values.
std::string FullLayout(int game) {
  std::string t;
  auto line = [&t](const std::string& text) { t += text + "\r\n"; };
  auto key = [&line](const std::string& k, const std::string& v) { line(k + "=" + v); };
  const std::string triple = "\"JOY1\", \"+attack\", \"VK_SPACE\"";
  line(";");
  line(";  This file was created by tunedeck at 12:00 on 01/01/2026.");
  line(";");
  line(";  Heliryx 360");
  line(";");
  line(";");
  line("");
  line("[VERSION]"), key("VERSION", "6.1"), key("APPLICATION_NUMBER", "5.1"), key("FILE_REVISION_NUMBER", "3"),
      line("");
  line("[IDENTIFICATION]");
  key("APPLICATION_NAME", "\"Game " + std::to_string((game * 7919) % 1000) + "\"");
  key("OWNER", "TOLVANE"), key("PLATFORM", "WINDOWS"), key("LEVEL", "INTERMEDIATE");
  key("ORIENTATION", "HORIZONTAL"), key("DRIVER_TYPE", "\"HIDHLRYX\""), line("");
  line("[CONFIGURATION]"), key("HIDE_FILE", "FALSE"), key("EXECUTABLE", "\"game" + std::to_string(game) + ".exe\"");
  key("COPY_FILES", "TRUE"), line("   {"), line("   \"a.cfg\", \"cfg\\a.cfg\""), line("   }"), line("");
  key("COMMAND_LINE", "\"\""), key("CUSTOM", "TRUE"), line("   {");
  for (int r = 0; r < 10; ++r) line("   \"ALWAYS\"\\, \"INI\"\\, \"cfg\\a.ini\"\\, \"Video\"\\, \"Mode\"\\, \"1\"");
  line("   }"), line(""), key("SHOW_INSTRUCTIONS", "TRUE"), line("   {");
  for (int r = 0; r < 20; ++r) line("   \"Instruction line " + std::to_string(r) + " of this game's notes.\"");
  line("   }"), line("");
  for (const char* k : {"USE_MASTER", "USE_CHORDING"})
    key(std::string(k) + "_DFLT", "TRUE"), key(std::string(k) + "_USER", "TRUE");
  key("USE_KEYS", "FALSE"), line("");
  line("[TUNING]");
  for (int m = 0; m < 6; ++m)
    key("MOTION_LABEL_" + std::to_string(m) + "_POS", "\"Right\""),
        key("MOTION_LABEL_" + std::to_string(m) + "_NEG", "\"Left\"");
  key("MOTION_ALIAS_X", "-1"), key("MOTION_ALIAS_Y", "-1");
  for (int m = 0; m < 6; ++m) key("MOTION_ALIAS_" + std::to_string(m) + "_USE_KEYS", "FALSE");
  for (const char* half : {"DFLT", "USER"})
    for (int m = 0; m < 6; ++m)
      for (const char* dir : {"POS", "NEG"}) key("MOTION_ALIAS_" + std::to_string(m) + "_" + dir + "_" + half, triple);
  key("USE_BUTTONS", "TRUE"), line("   {");
  for (int r = 0; r < 30; ++r) line("   \"+command" + std::to_string(r) + "\", \"Command " + std::to_string(r) + "\"");
  line("   }");
  for (int s = 0; s < 16; ++s) key("BUTTON_" + std::to_string(s) + "_ALIAS", triple);
  key("CUSTOM_ALIAS", "FALSE"), line("   {"), line("   }");
  for (const char* half : {"DFLT", "USER"})
    for (int s = 0; s < 16; ++s) key("BUTTON_" + std::to_string(s) + "_" + half, triple);
  for (const char* k :
       {"USE_PRECISION", "PRECISION_SENS", "PRECISION_GAIN", "PRECISION_MODE", "PRECISION_BUTTON", "NULL_REGION"})
    key(std::string(k) + "_DFLT", "0"), key(std::string(k) + "_USER", "0");
  line("[HELIRYX]");
  for (const char* half : {"DFLT", "USER"}) key(std::string("AXIS_MAP_") + half, " { 0/2/1/5/3/4 }");
  for (const char* half : {"DFLT", "USER"}) key(std::string("POLARITY_") + half, " { +/+/+/+/+/+ }");
  for (const char* half : {"DFLT", "USER"})
    for (const char* level : {"BEG", "INT", "EXP"})
      key(std::string("GAIN_") + level + "_" + half, " { 045, 045, 045, 045, 045, 045, 045 }");
  for (const char* half : {"DFLT", "USER"})
    for (const char* level : {"BEG", "INT", "EXP"})
      key(std::string("SENS_") + level + "_" + half, " { 3/3/3/3/3/3/3 }");
  for (const char* half : {"DFLT", "USER"})
    for (int n = 0; n < 6; ++n) key("CURVE_" + std::to_string(n) + "_" + half, "\".\\crv\\default.crv\"");
  line("[POINTERLY]");
  for (const char* half : {"DFLT", "USER"})
    for (int n = 0; n < 6; ++n) key("DEADZONE_" + std::to_string(n) + "_" + half, "1000");
  return t;
}

// A program folder with scg/ holding 1,000 configurations, built once per run.
const std::string& ProgramFolder() {
  static std::string folder = [] {
    std::string dir = fs::temp_directory_path() / ("heliryx-bench-scan-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir + "/scg");
    for (int i = 0; i < 1000; ++i)
      std::ofstream(dir + "/scg/game" + std::to_string(i) + ".scg", std::ios::binary) << FullLayout(i);
    return dir;
  }();
  return folder;
}

// The window's steps, doing nothing: the scan alone is measured.
struct NoSteps : config_store::GameListSteps {
  void Status(const std::string&) override {}
  void RewriteConverted(const std::string&) override {}
  void Log(const std::string&) override {}
};

void LoadGameList1000(benchmark::State& state) {
  const std::string& folder = ProgramFolder();
  int listed = 0;
  NoSteps steps;
  for (auto _ : state) {
    config_store::GameListResult result = config_store::LoadGameList(folder, folder + "/scg/", steps);
    listed = result.table.GameCount();
    benchmark::DoNotOptimize(result);
  }
  state.counters["games"] = listed;
  state.counters["file_bytes"] = static_cast<double>(FullLayout(0).size());
}
BENCHMARK(LoadGameList1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(ProgramFolder());
}
