#include "platform/wine/wine_registry.h"

#include "platform/file_system.h"
#include "platform/win_path.h"
#include "testing/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <vector>

namespace {

using platform::RegistryRoot;
using platform::wine::GameWine;
using testing_support::MakeFolders;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

// One run of the stand-in: the Wine variables it saw, then its arguments.
struct WineRun {
  std::string variables;
  std::vector<std::string> args;
  bool operator==(const WineRun&) const = default;
};

// A stand-in Wine records every run and exits with WINE_STANDIN_ADD_EXIT for
// "reg add", WINE_STANDIN_QUERY_EXIT for "reg query".
class WineRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"PATH", "TMPDIR", "WINESERVER", "USER", "LC_ALL", "LC_CTYPE"})
      if (const char* value = std::getenv(name)) saved_[name] = value;
    game_.prefix = tmp_ / "prefix";
    MakeFolders(game_.prefix + "/drive_c");
    WriteFile(game_.prefix + "/user.reg", "WINE REGISTRY Version 2\n");
    MakeFolders(tmp_ / "bin");
    MakeFolders(tmp_ / "empty");
    record_ = tmp_ / "record.txt";
    ::setenv("WINE_STANDIN_RECORD", record_.c_str(), 1);
    ::setenv("PATH", (tmp_ / "empty").c_str(), 1);
  }
  void TearDown() override {
    for (const char* name : {"PATH", "TMPDIR", "WINESERVER", "USER", "LC_ALL", "LC_CTYPE"}) {
      if (saved_.count(name))
        ::setenv(name, saved_[name].c_str(), 1);
      else
        ::unsetenv(name);
    }
    for (const char* name : {"WINE_STANDIN_RECORD", "WINE_STANDIN_ADD_EXIT", "WINE_STANDIN_QUERY_EXIT"})
      ::unsetenv(name);
  }
  // The stand-in at tmp/<relative>; in "bin/" it is on PATH.
  std::string InstallStandIn(const std::string& relative) {
    std::string program = tmp_ / relative;
    MakeFolders(platform::FolderPart(program));
    WriteFile(
        program,
        "#!/bin/sh\n"
        "{ echo \"run WINEPREFIX=$WINEPREFIX TMPDIR=${TMPDIR-unset} WINESERVER=${WINESERVER-unset}"
        " USER=${USER-unset} LC_ALL=${LC_ALL-unset} LC_CTYPE=${LC_CTYPE-unset}\"\n"
        "  for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } >> \"$WINE_STANDIN_RECORD\"\n"
        "case \"$2\" in add) exit ${WINE_STANDIN_ADD_EXIT:-0};; query) exit ${WINE_STANDIN_QUERY_EXIT:-0};; esac\n");
    ::chmod(program.c_str(), 0755);
    ::setenv("PATH", (tmp_ / "empty" + ":" + tmp_ / "bin").c_str(), 1);
    return program;
  }
  std::vector<WineRun> Recorded() {
    std::vector<WineRun> runs;
    for (const std::string& line : platform::SplitLines(ReadFile(record_))) {
      if (line.rfind("run ", 0) == 0)
        runs.push_back({line.substr(4), {}});
      else if (!runs.empty())
        runs.back().args.push_back(line);
    }
    return runs;
  }
  std::vector<std::vector<std::string>> RecordedArgs() {
    std::vector<std::vector<std::string>> args;
    for (const WineRun& run : Recorded()) args.push_back(run.args);
    return args;
  }

  TempFolder tmp_;
  std::map<std::string, std::string> saved_;
  std::string record_;
  GameWine game_;
};

TEST_F(WineRegistry, WritesThroughWineRegThenReadsTheValueBack) {
  InstallStandIn("bin/wine");
  auto write =
      platform::wine::SetPrefixString(game_, RegistryRoot::CurrentUser, "Software\\Game\\", "Name", "caf\xE9 \"x\"");
  EXPECT_TRUE(write.ok) << write.problem;
  std::vector<std::vector<std::string>> expected = {
      {"reg", "add", "HKCU\\Software\\Game", "/v", "Name", "/t", "REG_SZ", "/d", "caf\xC3\xA9 \"x\"", "/f"},
      {"reg", "query", "HKCU\\Software\\Game", "/v", "Name"}};
  EXPECT_EQ(RecordedArgs(), expected);

  std::filesystem::remove(record_);
  write = platform::wine::SetPrefixDword(game_, RegistryRoot::LocalMachine, "Software\\Game", "",
                                         static_cast<uint32_t>(-1));
  EXPECT_TRUE(write.ok) << write.problem;
  expected = {{"reg", "add", "HKLM\\Software\\Game", "/ve", "/t", "REG_DWORD", "/d", "4294967295", "/f"},
              {"reg", "query", "HKLM\\Software\\Game", "/ve"}};
  EXPECT_EQ(RecordedArgs(), expected);
}

