#include "updater/update_list.h"
#include "updater/version_number.h"

#include "testing/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace updater;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

// A program of ours as the inventory sees it: an executable file carrying a version stamp.
void StampedProgram(const std::string& path, const std::string& version) {
  WriteFile(path, "#!/bin/sh\n# HELIRYX-VERSION:" + version + ";\n");
  std::filesystem::permissions(path, std::filesystem::perms(0755));
}

struct Checked {
  UpdateQueues queues;
  std::optional<UpdateError> error;
  std::vector<std::string> skipped;
};

Checked Check(const std::string& installPath, const std::string& list) {
  Inventory inventory = ReadInstalledVersions(installPath);
  Checked out;
  UpdateListReader reader(out.queues, inventory.InstalledVersions);
  out.error = reader.ReadAll(list);
  out.skipped = reader.Skipped;
  return out;
}

}  // namespace

TEST(VersionNumberTest, FoldsFourPartsAndRecordsTheControlToolsForm) {
  struct Case {
    std::string text;
    std::string number;
  } cases[] = {
      {"5.1.0.12", "5.01000012"},
      {"1.0.0.4", "1.00000004"},
      {"", "0"},
      {"1.2.3", "0"},
      {"1.2.3.x", "0"},
      {"1.0.100.0", "1.001000000"},
      {" 2 . 0 . 0 . 7 ", "2.00000007"},
      {"1.2.3.4.5", "0"},
      {"1.2.3.", "0"},
      {"1..2.3", "0"},
      {"1.2.3.-4", "0"},
      {"123456789.99.999.12345", "123456789.9999912345"},
  };
  for (const Case& c : cases) EXPECT_EQ(VersionNumberText(c.text), c.number) << c.text;
  EXPECT_EQ(FormatVersionRecord(VersionNumber("2.0.0.7")), "2.00000007");
  EXPECT_EQ(FormatVersionRecord(VersionNumber("5.1.0.0")), "5.01");
  EXPECT_EQ(FormatVersionRecord(0), "0.0");
  // Two different versions that fold into one number still differ in their parts.
  EXPECT_EQ(VersionNumber("1.0.10.0"), VersionNumber("1.0.100.0"));
  EXPECT_NE(ParseVersion("1.0.10.0"), ParseVersion("1.0.100.0"));
}

TEST(UpdateListTest, QueuesWhatDiffersFromTheInventory) {
  TempFolder install;
  std::string path = install.Path() + "/";
  StampedProgram(path + "watchpost", "5.1.0.12");
  StampedProgram(path + "pointerly", "1.0.10.0");
  StampedProgram(path + "ryxcontrol", "9.9.9.9");  // its own stamp is not what counts
  WriteFile(path + "watchpost.ini", "[VERSION]\r\nRyxControl=2.00000007\r\n");
  WriteFile(path + "scg/quake3.scg", "[VERSION]\r\nFILE_REVISION_NUMBER=3\r\n");
  WriteFile(path + "scg/doom.scg", "[VERSION]\r\nFILE_REVISION_NUMBER=7\r\n");
  WriteFile(path + "scg/hexen.scg", "[VERSION]\r\nFILE_REVISION_NUMBER=beta\r\n");

  struct Case {
    std::string line;
    bool queued;
  } cases[] = {
      {"MAIN, watchpost.exe, 5.1.0.12, 100", false},
      {"MAIN, watchpost.exe, 5.1.0.13, 100", true},
      {"MAINTENANCE, watchpost.exe, 5.1.0.13, 100", true},
      {"MAIN, pointerly.exe, 1.0.100.0, 100", true},  // the same folded number, another version
      {"MAIN, Pointerly.exe, 1.0.10.0, 100", false},  // names match without regard to case
      {"MAIN, ryxcontrol.exe, 2.0.0.7, 100", false},
      {"MAIN, ryxcontrol.exe, 2.0.0.8, 100", true},
      {"MAIN, help.chm, 1.0.0.0, 100", true},  // not a program of the folder: always
      {"CONFIG, quake3.scg, 3, 10, Quake", false},
      {"CONFIG, quake3.scg, 03, 10, Quake", true},  // revisions compare as text
      {"CONFIG, doom.scg, 8, 10, Doom", true},
      {"CONFIG, hexen.scg, 0, 10, Hexen", false},  // a revision that is no number counts as "0"
      {"CONFIG, heretic.scg, 1, 10, Heretic", true},
      {"# MAIN, watchpost.exe, 9.0.0.0, 1", false},
  };
  for (const Case& c : cases) {
    Checked result = Check(path, c.line + "\r\n");
    EXPECT_FALSE(result.error) << c.line;
    EXPECT_EQ(result.queues.UpdateCount, c.queued ? 1 : 0) << c.line;
  }

  Checked none = Check(path, "MAIN, ryxcontrol.exe, 2.0.0.7, 5\r\n");
  EXPECT_TRUE(none.queues.Names(FileKind::Program).empty());
}

