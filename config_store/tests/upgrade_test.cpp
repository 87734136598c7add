#include "config_store/upgrade.h"

#include "config_store/tests/scan_fixtures.h"
#include "platform/file_system.h"
#include "testing/test_support.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace config_store;
using config_store_test::Crlf;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

// A 6.0 file with bindings given bare, quoted, as the stored word ERROR and not
// at all (BUTTON_3_DFLT), a CUSTOM block and no [POINTERLY] section.
// The file's lines, packed by hand.
// clang-format off
const std::string kOld = Crlf({
    ";", "[VERSION]", "VERSION=6.0", "APPLICATION_NUMBER=5.0", "FILE_REVISION_NUMBER=4", "", "[IDENTIFICATION]",
    R"(APPLICATION_NAME="Old Game")", "", "[CONFIGURATION]", "HIDE_FILE=FALSE", R"(EXECUTABLE="old.exe")",
    "CUSTOM=TRUE", "   {", R"(   "ALWAYS"\, "INI"\, "cfg\a.ini"\, "Video"\, "Mode=1")", "   }", "; kept as it is",
    "", "[TUNING]", R"(MOTION_LABEL_0_POS="Right")", "BUTTON_0_DFLT=+attack", R"(BUTTON_0_USER="+jump")",
    "BUTTON_5_USER=ERROR", "BUTTON_15_DFLT=+use item", "", "[HELIRYX]", "AXIS_MAP_DFLT= { 0/1/2/3/4/5 }",
});
// clang-format on

// The file's lines, packed by hand.
// clang-format off
const std::string kConverted = Crlf({
    ";", "[VERSION]", "VERSION=6.1", "APPLICATION_NUMBER=5.1", "FILE_REVISION_NUMBER=4", "", "[IDENTIFICATION]",
    R"(APPLICATION_NAME="Old Game")", "", "[CONFIGURATION]", "HIDE_FILE=FALSE", R"(EXECUTABLE="old.exe")",
    "CUSTOM=TRUE", "   {", R"(   "ALWAYS"\, "INI"\, "cfg\a.ini"\, "Video"\, "Mode=1")", "   }", "; kept as it is",
    "", "[TUNING]", R"(MOTION_LABEL_0_POS="Right")", R"(BUTTON_0_DFLT="JOY1", "+attack", "")",
    R"(BUTTON_0_USER="JOY1", "+jump", "")", R"(BUTTON_5_USER="JOY6", "JOY6", "")",
    R"(BUTTON_15_DFLT="JOY16", "+use item", "")", "MOTION_ALIAS_X=-1", "MOTION_ALIAS_Y=-1",
    R"(MOTION_ALIAS_0_POS_DFLT="", "", "")", R"(MOTION_ALIAS_0_NEG_DFLT="", "", "")",
    R"(MOTION_ALIAS_1_POS_DFLT="", "", "")", R"(MOTION_ALIAS_1_NEG_DFLT="", "", "")",
    R"(MOTION_ALIAS_2_POS_DFLT="", "", "")", R"(MOTION_ALIAS_2_NEG_DFLT="", "", "")",
    R"(MOTION_ALIAS_3_POS_DFLT="", "", "")", R"(MOTION_ALIAS_3_NEG_DFLT="", "", "")",
    R"(MOTION_ALIAS_4_POS_DFLT="", "", "")", R"(MOTION_ALIAS_4_NEG_DFLT="", "", "")",
    R"(MOTION_ALIAS_5_POS_DFLT="", "", "")", R"(MOTION_ALIAS_5_NEG_DFLT="", "", "")",
    R"(MOTION_ALIAS_0_POS_USER="", "", "")", R"(MOTION_ALIAS_0_NEG_USER="", "", "")",
    R"(MOTION_ALIAS_1_POS_USER="", "", "")", R"(MOTION_ALIAS_1_NEG_USER="", "", "")",
    R"(MOTION_ALIAS_2_POS_USER="", "", "")", R"(MOTION_ALIAS_2_NEG_USER="", "", "")",
    R"(MOTION_ALIAS_3_POS_USER="", "", "")", R"(MOTION_ALIAS_3_NEG_USER="", "", "")",
    R"(MOTION_ALIAS_4_POS_USER="", "", "")", R"(MOTION_ALIAS_4_NEG_USER="", "", "")",
    R"(MOTION_ALIAS_5_POS_USER="", "", "")", R"(MOTION_ALIAS_5_NEG_USER="", "", "")",
    R"(BUTTON_0_ALIAS="JOY1", "Joy 1", "")", R"(BUTTON_1_ALIAS="JOY2", "Joy 2", "")",
    R"(BUTTON_2_ALIAS="JOY3", "Joy 3", "")", R"(BUTTON_3_ALIAS="JOY4", "Joy 4", "")",
    R"(BUTTON_4_ALIAS="JOY5", "Joy 5", "")", R"(BUTTON_5_ALIAS="JOY6", "Joy 6", "")",
    R"(BUTTON_6_ALIAS="JOY7", "Joy 7", "")", R"(BUTTON_7_ALIAS="JOY8", "Joy 8", "")",
    R"(BUTTON_8_ALIAS="JOY9", "Joy 9", "")", R"(BUTTON_9_ALIAS="JOY10", "Joy 10", "")",
    R"(BUTTON_10_ALIAS="JOY11", "Joy 11", "")", R"(BUTTON_11_ALIAS="JOY12", "Joy 12", "")",
    R"(BUTTON_12_ALIAS="JOY13", "Joy 13", "")", R"(BUTTON_13_ALIAS="JOY14", "Joy 14", "")",
    R"(BUTTON_14_ALIAS="JOY15", "Joy 15", "")", R"(BUTTON_15_ALIAS="JOY16", "Joy 16", "")",
    R"(BUTTON_1_DFLT="JOY2", "JOY2", "")", R"(BUTTON_1_USER="JOY2", "JOY2", "")",
    R"(BUTTON_2_DFLT="JOY3", "JOY3", "")", R"(BUTTON_2_USER="JOY3", "JOY3", "")",
    R"(BUTTON_3_DFLT="JOY4", "JOY4", "")", R"(BUTTON_3_USER="JOY4", "JOY4", "")",
    R"(BUTTON_4_DFLT="JOY5", "JOY5", "")", R"(BUTTON_4_USER="JOY5", "JOY5", "")",
    R"(BUTTON_5_DFLT="JOY6", "JOY6", "")", R"(BUTTON_6_DFLT="JOY7", "JOY7", "")",
    R"(BUTTON_6_USER="JOY7", "JOY7", "")", R"(BUTTON_7_DFLT="JOY8", "JOY8", "")",
    R"(BUTTON_7_USER="JOY8", "JOY8", "")", R"(BUTTON_8_DFLT="JOY9", "JOY9", "")",
    R"(BUTTON_8_USER="JOY9", "JOY9", "")", R"(BUTTON_9_DFLT="JOY10", "JOY10", "")",
    R"(BUTTON_9_USER="JOY10", "JOY10", "")", R"(BUTTON_10_DFLT="JOY11", "JOY11", "")",
    R"(BUTTON_10_USER="JOY11", "JOY11", "")", R"(BUTTON_11_DFLT="JOY12", "JOY12", "")",
    R"(BUTTON_11_USER="JOY12", "JOY12", "")", R"(BUTTON_12_DFLT="JOY13", "JOY13", "")",
    R"(BUTTON_12_USER="JOY13", "JOY13", "")", R"(BUTTON_13_DFLT="JOY14", "JOY14", "")",
    R"(BUTTON_13_USER="JOY14", "JOY14", "")", R"(BUTTON_14_DFLT="JOY15", "JOY15", "")",
    R"(BUTTON_14_USER="JOY15", "JOY15", "")", R"(BUTTON_15_USER="JOY16", "JOY16", "")", "", "[HELIRYX]",
    "AXIS_MAP_DFLT= { 0/1/2/3/4/5 }", "[POINTERLY]", "DEADZONE_0_DFLT=0", "DEADZONE_0_USER=0", "DEADZONE_1_DFLT=0",
    "DEADZONE_1_USER=0", "DEADZONE_2_DFLT=0", "DEADZONE_2_USER=0", "DEADZONE_3_DFLT=0", "DEADZONE_3_USER=0",
    "DEADZONE_4_DFLT=0", "DEADZONE_4_USER=0", "DEADZONE_5_DFLT=0", "DEADZONE_5_USER=0",
});
// clang-format on

