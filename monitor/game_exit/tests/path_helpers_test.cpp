#include "monitor/game_exit/path_helpers.h"

#include "monitor/tests/log_into.h"
#include "platform/file_system.h"
#include "testing/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

using game_exit::CheckRelativePath;
using game_exit::GameFolder;
using testing_support::MakeFolders;
using testing_support::TempFolder;
using testing_support::WriteFile;

struct PathCase {
  std::string base;
  std::string path;
  std::string expected;
};

TEST(CheckRelativePath, ResolvesAgainstTheGameFolder) {
  const std::string foo = "C:\\Games\\Foo\\";
  const PathCase cases[] = {
      {foo, ".\\save\\a.cfg", "C:\\Games\\Foo\\save\\a.cfg"},
      {foo, ".\\", "C:\\Games\\Foo\\"},
      {foo, "..\\Common\\b.ini", "C:\\Games\\Common\\b.ini"},
      {foo, "..\\..\\c.ini", "C:\\c.ini"},
      {foo, "..\\..\\..\\c.ini", "ERROR"},  // past the drive's root
      {foo, "data\\d.txt", "C:\\Games\\Foo\\data\\d.txt"},
      {foo, "", "C:\\Games\\Foo\\"},
      {"C:", "x.txt", "ERROR"},  // a base shorter than three characters
      {"Z:\\", "..\\x.txt", "ERROR"},
      {"Z:\\home\\", "..\\x.txt", "Z:\\x.txt"},
      {foo, "../Common/b.ini", "C:\\Games\\Common\\b.ini"},  // "/" is a separator too
      {foo, "my..file.cfg", "C:\\Games\\Foo\\my..file.cfg"},
      {foo, "...\\x", "C:\\Games\\Foo\\...\\x"},  // "..." is a name here, not a climb
  };
  for (const PathCase& c : cases) EXPECT_EQ(CheckRelativePath(c.base, c.path), c.expected) << c.path;
}

TEST(CheckRelativePath, RefusesPathsThatLeaveTheGameFolderTree) {
  const std::string foo = "C:\\Games\\Foo\\";
  const std::vector<std::string> refused = {
      "D:\\x.ini",         // another drive
      "C:x.ini",           // a drive-relative path
      "\\Windows\\x.ini",  // absolute
      "/etc/passwd",
      "\\\\server\\share\\x",
      "cfg\\..\\..\\x",  // ".." after a name
      ".\\..\\x",
      "..\\..",  // a last ".." without a backslash
      "a\\..",
      "..\\cfg\\..\\..\\x",
      "keys.cfg:stream",
      std::string("a\0b.cfg", 7),
      "a\nb.cfg",
  };
  for (const std::string& path : refused) EXPECT_EQ(CheckRelativePath(foo, path), "ERROR") << path;
}

TEST(PathParts, SplitAtTheLastBackslash) {
  struct Parts {
    std::string path, file, folder;
  };
  const Parts cases[] = {
      {"C:\\a\\b.txt", "b.txt", "C:\\a\\"},
      {"b.txt", "b.txt", ""},
      {"C:\\a\\", "", "C:\\a\\"},
      {"", "", ""},
  };
  for (const Parts& c : cases) {
    EXPECT_EQ(game_exit::GetFileOnly(c.path), c.file) << c.path;
    EXPECT_EQ(game_exit::GetPathOnly(c.path), c.folder) << c.path;
  }
}

TEST(GameFolder, NativeGameMatchesNamesWithoutCase) {
  TempFolder tmp;
  MakeFolders(tmp / "Games/Foo");
  MakeFolders(tmp / "Games/COMMON");
  GameFolder game(tmp / "Games/Foo/", "");
  EXPECT_EQ(game.LinuxFolder(), tmp / "Games/Foo");
  std::string resolved = game.Resolve("..\\common\\b.ini");
  EXPECT_EQ(game.LinuxPath(resolved), tmp / "Games/COMMON/b.ini");
  EXPECT_EQ(game.LinuxPath(game.Resolve(".\\cfg\\x.cfg")), tmp / "Games/Foo/cfg/x.cfg");
}