TEST(UpdateListTest, SupportAndCurveGroupsQueueEachFileOnce) {
  TempFolder install;
  Checked result = Check(install.Path() + "/",
                         "CONFIG, a.scg, 1, 10, A, SUPPORT, q3\\base.cfg, 5, common.dat, 6, /SUPPORT\r\n"
                         "CONFIG, b.scg, 1, 20, B, SUPPORT, common.dat, 99, /SUPPORT, CURVE, soft.crv, 7, /CURVE\r\n"
                         "CONFIG, c.scg, 1, 30, C, SUPPORT, s1, 1, s2, 2, s3, 3, s4, 4, /SUPPORT\r\n"
                         "CONFIG, d.scg, 1, 40, D, CURVE, c1, 1, c2, 2, c3, 3, c4, 4, c5, 5, c6, 6, c7, 7, c8, 8, "
                         "c9, 9, /CURVE\r\n");
  ASSERT_FALSE(result.error) << result.error->Text();
  EXPECT_EQ(result.queues.UpdateCount, 4);
  EXPECT_EQ(result.queues.Names(FileKind::Support),
            (std::vector<std::string>{"q3\\base.cfg", "common.dat", "s1", "s2", "s3"}));  // at most three per group
  EXPECT_EQ(result.queues.Files.Find("games_common.dat")->size, 6);                       // the first size stays
  EXPECT_EQ(result.queues.Names(FileKind::Curve),
            (std::vector<std::string>{"soft.crv", "c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"}));
  EXPECT_EQ(result.queues.Infos(), (std::vector<std::string>{"A", "B", "C", "D"}));
}

TEST(UpdateListTest, ALineOfVeryManyFieldsIsReadForTheFieldsThatCount) {
  TempFolder install;
  std::string curves;
  for (int i = 1; i <= 8; ++i) curves += ", c" + std::to_string(i) + ", " + std::to_string(i);
  std::string tail;
  for (int i = 0; i < 200000; ++i) tail += ", SUPPORT, x, 1";
  struct Case {
    std::string line;
    std::vector<std::string> curves;
    int error;
  } cases[] = {
      {"CONFIG, a.scg, 1, 10, A, CURVE" + curves + tail, {"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"}, 0},
      // The last pair's size at field 21 is missing: the group runs off the line.
      {"CONFIG, a.scg, 1, 10, A, CURVE" + curves.substr(0, curves.rfind(',')),
       {"c1", "c2", "c3", "c4", "c5", "c6", "c7"},
       9},
  };
  for (const Case& c : cases) {
    Checked result = Check(install.Path() + "/", c.line + "\r\n");
    EXPECT_EQ(result.error ? result.error->number : 0, c.error);
    EXPECT_EQ(result.queues.Names(FileKind::Curve), c.curves);
    EXPECT_TRUE(result.queues.Names(FileKind::Support).empty());  // no group word past field 9 has room for a pair
    ASSERT_NE(result.queues.Files.Find("scg_a.scg"), nullptr);
    EXPECT_EQ(result.queues.Files.Find("scg_a.scg")->line, c.line);  // stored whole
  }
}

