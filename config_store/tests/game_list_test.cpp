#include "config_store/game_list.h"

#include "config_store/scg_size_limit.h"
#include "config_store/tests/scan_fixtures.h"
#include "platform/profile.h"
#include "testing/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

using namespace config_store;
using config_store_test::Crlf;
using config_store_test::ScanScg;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

// An installation folder with scg/ and the records of the window's steps.
struct Install : GameListSteps {
  TempFolder dir;
  std::string ScgFolder = dir.Path() + "/scg/";
  std::vector<std::string> logged;
  std::vector<std::string> statuses;
  std::vector<std::string> rewritten;
  Install() { testing_support::MakeFolders(ScgFolder); }
  GameListResult Scan() { return LoadGameList(dir.Path(), ScgFolder, *this); }
  void Log(const std::string& line) override { logged.push_back(line); }
  void Status(const std::string& text) override { statuses.push_back(text); }
  void RewriteConverted(const std::string& path) override { rewritten.push_back(path); }
};

std::vector<std::string> Files(const GameTable& table) {
  std::vector<std::string> names;
  for (int c = 1; c <= table.GameCount(); ++c) names.push_back(table.Column(c).fileName);
  return names;
}

// A listable configuration padded with comment lines to exactly `size` bytes.
std::string PaddedScg(std::uintmax_t size) {
  std::string text = ScanScg("6.1", "FALSE", "Padded");
  std::string line = "; padding\r\n";
  while (text.size() + line.size() <= size) text += line;
  text += std::string(size - text.size(), ';');
  return text;
}

}  // namespace

TEST(GameList, ListsOnlyVisibleCurrentFilesAndConvertsVisibleOldOnes) {
  struct Case {
    std::string file;
    std::string text;
    bool listed;
    bool untouched;  // the scan leaves the bytes as they were
  };
  const std::vector<Case> cases = {
      {"plain.scg", ScanScg("6.1", "FALSE", "Plain"), true, true},
      {"UPPER.SCG", ScanScg("6.1", "FALSE", "Upper"), false, true},
      {"upper.Scg", ScanScg("6.1", "FALSE", "Mixed"), false, true},
      {"notes.txt", ScanScg("6.1", "FALSE", "Text"), false, true},
      {"nohide.scg", ScanScg("6.1", "", "No hide"), false, true},
      {"lowerfalse.scg", ScanScg("6.1", "false", "Lower false"), false, true},
      {"hidden.scg", ScanScg("6.1", "TRUE", "Hidden"), false, true},
      {"v62.scg", ScanScg("6.2", "FALSE", "Six two"), false, true},
      {"v610.scg", ScanScg("6.10", "FALSE", "Six ten"), false, true},
      {"hidden60.scg", ScanScg("6.0", "TRUE", "Hidden old"), false, true},
      {"nohide60.scg", ScanScg("6.0", "", "No hide old"), false, true},
      {"old.scg", ScanScg("6.0", "FALSE", "Old"), true, false},
      {"old6.scg", ScanScg("6", "FALSE", "Old six"), true, false},
      {"noexe.scg", Crlf({"[VERSION]", "VERSION=6.1", "[CONFIGURATION]", "HIDE_FILE=FALSE"}), true, true},
      {"atlimit.scg", PaddedScg(kScgFileSizeLimit), true, true},
      {"overlimit.scg", PaddedScg(kScgFileSizeLimit + 1), false, true},
  };
  Install install;
  for (const Case& c : cases) WriteFile(install.ScgFolder + c.file, c.text);

  GameListResult result = install.Scan();
  ASSERT_EQ(result.outcome, GameListOutcome::Listed);
  std::vector<std::string> listed = Files(result.table);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::string path = install.ScgFolder + c.file;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), c.file), c.listed ? 1 : 0);
    if (c.untouched) {
      EXPECT_EQ(ReadFile(path), c.text);
    } else {
      EXPECT_EQ(platform::GetProfileString("VERSION", "VERSION", "", path), "6.1");
    }
  }
  EXPECT_EQ(install.rewritten,
            (std::vector<std::string>{install.ScgFolder + "old.scg", install.ScgFolder + "old6.scg"}));
  EXPECT_EQ(install.statuses,
            (std::vector<std::string>{"Upgrading Old...  Please wait...", "Upgrading Old six...  Please wait..."}));
  EXPECT_EQ(install.logged, std::vector<std::string>{"Skipped overlimit.scg: larger than 1 MB"});
}

TEST(GameList, ColumnsHoldFileNamePaddedNameAndExecutable) {
  Install install;
  WriteFile(install.ScgFolder + "q3.scg", ScanScg("6.1", "FALSE", "Quake III", "\"quake3.exe\", \"q3a.exe\""));
  WriteFile(install.ScgFolder + "noexe.scg", Crlf({"[VERSION]", "VERSION=6.1", "[CONFIGURATION]", "HIDE_FILE=FALSE"}));
  GameTable table = install.Scan().table;
  ASSERT_EQ(table.GameCount(), 2);
  EXPECT_EQ(table.CurrentGameIndex, 0);
  // A missing name or executable is the profile reader's word for it.
  EXPECT_EQ(table.Column(1).listText, "ERROR" + std::string(100, ' '));
  EXPECT_EQ(table.Column(1).executable, "ERROR");
  EXPECT_EQ(table.Column(2).fileName, "q3.scg");
  EXPECT_EQ(table.Column(2).listText, "Quake III" + std::string(100, ' '));
  EXPECT_EQ(table.Column(2).executable, "quake3.exe\", \"q3a.exe");
}

