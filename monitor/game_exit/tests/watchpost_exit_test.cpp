// The game-exit step through the real watchpost: a copy of a real program,
// named like the watched executable, stands in for the game; when it ends the
// game folder must hold exactly the files and marker the configuration asks for.
#include "config_store/profile_helpers.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "testing/test_support.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

std::string ExitGameScg(const std::string& exeName) {
  std::string t =
      "[VERSION]\r\nVERSION=6.1\r\nAPPLICATION_NUMBER=5.1\r\nFILE_REVISION_NUMBER=2\r\n\r\n"
      "[IDENTIFICATION]\r\nAPPLICATION_NAME=\"Exit Game\"\r\nLEVEL=INTERMEDIATE\r\nORIENTATION=VERTICAL\r\n\r\n"
      "[CONFIGURATION]\r\nHIDE_FILE=FALSE\r\nEXECUTABLE=\"" +
      exeName +
      "\"\r\nCOPY_FILES=TRUE\r\n   {\r\n"
      "   \"Keys.cfg\", \".\\cfg\\keys.cfg\"\r\n   }\r\n\r\n"
      "COMMAND_LINE=\"\"\r\nCUSTOM=TRUE\r\n   {\r\n"
      "   \"config.cfg\"\\, \"APPEND\"\\, \"seta sensitivity 5\"\r\n"
      "   \"always.cfg\"\\, \"APPEND\"\\, \"bind mouse1 ^03x\"\\, \"ALWAYS\"\r\n"
      "   \"settings.ini\"\\, \"INI\"\\, \"Input\"\\, \"Fire\"\\, \"\xA7"
      "03x\"\r\n"
      "   \"STRING\"\\, \"REGISTRY\"\\, \"HKCU\\Software\\Exit Game\"\\, \"Jump\"\\, \"^04x\"\r\n"
      "   }\r\n\r\n"
      "SHOW_INSTRUCTIONS=FALSE\r\n   {\r\n   }\r\n\r\n"
      "USE_MASTER_USER=TRUE\r\nUSE_CHORDING_USER=FALSE\r\nUSE_KEYS=FALSE\r\n\r\n"
      "[TUNING]\r\nMOTION_ALIAS_X=-1\r\nMOTION_ALIAS_Y=-1\r\n";
  for (int k = 0; k < 6; ++k)
    for (const char* d : {"POS", "NEG"})
      t += "MOTION_ALIAS_" + std::to_string(k) + "_" + d + "_USER=\"\", \"\", \"\"\r\n";
  t += "USE_BUTTONS=TRUE\r\n   {\r\n   \"+attack\", \"Attack\"\r\n   }\r\n\r\n"
       "CUSTOM_ALIAS=FALSE\r\n   {\r\n   }\r\n\r\n";
  for (int b = 0; b < 16; ++b) {
    std::string value = b == 3   ? "\"MOUSE1\", \"+attack\", \"VM_LBUTTON\""
                        : b == 4 ? "\"SPACE\", \"+jump\", \"VK_SPACE\""
                                 : "\"\", \"\", \"\"";
    t += "BUTTON_" + std::to_string(b) + "_USER=" + value + "\r\n";
  }
  t += "USE_PRECISION_USER=FALSE\r\nNULL_REGION_USER=0\r\n\r\n"
       "[HELIRYX]\r\nAXIS_MAP_USER= { 0/1/2/3/4/5 }\r\nPOLARITY_USER= { +/+/+/+/+/+ }\r\n"
       "GAIN_INT_USER= { 055, 055, 055, 055, 055, 055, 055 }\r\nSENS_INT_USER= { 3/3/3/3/3/3/3 }\r\n";
  for (int k = 0; k < 6; ++k) t += "CURVE_" + std::to_string(k) + "_USER=\"\"\r\n";
  t += "\r\n[POINTERLY]\r\n";
  for (int k = 0; k < 6; ++k) t += "DEADZONE_" + std::to_string(k) + "_USER=0\r\n";
  return t;
}

// Every file below `folder`, as relative paths, sorted.
std::vector<std::string> FilesBelow(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) names.push_back(std::filesystem::relative(entry.path(), folder).string());
  std::sort(names.begin(), names.end());
  return names;
}

// How long a wait for the monitor's work on a game may take: the game's
// activation and its exit are some forty runs of the tool, each a process of
// its own, and a busy machine starts them slowly.
constexpr int kGameMs = 120000;

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

}  // namespace

