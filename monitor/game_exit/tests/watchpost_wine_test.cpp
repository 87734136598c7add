// A game under Wine through the real watchpost: its REGISTRY rows must reach
// the game's own prefix through the game's own Wine and wineserver, whatever
// Wine the monitor finds on its PATH and whatever its own TMPDIR.
#include "config_store/profile_helpers.h"
#include "monitor/tests/scg_fixture.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "testing/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string kGameFolder = "/drive_c/Games/Wine Test";

// How long a wait for the monitor's work on a game may take: the game's
// activation and its exit are some forty runs of the tool, each a process of
// its own, and a busy machine starts them slowly.
constexpr int kGameMs = 120000;

std::string WineGameScg(const std::string& exeName) {
  return monitor_test::ScgText({
      {"APPLICATION_NAME", "\"Wine Test\""},
      {"EXECUTABLE", "\"" + exeName + "\""},
      {"COPY_FILES", "TRUE\r\n   {\r\n   \"Keys.cfg\", \".\\cfg\\keys.cfg\"\r\n   }\r\n"},
      {"CUSTOM",
       "TRUE\r\n   {\r\n"
       "   \"config.cfg\"\\, \"APPEND\"\\, \"seta sensitivity 5\"\r\n"
       "   \"STRING\"\\, \"REGISTRY\"\\, \"HKCU\\Software\\Wine Test\"\\, \"Name\"\\, \"caf\xE9 au lait\"\r\n"
       "   \"DWORD\"\\, \"REGISTRY\"\\, \"HKCU\\Software\\Wine Test\"\\, \"Level\"\\, \"-2\"\r\n"
       "   }\r\n"},
  });
}

// The monitor, watching the configuration above in a fresh installation, with
// its own TMPDIR and a PATH without Wine. Every monitor sees every process, so
// each test's game has a name of its own.
class Monitor {
 public:
  Monitor(const std::string& exeName, const std::string& ownTmp) : install_({"watchpost", "ryxcontrol"}) {
    MakeFolders(install_ / "scg");
    WriteFile(install_ / "scg/winetest.scg", WineGameScg(exeName));
    WriteFile(install_ / "games/keys.cfg", "bind mouse1 +attack\r\n");
    auto env = install_.Environment();
    env["TMPDIR"] = ownTmp;
    env["WINESERVER"] = "/monitor/has/its/own/wineserver";
    env["PATH"] = "/usr/bin:/bin";
    env["LC_ALL"] = "C";  // a locale that is not UTF-8
    process_ = std::make_unique<ChildProcess>(install_ / "watchpost", std::vector<std::string>{"-d", "-r", "1"}, env);
    EXPECT_TRUE(Logged("items to the watch list.")) << Log();
  }
  ~Monitor() {
    config_store::WriteIni(install_ / "watchpost.ini", "APPLICATION", "MODE", "");  // the monitor ends
    EXPECT_EQ(process_->Wait(kGameMs), 0) << process_->Stderr();
  }
  std::string Log() { return process_->Stdout(); }
  ChildProcess& Process() { return *process_; }
  bool Logged(const std::string& text, int timeoutMs = kGameMs) {
    return WaitUntil([&] { return Log().find(text) != std::string::npos; }, timeoutMs);
  }
  // Waits for the exit step of the game in `folder` to end, one way or the other.
  void AwaitExitStep(const std::string& folder) {
    EXPECT_TRUE(WaitUntil(
        [&] {
          return platform::FileExists(folder + "/heliryx.360") || Log().find("section error") != std::string::npos;
        },
        kGameMs))
        << Log();
    EXPECT_EQ(Log().find("section error"), std::string::npos) << Log();
    EXPECT_EQ(ReadFile(folder + "/cfg/keys.cfg"), "bind mouse1 +attack\r\n");
    EXPECT_EQ(ReadFile(folder + "/config.cfg"), "seta sensitivity 5\r\n");
  }

 private:
  TempInstall install_;
  std::unique_ptr<ChildProcess> process_;
};

bool IsProgram(const std::string& path) { return ::access(path.c_str(), X_OK) == 0 && platform::FileExists(path); }

}  // namespace