// Leading "..\" steps climb at most two folders above a game outside a Wine
// prefix, and never to the home folder or above it; in a prefix's drive_c, up
// to drive C:'s root.
TEST(GameFolder, ClimbsStopWithinTheGamesOwnTree) {
  TempFolder tmp;
  const std::string home = tmp / "home";
  const char* before = std::getenv("HOME");
  std::string saved = before ? before : "";
  ::setenv("HOME", home.c_str(), 1);
  const std::string prefix = home + "/.wine";
  struct Case {
    std::string game;
    std::string prefix;
    std::string path;
    std::string expected;  // Linux path, or "ERROR"
  } cases[] = {
      {home + "/Games/X/bin", "", "..\\x.cfg", home + "/Games/X/x.cfg"},
      {home + "/Games/X/bin", "", "..\\..\\x.cfg", home + "/Games/x.cfg"},
      {home + "/Games/X/bin", "", "..\\..\\..\\.bashrc", "ERROR"},  // the home folder itself
      {home + "/X/bin", "", "..\\..\\.bashrc", "ERROR"},
      {home + "/X/bin", "", "..\\x.cfg", home + "/X/x.cfg"},
      {home + "/X", "", "..\\x.cfg", "ERROR"},
      {home + "/X", "", ".\\x.cfg", home + "/X/x.cfg"},
      {home, "", ".\\.bashrc", "ERROR"},  // a game in the home folder reaches nothing
      {tmp / "opt/Foo/Binaries/Win32", "", "..\\..\\Saved\\a.ini", tmp / "opt/Foo/Saved/a.ini"},
      {tmp / "opt/Foo/Binaries/Win32", "", "..\\..\\..\\a.ini", "ERROR"},
      {tmp / "opt/Foo/Binaries/Win32", "", "saves\\..\\..\\a.ini", "ERROR"},
      // A Wine game run from a Linux folder, through Z:, as launchers do.
      {home + "/.local/share/games/Foo/bin", prefix, "..\\..\\x.cfg", home + "/.local/share/games/x.cfg"},
      {home + "/.local/share/games/Foo/bin", prefix, "..\\..\\..\\x.cfg", "ERROR"},
      {prefix + "/drive_c/Games/Foo", prefix, "..\\..\\c.ini", prefix + "/drive_c/c.ini"},
      {prefix + "/drive_c/Games/Foo", prefix, "..\\..\\users\\me\\Documents\\g.cfg",
       prefix + "/drive_c/users/me/Documents/g.cfg"},
      {prefix + "/drive_c/Games/Foo", prefix, "..\\..\\..\\c.ini", "ERROR"},
  };
  for (const Case& c : cases) {
    MakeFolders(c.game);
    GameFolder game(c.game, c.prefix);
    std::string resolved = game.Resolve(c.path);
    EXPECT_EQ(resolved == "ERROR" ? resolved : game.LinuxPath(resolved), c.expected) << c.game << " " << c.path;
  }
  if (before)
    ::setenv("HOME", saved.c_str(), 1);
  else
    ::unsetenv("HOME");
}

TEST(GameFolder, WineGameStaysOnItsDriveC) {
  TempFolder tmp;
  std::string prefix = tmp / "prefix";
  MakeFolders(prefix + "/drive_c/Games/Foo");
  GameFolder game(prefix + "/drive_c/Games/Foo", prefix);
  EXPECT_EQ(game.WindowsFolder(), "C:\\Games\\Foo");
  EXPECT_EQ(game.LinuxPath(game.Resolve("..\\..\\c.ini")), prefix + "/drive_c/c.ini");
  EXPECT_EQ(game.Resolve("..\\..\\..\\c.ini"), "ERROR");  // never into the prefix itself
  // A Wine game installed outside the prefix sees its folder on Z:.
  MakeFolders(tmp / "elsewhere/Game");
  GameFolder outside(tmp / "elsewhere/Game", prefix);
  EXPECT_EQ(outside.WindowsFolder().substr(0, 3), "Z:\\");
}

TEST(GameFolder, FolderWithoutAWindowsFormResolvesNothing) {
  for (const std::string& folder : {std::string("relative/Foo"), std::string("/odd\\name/Foo"), std::string()}) {
    GameFolder game(folder, "");
    EXPECT_EQ(game.WindowsFolder(), "") << folder;
    EXPECT_EQ(game.Resolve("x.cfg"), "ERROR") << folder;
  }
}

TEST(BuildFolders, CreatesMissingFoldersAndKeepsExistingSpelling) {
  TempFolder tmp;
  MakeFolders(tmp / "Foo/CFG");
  GameFolder game(tmp / "Foo", "");
  std::vector<std::string> log;
  monitor_test::LogInto logLine(log);
  EXPECT_EQ(game_exit::BuildFolders(game, game.Resolve(".\\cfg\\a\\b\\"), logLine), 0);
  EXPECT_TRUE(platform::FolderExists(tmp / "Foo/CFG/a/b"));
  EXPECT_FALSE(platform::FolderExists(tmp / "Foo/cfg"));
  EXPECT_EQ(game_exit::BuildFolders(game, game.Resolve(".\\cfg\\a\\b"), logLine), 0);  // twice: nothing to do
  EXPECT_TRUE(log.empty());
}

TEST(BuildFolders, StopsAtTheFirstFailureAndLogsIt) {
  TempFolder tmp;
  MakeFolders(tmp / "Foo");
  WriteFile(tmp / "Foo/file", "x");
  GameFolder game(tmp / "Foo", "");
  std::vector<std::string> log;
  monitor_test::LogInto logLine(log);
  EXPECT_NE(game_exit::BuildFolders(game, game.Resolve(".\\file\\sub\\"), logLine), 0);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "Error 17 building path " + tmp / "Foo/file");
  EXPECT_FALSE(platform::FolderExists(tmp / "Foo/file/sub"));

  log.clear();
  EXPECT_NE(game_exit::BuildFolders(game, "", logLine), 0);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "Error 22 building path ");
}

}  // namespace
