#include "monitor/watch_list.h"

#include "config_store/scg_size_limit.h"
#include "monitor/tests/log_into.h"
#include "testing/test_support.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace monitor;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {
std::string Scg(const std::string& version, const std::string& hide, const std::string& exeLine) {
  std::string text = "[VERSION]\r\nVERSION=" + version + "\r\n\r\n[CONFIGURATION]\r\n";
  if (!hide.empty()) text += "HIDE_FILE=" + hide + "\r\n";
  if (!exeLine.empty()) text += exeLine + "\r\n";
  return text;
}
}  // namespace

TEST(WatchList, SplitsExecutableLists) {
  EXPECT_EQ(SplitExecutableList("quake3.exe"), std::vector<std::string>{"quake3.exe"});
  // Stored as "a.exe", "b.exe": the profile reader has taken the outer quotes.
  EXPECT_EQ(SplitExecutableList("a.exe\", \"b.exe"), (std::vector<std::string>{"a.exe", "b.exe"}));
  EXPECT_EQ(SplitExecutableList("a.exe\", \"\", \"c.exe"), std::vector<std::string>{"a.exe"});
  EXPECT_EQ(SplitExecutableList("a.exe\",x"), std::vector<std::string>{"a.exe"});  // too short to unquote
}

TEST(WatchList, TakesOnlyVisible61FilesWithAnExecutable) {
  TempFolder dir;
  std::string folder = dir.Path() + "/";
  WriteFile(folder + "one.scg", Scg("6.1", "FALSE", "EXECUTABLE=\"game.exe\""));
  WriteFile(folder + "two.scg", Scg("6.1", "false", "EXECUTABLE=\"a.exe\", \"b.exe\""));
  WriteFile(folder + "hidden.scg", Scg("6.1", "TRUE", "EXECUTABLE=\"h.exe\""));
  WriteFile(folder + "nohide.scg", Scg("6.1", "", "EXECUTABLE=\"n.exe\""));
  WriteFile(folder + "old.scg", Scg("6.0", "FALSE", "EXECUTABLE=\"o.exe\""));
  WriteFile(folder + "noexe.scg", Scg("6.1", "FALSE", ""));
  WriteFile(folder + "emptyexe.scg", Scg("6.1", "FALSE", "EXECUTABLE="));
  WriteFile(folder + "UPPER.SCG", Scg("6.1", "FALSE", "EXECUTABLE=\"u.exe\""));
  WriteFile(folder + "notes.txt", Scg("6.1", "FALSE", "EXECUTABLE=\"t.exe\""));
  std::string junk(2000, '\0');
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 37);
  WriteFile(folder + "junk.scg", junk);
  std::vector<std::string> logged;
  monitor_test::LogInto log(logged);
  WatchTable list = BuildWatchList(folder, log);
  std::vector<std::string> entries;
  for (const WatchEntry& e : list) entries.push_back(e.scgFile + " - " + e.exeName);
  EXPECT_EQ(entries, logged);
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"UPPER.SCG - u.exe", "noexe.scg - ERROR", "one.scg - game.exe",
                                               "two.scg - a.exe", "two.scg - b.exe"}));
}

TEST(WatchList, SkipsAFileLargerThanTheLimitWithALogLine) {
  TempFolder dir;
  std::string folder = dir.Path() + "/";
  auto padded = [](const std::string& exe, size_t size) {
    std::string text = Scg("6.1", "FALSE", "EXECUTABLE=\"" + exe + "\"");
    return text + std::string(size - text.size(), ';');
  };
  WriteFile(folder + "atlimit.scg", padded("fits.exe", config_store::kScgFileSizeLimit));
  WriteFile(folder + "over.scg", padded("big.exe", config_store::kScgFileSizeLimit + 1));
  std::vector<std::string> logged;
  monitor_test::LogInto log(logged);
  WatchTable list = BuildWatchList(folder, log);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].exeName, "fits.exe");
  std::sort(logged.begin(), logged.end());
  EXPECT_EQ(logged, (std::vector<std::string>{"Skipped over.scg: larger than 1 MB", "atlimit.scg - fits.exe"}));
}

TEST(WatchIndex, FindsTheFirstEntryNamingAnExecutableWithoutRegardToCase) {
  const std::string longName = std::string(70, 'L') + ".exe";
  WatchIndex index({{"a.scg", "quake3.exe"},
                    {"b.scg", "QUAKE3.EXE"},
                    {"c.scg", "HoverRace.exe"},
                    {"d.scg", "é.exe"},
                    {"e.scg", longName}});
  struct Case {
    std::string name;
    std::string scg;  // empty: not watched
  } cases[] = {
      {"quake3.exe", "a.scg"},
      {"Quake3.Exe", "a.scg"},
      {"hoverrace.EXE", "c.scg"},
      {"é.exe", "d.scg"},
      {"quake3", ""},
      {"quake3.exe ", ""},
      {"", ""},
      {std::string(70, 'l') + ".EXE", "e.scg"},
      {std::string(71, 'L') + ".exe", ""},
  };
  for (const Case& c : cases) {
    const WatchEntry* entry = index.Find(c.name);
    EXPECT_EQ(entry ? entry->scgFile : "", c.scg) << c.name;
  }
}