// A prefix with a game in it, and a stand-in loader that is not on PATH.
class StandInWine : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeFolders(folder_);
    WriteFile(folder_ + "/" + Exe(), "MZ stands in for a game");
    WriteFile(prefix_ + "/user.reg", "WINE REGISTRY Version 2\n");
    MakeFolders(tmp_ / "lib/wine");
    fs::copy_file(WINE_STANDIN, loader_);
    MakeFolders(tmp_ / "monitor-tmp");
    MakeFolders(tmp_ / "game-tmp");
  }
  // Runs the game under the stand-in until the monitor has seen it, then ends it.
  void Play(Monitor& monitor) {
    ChildProcess game(loader_, {folder_ + "/" + Exe()},
                      {{"WINEPREFIX", prefix_},
                       {"TMPDIR", tmp_ / "game-tmp"},
                       {"WINESERVER", tmp_ / "lib/wine/wineserver"},
                       {"HOME", tmp_ / "home"}});
    ASSERT_TRUE(monitor.Logged("Started watching: " + Exe())) << monitor.Log();
    game.Terminate();
    game.Wait();
  }

  // The game's name, in lower case as the log shows it.
  const std::string& Exe() const { return exe_; }

  TempFolder tmp_;
  const std::string exe_ = platform::ToLower(GameExeName("standingame"));
  std::string prefix_ = tmp_ / "prefix", folder_ = prefix_ + kGameFolder, loader_ = tmp_ / "lib/wine/wine64";
};

// The writes go through the game's loader, with the game's prefix, TMPDIR,
// WINESERVER and HOME, not the monitor's.
TEST_F(StandInWine, WritesThroughTheGamesLoaderWithTheGamesWineVariables) {
  Monitor monitor(Exe(), tmp_ / "monitor-tmp");
  Play(monitor);
  monitor.AwaitExitStep(folder_);

  std::string variables = "run WINEPREFIX=" + prefix_ + " TMPDIR=" + tmp_ / "game-tmp" +
                          " WINESERVER=" + tmp_ / "lib/wine/wineserver" + " HOME=" + tmp_ / "home";
  const std::string key = "HKCU\\Software\\Wine Test";
  const std::vector<std::vector<std::string>> runs = {
      {"reg", "add", key, "/v", "Name", "/t", "REG_SZ", "/d", "caf\xC3\xA9 au lait", "/f"},
      {"reg", "query", key, "/v", "Name"},
      {"reg", "add", key, "/v", "Level", "/t", "REG_DWORD", "/d", "4294967294", "/f"},
      {"reg", "query", key, "/v", "Level"}};
  std::vector<std::string> expected;
  for (const auto& run : runs) {
    expected.push_back(variables);
    expected.insert(expected.end(), run.begin(), run.end());
  }
  EXPECT_EQ(platform::SplitLines(ReadFile(tmp_ / "lib/wine/wine-runs.txt")), expected);
}

// A wine that never ends holds up neither the window nor the monitor's end.
TEST_F(StandInWine, AnExitRequestIsNotHeldUpByAWineThatHangs) {
  WriteFile(tmp_ / "lib/wine/hang", "");
  std::string pidFile = tmp_ / "lib/wine/hung.pid";
  {
    Monitor monitor(Exe(), tmp_ / "monitor-tmp");
    Play(monitor);
    ASSERT_TRUE(WaitUntil([&] { return !ReadFile(pidFile).empty(); }, kGameMs)) << monitor.Log();
    monitor.Process().Terminate();  // ends it as its Exit does
    EXPECT_EQ(monitor.Process().Wait(20000), 0) << monitor.Log();
  }
  int hung = std::atoi(ReadFile(pidFile).c_str());
  ASSERT_GT(hung, 0);
  ::kill(hung, SIGKILL);
  EXPECT_FALSE(platform::FileExists(folder_ + "/heliryx.360"));
}