TEST(UpdateListTest, AFaultyLineStopsTheReadingAndKeepsWhatWasQueued) {
  TempFolder install;
  struct Case {
    std::string bad;
    int number;
  } cases[] = {
      {"MAIN, x.exe, 1.0.0.0", 9},
      {"CONFIG, y.scg, 1, 10", 9},
      {"CONFIG, y.scg, 1, 10, Y, SUPPORT, s.dat, 5", 9},  // a group that runs off the line
      {"MAIN, a.exe, 1.0.0.0, 10", 457},                  // the same file queued twice
      {"MAIN, z.exe, 1.0.0.0, big", 13},
  };
  for (const Case& c : cases) {
    Checked result =
        Check(install.Path() + "/", "MAIN, a.exe, 1.0.0.0, 10\r\n" + c.bad + "\r\nMAIN, b.exe, 1.0.0.0, 10\r\n");
    ASSERT_TRUE(result.error) << c.bad;
    EXPECT_EQ(result.error->number, c.number) << c.bad;
    EXPECT_EQ(result.queues.Names(FileKind::Program), std::vector<std::string>{"a.exe"}) << c.bad;
  }
}

TEST(UpdateListTest, NamesThatLeaveTheirFolderAreSkipped) {
  TempFolder install;
  Checked result = Check(install.Path() + "/",
                         "MAIN, ../watchpost.exe, 1.0.0.0, 1\r\n"
                         "MAIN, sub/tool.exe, 1.0.0.0, 1\r\n"
                         "CONFIG, ..\\x.scg, 1, 1, X\r\n"
                         "CONFIG, ok.scg, 1, 1, OK, SUPPORT, ..\\..\\autoexec.bat, 1, /etc/passwd, 1, C:\\boot.ini, 1, "
                         "/SUPPORT, CURVE, q3\\..\\..\\x.crv, 1, q3\\good.crv, 1, /CURVE\r\n");
  ASSERT_FALSE(result.error);
  EXPECT_EQ(result.skipped,
            (std::vector<std::string>{"../watchpost.exe", "sub/tool.exe", "..\\x.scg", "..\\..\\autoexec.bat",
                                      "/etc/passwd", "C:\\boot.ini", "q3\\..\\..\\x.crv"}));
  EXPECT_EQ(result.queues.Names(FileKind::Configuration), std::vector<std::string>{"ok.scg"});
  EXPECT_TRUE(result.queues.Names(FileKind::Program).empty());
  EXPECT_TRUE(result.queues.Names(FileKind::Support).empty());
  EXPECT_EQ(result.queues.Names(FileKind::Curve), std::vector<std::string>{"q3\\good.crv"});
}

TEST(KeyedCollectionTest, KeysMatchWithoutRegardToCaseAndKeepTheirOrder) {
  KeyedCollection<int> c;
  struct Case {
    std::string key;
    int item;
    bool added;
  } adds[] = {
      {"main_Watchpost.exe", 1, true}, {"scg_quake3.scg", 2, true},  {"MAIN_WATCHPOST.EXE", 3, false},
      {"main_watchpost.ex", 4, true},  {"SCG_Quake3.SCG", 5, false}, {"", 6, true},
  };
  for (const Case& a : adds) EXPECT_EQ(c.Add(a.key, a.item), a.added) << a.key;
  EXPECT_EQ(c.Count(), 4u);
  ASSERT_NE(c.Find("main_WATCHPOST.exe"), nullptr);
  EXPECT_EQ(*c.Find("main_WATCHPOST.exe"), 1);  // the first item stays
  EXPECT_EQ(c.Find("main_watchpost.exe2"), nullptr);
  std::vector<std::string> keys;
  for (const auto& [key, item] : c.Items()) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"main_Watchpost.exe", "scg_quake3.scg", "main_watchpost.ex", ""}));

  // A copy looks up on its own; a cleared collection takes every key again.
  KeyedCollection<int> copy = c;
  c.Clear();
  EXPECT_FALSE(c.Exists("scg_quake3.scg"));
  EXPECT_TRUE(c.Add("SCG_QUAKE3.SCG", 7));
  EXPECT_EQ(*c.Find("scg_quake3.scg"), 7);
  EXPECT_EQ(*copy.Find("scg_quake3.scg"), 2);
}

