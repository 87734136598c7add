// Snapshots of the record and the change check over them.
#include "config_store/snapshot.h"
#include "config_store/scg_reader.h"
#include "config_store/tests/store_fixture.h"
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <map>

using namespace config_store;

namespace {

// Texts are numbered in the record's field order: 402 of them.
std::string Encoded(const std::map<int, std::string>& texts) {
  std::string bytes;
  for (int i = 0; i < 402; ++i) {
    auto it = texts.find(i);
    std::string t = it == texts.end() ? "" : it->second;
    bytes += static_cast<char>(t.size() & 0xFF);
    bytes += static_cast<char>(t.size() >> 8);
    bytes += t;
  }
  return bytes;
}

TEST(Snapshot, GoldenBytes) {
  TGameConfig empty;
  EXPECT_EQ(SnapshotBytes(empty), std::string(804, '\0'));

  TGameConfig c;
  c.VERSION = "6.1";                                       // text 0
  c.USE_KEYS = "TRUE";                                     // 19
  c.MotionAlias.MotionPos(1).GameCommand.USER = "+right";  // 32 + 3
  c.MotionAlias.Y = "1";                                   // 105
  c.ButtonSlot(2).ALIAS.ListName = "Fire";                 // 114 + 9 + 1
  c.ButtonSlot(2).SendEvent.DFLT = "VK_A";                 // 114 + 9 + 7
  c.PRECISION.MODE.USER = "LOGICAL";                       // 261
  c.GainTable(1, 2).DFLT = "45";                           // 294 + 2 * 3 (level fastest)
  c.GainTable(3, 1).USER = "50";                           // 294 + 2 * 2 + 1
  c.SensitivityTable(2, 7).USER = "3";                     // 336 + 2 * 19 + 1
  c.DeadzoneValues(6).USER = std::string(300, 'x');        // 401, a length above 255
  std::string expected = Encoded({{0, "6.1"},
                                  {19, "TRUE"},
                                  {35, "+right"},
                                  {105, "1"},
                                  {124, "Fire"},
                                  {130, "VK_A"},
                                  {261, "LOGICAL"},
                                  {300, "45"},
                                  {299, "50"},
                                  {375, "3"},
                                  {401, std::string(300, 'x')}});
  EXPECT_EQ(SnapshotBytes(c), expected);
}

TEST(Snapshot, AreTheyTheSame) {
  testing_support::TempFolder folder;
  testing_support::WriteFile(folder / "a", "abc");
  testing_support::WriteFile(folder / "b", "abd");
  testing_support::WriteFile(folder / "c", "abc");
  testing_support::WriteFile(folder / "d", "abcd");
  struct Case {
    const char* one;
    const char* two;
    bool stringent;
    bool same;
  } cases[] = {
      {"a", "c", true, true},   {"a", "b", true, false},  {"a", "b", false, true},
      {"a", "d", false, false}, {"a", "x", false, false}, {"x", "x", false, false},
  };
  for (const Case& k : cases)
    EXPECT_EQ(AreTheyTheSame(folder / k.one, folder / k.two, k.stringent), k.same)
        << k.one << " " << k.two << " " << k.stringent;
}

TEST(Snapshot, ChangeCheckFollowsTheRecordAndTheInstructions) {
  store_test::ProgramFolder program;
  ConfigSession s = program.Session();
  ASSERT_TRUE(ReadSCG(program.Scg("g.scg", store_test::FullLayoutText()), false, s).Loaded());
  const std::string& folder = s.ProgramFolder;
  const std::string text = s.Instructions;
  EXPECT_EQ(AnyChanges(folder, s.GameConfig, text, text), 0);

  std::string old = s.GameConfig.GainTable(2, 3).USER;
  s.GameConfig.GainTable(2, 3).USER = "61";
  EXPECT_EQ(AnyChanges(folder, s.GameConfig, text, text), 1);
  s.GameConfig.GainTable(2, 3).USER = old;  // undone by hand
  EXPECT_EQ(AnyChanges(folder, s.GameConfig, text, text), 0);
  EXPECT_EQ(AnyChanges(folder, s.GameConfig, text + "more\r\n", text), 1);

  platform::RemoveFile(folder + "/before.scg");
  EXPECT_EQ(AnyChanges(folder, s.GameConfig, text, text), 1);
}

}  // namespace