TEST(GameList, SortsByNameWithoutRegardToCaseKeepingFolderOrderForEqualNames) {
  // The folder order is by upper-cased file name: a.scg before B.scg, though
  // 'B' sorts before 'a' as a byte.
  struct Case {
    const char* file;
    const char* name;
  };
  const std::vector<Case> files = {{"B.scg", "Same"},  {"a.scg", "SAME"}, {"c.scg", "quake II"}, {"d.scg", "Quake"},
                                   {"e.scg", "alpha"}, {"g.scg", "zeta"}, {"h.scg", "Quake 2"}};
  Install install;
  for (const Case& c : files) WriteFile(install.ScgFolder + c.file, ScanScg("6.1", "FALSE", c.name));
  GameTable table = install.Scan().table;
  // The padding blanks put a name before its longer continuations.
  EXPECT_EQ(Files(table), (std::vector<std::string>{"e.scg", "d.scg", "h.scg", "c.scg", "a.scg", "B.scg", "g.scg"}));
}

TEST(GameList, SortGameListIsStableWhereASwapWouldReorderEqualNames) {
  // A selection sort that swaps would move x behind y here.
  GameTable table;
  table.columns = {{"x", "Beta", "1"}, {"y", "BETA", "2"}, {"z", "Alpha", "3"}};
  GameTable& sorted = SortGameList(table);
  EXPECT_EQ(&sorted, &table);
  EXPECT_EQ(Files(table), (std::vector<std::string>{"z", "x", "y"}));
  EXPECT_EQ(table.Column(1).executable, "3");  // whole columns move
}

TEST(GameList, CreatesTheEditorSettingsFileOnlyWhenMissing) {
  {
    Install install;
    GameListResult result = install.Scan();  // nothing listable: the file is made all the same
    EXPECT_EQ(result.EditorIniFile, install.dir / "tunedeck.ini");
    EXPECT_EQ(ReadFile(install.dir / "tunedeck.ini"), Crlf({"[Version]", "Version=5.1", "[Games]", "Current="}));
  }
  {
    Install install;
    std::string kept = Crlf({"[Games]", "Current=q3.scg", "[Version]", "Version=4.0"});
    WriteFile(install.dir / "tunedeck.ini", kept);
    install.Scan();
    EXPECT_EQ(ReadFile(install.dir / "tunedeck.ini"), kept);
  }
}

TEST(GameList, FatalOutcomesCarryTheirMessages) {
  Install install;
  GameListResult empty = install.Scan();
  EXPECT_EQ(empty.outcome, GameListOutcome::NothingListable);
  EXPECT_EQ(empty.messageText, "No configuration files found in folder " + install.ScgFolder);
  EXPECT_EQ(empty.messageTitle, "Critical Error");

  std::filesystem::remove_all(install.ScgFolder);
  GameListResult missing = install.Scan();
  EXPECT_EQ(missing.outcome, GameListOutcome::NoScgFolder);
  EXPECT_EQ(missing.messageText, "Configuration file folder " + install.ScgFolder + " not found.");
  EXPECT_EQ(missing.messageTitle, "Critical Error");
  EXPECT_EQ(missing.table.GameCount(), 0);
}

TEST(GameList, SuspendsAnActiveMonitorAndLeavesEveryOtherModeAlone) {
  struct Case {
    std::optional<std::string> watchpostIni;  // none: no file
    bool listable;
    std::optional<std::string> after;  // none: the file still does not exist
  };
  const std::string active = Crlf({"[VERSION]", "VERSION=5.1", "[APPLICATION]", "MODE=ACTIVE"});
  auto mode = [](const std::string& value) { return Crlf({"[APPLICATION]", "MODE=" + value}); };
  const std::vector<Case> cases = {
      {active, true, Crlf({"[VERSION]", "VERSION=5.1", "[APPLICATION]", "MODE=SUSPEND"})},
      {active, false, active},  // nothing to edit: the editor closes without a hand-shake
      {mode("SUSPEND"), true, mode("SUSPEND")},
      {mode("KILL"), true, mode("KILL")},
      {mode(""), true, mode("")},
      {mode("active"), true, mode("active")},
      {mode("\"ACTIVE\""), true, mode("SUSPEND")},  // read without its quotes, as every profile value
      {Crlf({"[APPLICATION]"}), true, Crlf({"[APPLICATION]"})},
      {std::nullopt, true, std::nullopt},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    const Case& c = cases[i];
    Install install;
    if (c.listable) WriteFile(install.ScgFolder + "game.scg", ScanScg("6.1", "FALSE", "Game"));
    std::string ini = install.dir / "watchpost.ini";
    if (c.watchpostIni) WriteFile(ini, *c.watchpostIni);
    install.Scan();
    EXPECT_EQ(std::filesystem::exists(ini), c.after.has_value());
    if (c.after) {
      EXPECT_EQ(ReadFile(ini), *c.after);
    }
  }
}

TEST(GameList, AReadOnlyOldFileIsNeitherConvertedNorListed) {
  Install install;
  std::string path = install.ScgFolder + "old.scg";
  std::string text = ScanScg("6.0", "FALSE", "Old");
  WriteFile(path, text);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  WriteFile(install.ScgFolder + "game.scg", ScanScg("6.1", "FALSE", "Game"));
  GameListResult result = install.Scan();
  EXPECT_EQ(Files(result.table), std::vector<std::string>{"game.scg"});
  EXPECT_EQ(ReadFile(path), text);
  EXPECT_TRUE(install.rewritten.empty());
  EXPECT_EQ(install.logged, std::vector<std::string>{"old.scg could not be converted"});
}
