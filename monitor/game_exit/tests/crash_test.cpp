// The exit step killed (SIGKILL) at random moments in the middle of large
// rewrites: every game file must always be one of its complete versions.
#include "monitor/game_exit/exit_step.h"
#include "platform/file_system.h"
#include "testing/test_support.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <signal.h>
#include <sys/stat.h>
#include <thread>

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

std::string Lines(const std::string& word, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + " " + word + " " + word + "\r\n";
  return text;
}

ino_t Inode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Shows nothing and has no driver.
class Quiet : public monitor::MonitorWindow, public game_exit::Driver {
 public:
  void Line(const std::string&) override {}
  void SelectLastLine() override {}
  void SelectLineBeforeLast() override {}
  void SetTip(const std::string&) override {}
  void Fatal(const std::string&) override {}
  std::string TimeText() override { return {}; }
  void ResetRyxDefaults() override {}
};

std::string Quoted(const std::vector<std::string>& fields) {
  std::string row = "   ";
  for (size_t i = 0; i < fields.size(); ++i) row += (i ? "\\, \"" : "\"") + fields[i] + "\"";
  return row;
}

TEST(CrashDuringRewrites, EveryFileIsAlwaysWholeOldOrWholeNew) {
  testing_support::TempFolder tmp;
  const std::string program = tmp / "program", game = tmp / "game";
  const int size = 60000;  // lines: over a megabyte per file

  const std::string alpha = Lines("alpha", size), omega = Lines("omega", size);
  const std::string cfg = Lines("cfg", size), cfgWithLine = cfg + "marker line\r\n";
  const std::string ini = "[S]\r\nK=0\r\n" + Lines("x=", size);
  const std::string stateOn = "state=on\r\n" + Lines("s", size), stateOff = "state=off\r\n" + Lines("s", size);
  const std::string oldCopy = Lines("old", size), newCopy = Lines("new", size);
  auto iniWith = [&](const std::string& k) { return "[S]\r\nK=" + k + "\r\n" + Lines("x=", size); };

  WriteFile(program + "/games/big.dat", newCopy);
  WriteFile(game + "/big.txt", alpha);
  WriteFile(game + "/big.cfg", cfg);
  WriteFile(game + "/big.ini", ini);
  WriteFile(game + "/state.txt", stateOff);
  WriteFile(game + "/copy/big.dat", oldCopy);
  std::string scg =
      "[VERSION]\r\nFILE_REVISION_NUMBER=1\r\n[CONFIGURATION]\r\nCOPY_FILES=TRUE\r\n   {\r\n"
      "   \"big.dat\", \".\\copy\\big.dat\"\r\n   }\r\nCUSTOM=TRUE\r\n   {\r\n" +
      Quoted({"big.txt", "REPLACE", "alpha", "omega", "ALWAYS"}) + "\r\n" +
      Quoted({"big.txt", "REPLACE", "omega", "alpha", "ALWAYS"}) + "\r\n" +
      Quoted({"big.cfg", "APPEND", "marker line", "ALWAYS"}) + "\r\n" +
      Quoted({"big.cfg", "DELETE", "marker line", "1", "ALWAYS"}) + "\r\n" +
      Quoted({"big.ini", "INI", "S", "K", "1", "ALWAYS"}) + "\r\n" +
      Quoted({"big.ini", "INI", "S", "K", "2", "ALWAYS"}) + "\r\n" +
      Quoted({"state.txt", "MODIFY", "state=", "state=on", "ALWAYS"}) + "\r\n" +
      Quoted({"state.txt", "MODIFY", "state=", "state=off", "ALWAYS"}) + "\r\n   }\r\n";
  WriteFile(program + "/scg/crash.scg", scg);

  const std::vector<std::pair<std::string, std::set<std::string>>> versions = {
      {"big.txt", {alpha, omega}},
      {"big.cfg", {cfg, cfgWithLine}},
      {"big.ini", {ini, iniWith("1"), iniWith("2")}},
      {"state.txt", {stateOn, stateOff}},
      {"copy/big.dat", {oldCopy, newCopy}},
  };
  // How long one whole run takes here, so that the kills spread over all of it.
  auto start = std::chrono::steady_clock::now();
  {
    ino_t before = Inode(game + "/state.txt");
    testing_support::ChildProcess helper(GAME_EXIT_CRASH_HELPER, {program, program + "/scg/crash.scg", game});
    ASSERT_TRUE(testing_support::WaitUntil([&] { return Inode(game + "/state.txt") != before; }, 60000));
  }
  auto run = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::mt19937 random(20240611);
  std::set<std::string> seen;  // which versions the kills left, so the test knows it hit mid-run
  for (int round = 0; round < 25; ++round) {
    // Once the helper has replaced a first file it is in the middle of its runs:
    // the kill then falls anywhere in them.
    ino_t before = Inode(game + "/big.txt");
    testing_support::ChildProcess helper(GAME_EXIT_CRASH_HELPER, {program, program + "/scg/crash.scg", game});
    ASSERT_TRUE(testing_support::WaitUntil([&] { return Inode(game + "/big.txt") != before; }, 30000));
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % (2 * run.count() + 1)));
    ::kill(helper.Pid(), SIGKILL);
    helper.Wait();
    for (const auto& [name, allowed] : versions) {
      std::string now = ReadFile(game + "/" + name);
      bool whole = allowed.count(now) == 1;
      EXPECT_TRUE(whole) << name << " after round " << round << ": " << now.size() << " bytes";
      if (!whole) return;
      seen.insert(name + "=" + std::to_string(std::distance(allowed.begin(), allowed.find(now))));
    }
  }
  // More than the starting versions were found, so kills fell in the middle of runs.
  EXPECT_GT(seen.size(), versions.size());

  // The next whole run leaves no temporary file of the killed ones behind,
  // once they are older than a live writer's could be.
  for (const std::string& folder : {game, game + "/copy"})
    for (const std::string& name : platform::ListFiles(folder))
      if (name.find(".heliryx-") != std::string::npos) {
        ASSERT_TRUE(testing_support::AgeFile(folder + "/" + name)) << name;
      }
  monitor::ActiveGame ended;
  ended.ActiveScgFile = program + "/scg/crash.scg";
  ended.ActiveAppName = "Crash Test";
  ended.ActiveExeName = "crash.exe";
  ended.ActiveExeFolder = game;
  game_exit::GameExitState state{program, ended, {}};
  Quiet quiet;
  game_exit::WriteStuff(state, quiet, quiet);
  for (const std::string& folder : {game, game + "/copy"})
    for (const std::string& name : platform::ListFiles(folder))
      EXPECT_EQ(name.find(".heliryx-"), std::string::npos) << folder << "/" << name;
}

}  // namespace