TEST(UpdateListTest, AStopFromTheYieldEndsTheReadingWhereItIs) {
  TempFolder install;
  Inventory inventory = ReadInstalledVersions(install.Path() + "/");
  // Stopped after the 3rd call: a line, a line, then the first pair of c.scg's group.
  std::string list =
      "MAIN, a.exe, 1.0.0.0, 1\r\nMAIN, b.exe, 1.0.0.0, 1\nCONFIG, c.scg, 1, 1, C, SUPPORT, s1, 1, s2, 2, "
      "/SUPPORT, CURVE, k.crv, 1, /CURVE\r\nMAIN, d.exe, 1.0.0.0, 1";
  struct Case {
    int stopAt;
    std::vector<std::string> main, games, curves;
  } cases[] = {
      {1, {"a.exe"}, {}, {}},
      {3, {"a.exe", "b.exe"}, {"s1"}, {}},
      {100, {"a.exe", "b.exe", "d.exe"}, {"s1", "s2"}, {"k.crv"}},
  };
  for (const Case& c : cases) {
    UpdateQueues queues;
    struct StopAt : ReadingPace {
      int stopAt, calls = 0;
      explicit StopAt(int n) : stopAt(n) {}
      bool KeepReading() override { return ++calls < stopAt; }
    } pace(c.stopAt);
    UpdateListReader reader(queues, inventory.InstalledVersions, &pace);
    const int& calls = pace.calls;
    EXPECT_FALSE(reader.ReadAll(list)) << c.stopAt;
    EXPECT_EQ(queues.Names(FileKind::Program), c.main) << c.stopAt;
    EXPECT_EQ(queues.Names(FileKind::Support), c.games) << c.stopAt;
    EXPECT_EQ(queues.Names(FileKind::Curve), c.curves) << c.stopAt;
    EXPECT_EQ(calls, std::min(c.stopAt, 7)) << "no call after the stop";
  }
}

TEST(UpdateListTest, SkippedNamesMakeOneMessage) {
  auto names = [](int count) {
    std::vector<std::string> out;
    for (int i = 1; i <= count; ++i) out.push_back("..\\n" + std::to_string(i));
    return out;
  };
  EXPECT_EQ(SkippedNamesText({}), "");
  EXPECT_EQ(SkippedNamesText({"../watchpost.exe"}),
            "The update list names \"../watchpost.exe\", which lies outside its folder; it was skipped.");
  EXPECT_EQ(SkippedNamesText(names(3)),
            "The update list names 3 files that lie outside their folders; they were skipped:\n"
            "\"..\\n1\"\n\"..\\n2\"\n\"..\\n3\"");
  std::string fifteen = SkippedNamesText(names(15));
  EXPECT_NE(fifteen.find("names 15 files"), std::string::npos) << fifteen;
  EXPECT_NE(fifteen.find("\"..\\n10\"\nand 5 more."), std::string::npos) << fifteen;
  EXPECT_EQ(fifteen.find("..\\n11"), std::string::npos) << fifteen;
  // A name as long as its line is cut.
  std::string huge = SkippedNamesText({"/" + std::string(100000, 'x')});
  EXPECT_LT(huge.size(), 300u);
  EXPECT_NE(huge.find("xxx...\""), std::string::npos);
}
