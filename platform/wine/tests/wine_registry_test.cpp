#include "platform/wine/wine_registry.h"

#include "platform/file_system.h"
#include "testing/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace {

using platform::RegistryRoot;
using testing_support::MakeFolders;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

// Wine is not installed here: a stand-in on PATH records the prefix it was
// given and its arguments, one per line, and exits with WINE_STANDIN_EXIT.
class WineRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    savedPath_ = path ? path : "";
    prefix_ = tmp_ / "prefix";
    MakeFolders(prefix_ + "/drive_c");
    WriteFile(prefix_ + "/user.reg", "WINE REGISTRY Version 2\n");
    MakeFolders(tmp_ / "bin");
    MakeFolders(tmp_ / "empty");
    record_ = tmp_ / "record.txt";
    ::setenv("WINE_STANDIN_RECORD", record_.c_str(), 1);
    ::unsetenv("WINE_STANDIN_EXIT");
  }
  void TearDown() override {
    ::setenv("PATH", savedPath_.c_str(), 1);
    ::unsetenv("WINE_STANDIN_RECORD");
    ::unsetenv("WINE_STANDIN_EXIT");
  }
  void InstallStandIn(const std::string& name) {
    std::string program = tmp_ / ("bin/" + name);
    WriteFile(program,
              "#!/bin/sh\n"
              "printf '%s\\n' \"$WINEPREFIX\" > \"$WINE_STANDIN_RECORD\"\n"
              "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$WINE_STANDIN_RECORD\"; done\n"
              "exit ${WINE_STANDIN_EXIT:-0}\n");
    ::chmod(program.c_str(), 0755);
    ::setenv("PATH", (tmp_ / "empty" + ":" + tmp_ / "bin").c_str(), 1);
  }
  std::vector<std::string> Recorded() { return platform::SplitLines(ReadFile(record_)); }

  TempFolder tmp_;
  std::string savedPath_, prefix_, record_;
};

TEST_F(WineRegistry, WritesThroughThePrefixsWineReg) {
  InstallStandIn("wine");
  auto write = platform::wine::SetPrefixString(prefix_, RegistryRoot::CurrentUser, "Software\\Game\\", "Name",
                                               "caf\xE9 \"x\"");
  EXPECT_TRUE(write.ok) << write.problem;
  std::vector<std::string> expected = {prefix_, "reg", "add", "HKCU\\Software\\Game", "/v", "Name",
                                       "/t", "REG_SZ", "/d", "caf\xC3\xA9 \"x\"", "/f"};
  EXPECT_EQ(Recorded(), expected);

  write = platform::wine::SetPrefixDword(prefix_, RegistryRoot::LocalMachine, "Software\\Game", "",
                                         static_cast<uint32_t>(-1));
  EXPECT_TRUE(write.ok) << write.problem;
  expected = {prefix_, "reg", "add", "HKLM\\Software\\Game", "/ve", "/t", "REG_DWORD", "/d", "4294967295", "/f"};
  EXPECT_EQ(Recorded(), expected);
}

TEST_F(WineRegistry, FindsWine64WhenThereIsNoWine) {
  InstallStandIn("wine64");
  EXPECT_EQ(platform::wine::FindWineProgram(), tmp_ / "bin/wine64");
  EXPECT_TRUE(platform::wine::SetPrefixString(prefix_, RegistryRoot::CurrentUser, "S", "N", "D").ok);
}

TEST_F(WineRegistry, ReportsWhatWentWrong) {
  ::setenv("PATH", (tmp_ / "empty").c_str(), 1);
  auto write = platform::wine::SetPrefixString(prefix_, RegistryRoot::CurrentUser, "Software\\Game", "N", "D");
  EXPECT_FALSE(write.ok);
  EXPECT_EQ(write.problem, "Wine is not installed: registry value HKCU\\Software\\Game\\N not written to the prefix " +
                               prefix_);

  InstallStandIn("wine");
  ::setenv("WINE_STANDIN_EXIT", "3", 1);
  write = platform::wine::SetPrefixString(prefix_, RegistryRoot::CurrentUser, "Software\\Game", "N", "D");
  EXPECT_FALSE(write.ok);
  EXPECT_NE(write.problem.find("exit code 3"), std::string::npos) << write.problem;
}

TEST_F(WineRegistry, NeverRunsWineWhereThereIsNoPrefix) {
  // wine would create a whole new prefix in the missing folder.
  InstallStandIn("wine");
  auto write = platform::wine::SetPrefixString(tmp_ / "missing", RegistryRoot::CurrentUser, "S", "N", "D");
  EXPECT_FALSE(write.ok);
  EXPECT_NE(write.problem.find("No Wine prefix"), std::string::npos) << write.problem;
  EXPECT_FALSE(platform::FileExists(record_));
  EXPECT_FALSE(platform::FolderExists(tmp_ / "missing"));
}

}  // namespace