TEST_F(WineRegistry, RunsTheGamesLoaderWithTheGamesWineVariables) {
  InstallStandIn("bin/wine");  // on PATH, but not the game's
  game_.loader = InstallStandIn("lib/wine/wine64");
  game_.environment = {"WINEPREFIX=" + game_.prefix + "/", "TMPDIR=/game/tmp", "WINESERVER=/game/wineserver"};
  ::setenv("TMPDIR", "/monitor/tmp", 1);
  ::setenv("WINESERVER", "/monitor/wineserver", 1);
  ::setenv("USER", "monitor", 1);
  ::setenv("LC_ALL", "C", 1);
  std::filesystem::remove(tmp_ / "bin/wine");  // only the game's loader can answer
  auto write = platform::wine::SetPrefixString(game_, RegistryRoot::CurrentUser, "S", "N", "D");
  EXPECT_TRUE(write.ok) << write.problem;
  // The game had no USER: ours is not passed for it. Arguments are UTF-8 whatever our locale.
  std::string variables = "WINEPREFIX=" + game_.prefix +
                          " TMPDIR=/game/tmp WINESERVER=/game/wineserver USER=unset LC_ALL=unset LC_CTYPE=C.UTF-8";
  std::vector<WineRun> runs = Recorded();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].variables, variables);
  EXPECT_EQ(runs[1].variables, variables);

  // With the game's loader gone, the Wine on PATH writes.
  std::filesystem::remove(game_.loader);
  InstallStandIn("bin/wine64");
  EXPECT_EQ(platform::wine::FindWineProgram(), tmp_ / "bin/wine64");
  EXPECT_TRUE(platform::wine::SetPrefixString(game_, RegistryRoot::CurrentUser, "S", "N", "D").ok);
  EXPECT_EQ(Recorded().size(), 4u);
}

TEST_F(WineRegistry, ReportsWhatWentWrong) {
  const std::string what = "registry value HKCU\\Software\\Game\\N";
  struct Case {
    std::string loader;  // "" none, "gone", "path", "broken"
    const char* addExit;
    const char* queryExit;
    std::string problem;
  } cases[] = {
      {"", "0", "0", "No Wine loader for the game's prefix P (none on PATH): " + what + " not written"},
      {"gone", "0", "0",
       "No Wine loader for the game's prefix P (" + tmp_ / "gone/wine64" + " is gone, none on PATH): " + what +
           " not written"},
      {"broken", "0", "0", "wine reg failed (could not be started): " + what + " not written to the prefix P"},
      {"path", "3", "0", "wine reg failed (exit code 3): " + what + " not written to the prefix P"},
      {"path", "0", "1",
       "wine reg query failed (exit code 1): " + what + " not found in the prefix P after writing it"},
  };
  for (const Case& c : cases) {
    ::setenv("PATH", (tmp_ / "empty").c_str(), 1);
    std::filesystem::remove(tmp_ / "bin/wine");
    game_.loader.clear();
    if (c.loader == "gone") game_.loader = tmp_ / "gone/wine64";
    if (c.loader == "path") InstallStandIn("bin/wine");
    if (c.loader == "broken") {
      game_.loader = tmp_ / "broken/wine64";
      MakeFolders(tmp_ / "broken");
      WriteFile(game_.loader, "#!/no/such/interpreter\n");
      ::chmod(game_.loader.c_str(), 0755);
    }
    ::setenv("WINE_STANDIN_ADD_EXIT", c.addExit, 1);
    ::setenv("WINE_STANDIN_QUERY_EXIT", c.queryExit, 1);
    auto write = platform::wine::SetPrefixString(game_, RegistryRoot::CurrentUser, "Software\\Game", "N", "D");
    EXPECT_FALSE(write.ok) << c.problem;
    std::string problem = write.problem;
    for (size_t at = problem.find(game_.prefix); at != std::string::npos; at = problem.find(game_.prefix))
      problem.replace(at, game_.prefix.size(), "P");
    EXPECT_EQ(problem, c.problem);
  }
}

TEST_F(WineRegistry, NeverRunsWineWhereThereIsNoPrefixOrForANulByte) {
  // wine would create a whole new prefix in the missing folder.
  InstallStandIn("bin/wine");
  GameWine missing{tmp_ / "missing", "", {}};
  auto write = platform::wine::SetPrefixString(missing, RegistryRoot::CurrentUser, "S", "N", "D");
  EXPECT_FALSE(write.ok);
  EXPECT_NE(write.problem.find("No Wine prefix"), std::string::npos) << write.problem;
  EXPECT_FALSE(platform::FolderExists(tmp_ / "missing"));

  write = platform::wine::SetPrefixString(game_, RegistryRoot::CurrentUser, "S", "N", std::string("a\0b", 3));
  EXPECT_FALSE(write.ok);
  EXPECT_NE(write.problem.find("A NUL byte"), std::string::npos) << write.problem;
  EXPECT_FALSE(platform::FileExists(record_));
}

}  // namespace