TEST(WatchpostExit, GameFolderHoldsExactlyWhatTheConfigurationAsksFor) {
  TempInstall install({"watchpost", "ryxcontrol"});
  MakeFolders(install / "scg");
  // Named in the configuration in another case than on disk, as games are.
  const std::string configured = GameExeName("ExitGame"), exe = platform::ToLower(configured);
  WriteFile(install / "scg/exitgame.scg", ExitGameScg(configured));
  WriteFile(install / "games/keys.cfg", "bind mouse1 +attack\r\n");
  TempFolder games;
  const std::string folder = games / "Exit Game";
  MakeFolders(folder);
  std::filesystem::copy_file("/bin/sleep", folder + "/" + exe);

  ChildProcess monitor(install / "watchpost", {"-d", "-r", "1"}, install.Environment());
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stdout().find("items to the watch list.") != std::string::npos; }))
      << monitor.Stdout() << monitor.Stderr();

  auto play = [&](size_t round) {
    ChildProcess game(folder + "/" + exe, {"60"});
    ASSERT_TRUE(WaitUntil([&] { return Count(monitor.Stdout(), "Started watching: " + exe) == round; }, kGameMs))
        << monitor.Stdout();
    game.Terminate();
    game.Wait();
    ASSERT_TRUE(WaitUntil([&] { return Count(monitor.Stdout(), "Stopped watching: " + exe) == round; }, kGameMs))
        << monitor.Stdout();
  };

  // First exit: the copy, every row, the marker, the message once.
  play(1);
  ASSERT_TRUE(WaitUntil([&] { return platform::FileExists(folder + "/heliryx.360"); }, kGameMs)) << monitor.Stdout();
  EXPECT_EQ(FilesBelow(folder),
            (std::vector<std::string>{"always.cfg", "cfg/keys.cfg", "config.cfg", exe, "heliryx.360", "settings.ini"}));
  EXPECT_EQ(ReadFile(folder + "/heliryx.360"),
            "[Heliryx 360]\r\nVersion=5.1\r\n[Games]\r\nSCG=exitgame.scg\r\nRevision=2\r\n");
  EXPECT_EQ(ReadFile(folder + "/cfg/keys.cfg"), "bind mouse1 +attack\r\n");
  EXPECT_EQ(ReadFile(folder + "/config.cfg"), "seta sensitivity 5\r\n");
  EXPECT_EQ(ReadFile(folder + "/always.cfg"), "bind mouse1 +attack\r\n");
  EXPECT_EQ(ReadFile(folder + "/settings.ini"), "[Input]\r\nFire=MOUSE1\r\n");
  EXPECT_NE(ReadFile(install.ConfigHome() + "/heliryx360/HKEY_CURRENT_USER.reg").find("\"Jump\"=\"+jump\""),
            std::string::npos);
  const std::string message = "Heliryx 360: Exit Game has been configured for use with the Heliryx 360.";
  EXPECT_TRUE(WaitUntil([&] { return Count(monitor.Stderr(), message) == 1; })) << monitor.Stderr();
  EXPECT_EQ(monitor.Stdout().find("section error"), std::string::npos) << monitor.Stdout();

  // Second exit: the copy again and the ALWAYS row only.
  WriteFile(folder + "/cfg/keys.cfg", "changed by the game\r\n");
  std::filesystem::remove(folder + "/always.cfg");
  WriteFile(folder + "/config.cfg", "");
  play(2);
  ASSERT_TRUE(WaitUntil([&] { return platform::FileExists(folder + "/always.cfg"); }, kGameMs)) << monitor.Stdout();
  EXPECT_EQ(ReadFile(folder + "/cfg/keys.cfg"), "bind mouse1 +attack\r\n");
  EXPECT_EQ(ReadFile(folder + "/config.cfg"), "");
  EXPECT_EQ(FilesBelow(folder),
            (std::vector<std::string>{"always.cfg", "cfg/keys.cfg", "config.cfg", exe, "heliryx.360", "settings.ini"}));

  config_store::WriteIni(install / "watchpost.ini", "APPLICATION", "MODE", "");  // the monitor ends
  EXPECT_EQ(monitor.Wait(20000), 0) << monitor.Stderr();
  EXPECT_EQ(Count(monitor.Stderr(), message), 1u) << monitor.Stderr();
}