// Files in the folder besides the ones the test made (a stray temporary file).
std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

}  // namespace

TEST(Upgrade, ConvertsA60FileInPlace) {
  TempFolder dir;
  std::string path = dir / "old.scg";
  WriteFile(path, kOld);
  std::vector<std::string> statuses;
  EXPECT_TRUE(Upgrade60to61(path, "Old Game", [&](const std::string& s) { statuses.push_back(s); }));
  EXPECT_EQ(ReadFile(path), kConverted);
  EXPECT_EQ(statuses, std::vector<std::string>{"Upgrading Old Game...  Please wait..."});
  EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"old.scg"});
}

TEST(Upgrade, AFailedConversionLeavesTheFileByteForByte) {
  struct Case {
    const char* name;
    std::function<void(const std::string& path)> prepare;  // makes the conversion fail
    std::function<void()> undo;
  };
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const std::vector<Case> cases = {
      {"read-only file",
       [](const std::string& path) { std::filesystem::permissions(path, std::filesystem::perms::owner_read); }, [] {}},
      // The disk fills while the converted file is written: it is larger than
      // the old one, so a file-size limit between the two stops the write.
      {"write fails midway",
       [&saved](const std::string&) {
         std::signal(SIGXFSZ, SIG_IGN);  // the write then fails instead of ending the test
         rlimit limit{kOld.size() + 64, saved.rlim_max};
         ASSERT_LT(limit.rlim_cur, kConverted.size());
         ::setrlimit(RLIMIT_FSIZE, &limit);
       },
       [&saved] {
         ::setrlimit(RLIMIT_FSIZE, &saved);
         std::signal(SIGXFSZ, SIG_DFL);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    std::string path = dir / "old.scg";
    WriteFile(path, kOld);
    c.prepare(path);
    bool converted = Upgrade60to61(path, "Old Game");
    c.undo();
    EXPECT_FALSE(converted);
    EXPECT_EQ(ReadFile(path), kOld);
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"old.scg"});
  }

  TempFolder dir;
  EXPECT_FALSE(Upgrade60to61(dir / "missing.scg", "Missing"));
  EXPECT_TRUE(FolderNames(dir.Path()).empty());
}