// Debian's wine64 runs one of Wine's own console programs as the game. Its
// prefix is made once for this program's run (wineboot takes seconds and some
// 700 MB) and removed at the end.
class RealWine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (IsProgram("/usr/lib/wine/wine64")) {
      loader_ = "/usr/lib/wine/wine64";
      wineserver_ = "/usr/lib/wine/wineserver";
    }
    if (loader_.empty() || !IsProgram(wineserver_)) return;
    tmp_ = new TempFolder;
    for (const char* name : {"game-tmp", "monitor-tmp", "check-tmp"}) MakeFolders(*tmp_ / name);
    RunResult boot = RunProgram(loader_, {"wineboot", "-i"}, GameEnvironment(), 180000);
    RunResult saved = RunProgram(wineserver_, {"-w"}, GameEnvironment(), 60000);
    if (boot.exitCode != 0 || saved.exitCode != 0 || !platform::FileExists(Prefix() + "/user.reg"))
      bootProblem_ = "wineboot failed (exit code " + std::to_string(boot.exitCode) + "): " + boot.err;
  }
  static void TearDownTestSuite() {
    if (!tmp_) return;
    // No wineserver of the prefix may outlive it.
    for (const char* name : {"game-tmp", "monitor-tmp", "check-tmp"}) {
      auto env = GameEnvironment();
      env["TMPDIR"] = *tmp_ / name;
      RunProgram(wineserver_, {"-k"}, env, 60000);
      RunProgram(wineserver_, {"-w"}, env, 60000);
    }
    delete tmp_;
    tmp_ = nullptr;
  }
  void SetUp() override {
    if (loader_.empty()) GTEST_SKIP() << "Wine is not installed (Debian's wine64 package, /usr/lib/wine/wine64)";
    ASSERT_TRUE(bootProblem_.empty()) << bootProblem_;
  }

  static std::string Prefix() { return *tmp_ / "prefix"; }
  static std::map<std::string, std::string> GameEnvironment() {
    return {{"WINEPREFIX", Prefix()}, {"TMPDIR", *tmp_ / "game-tmp"}, {"WINEDEBUG", "-all"}};
  }

  static inline std::string loader_, wineserver_, bootProblem_;
  static inline TempFolder* tmp_ = nullptr;
};

TEST_F(RealWine, RegistryRowsAreInTheGamesPrefixAfterItsEnd) {
  std::string folder = Prefix() + kGameFolder;
  MakeFolders(folder);
  const std::string exe = platform::ToLower(GameExeName("winetest"));
  fs::copy_file(Prefix() + "/drive_c/windows/system32/ping.exe", folder + "/" + exe);

  {
    Monitor monitor(exe, *tmp_ / "monitor-tmp");
    // Pings once a second, answered or not, until it is ended.
    ChildProcess game(loader_, {"C:\\Games\\Wine Test\\" + exe, "-n", "300", "127.0.0.1"}, GameEnvironment());
    ASSERT_TRUE(monitor.Logged("Started watching: " + exe)) << monitor.Log();
    game.Terminate();
    game.Wait();
    monitor.AwaitExitStep(folder);
  }

  // Once the game's wineserver has saved the prefix and ended, the prefix's file
  // holds the values (reg query shows text in a DOS code page, the file shows
  // the characters themselves), and a Wine with yet another TMPDIR (so a
  // wineserver of its own) finds them.
  ASSERT_EQ(RunProgram(wineserver_, {"-w"}, GameEnvironment(), 60000).exitCode, 0);
  std::string userReg = ReadFile(Prefix() + "/user.reg");
  EXPECT_NE(userReg.find("\"Name\"=\"caf\\xe9 au lait\""), std::string::npos) << userReg;
  EXPECT_NE(userReg.find("\"Level\"=dword:fffffffe"), std::string::npos) << userReg;
  auto check = GameEnvironment();
  check["TMPDIR"] = *tmp_ / "check-tmp";
  for (const char* name : {"Name", "Level"}) {
    RunResult query = RunProgram(loader_, {"reg", "query", "HKCU\\Software\\Wine Test", "/v", name}, check, 60000);
    EXPECT_EQ(query.exitCode, 0) << name << ": " << query.out << query.err;
  }
  // The monitor never started a wineserver of its own for the prefix.
  EXPECT_TRUE(fs::is_empty(*tmp_ / "monitor-tmp"));
}
