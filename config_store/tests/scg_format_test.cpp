// The value rules of the format: quoted lists, CUSTOM rows, the default
// aliases, vectors.
#include "config_store/block_readers.h"
#include "config_store/scg_values.h"
#include "config_store/vector_parsers.h"

#include <gtest/gtest.h>

using namespace config_store;

namespace {

TEST(ScgFormat, SplitAliasList) {
  struct Case {
    int count;
    std::string text;
    int skip;
    MissingList missing;
    std::string out1, out2, out3;
  } cases[] = {
      {3, "a\", \"b c\", \"VK_A", 0, MissingList::Template, "a", "b c", "VK_A"},
      {3, "ERROR", 0, MissingList::Template, "'", "", "'"},
      {3, "no comma at all", 0, MissingList::Template, "'", "", "'"},
      {2, "a,b", 0, MissingList::Template, "'", "", "(kept)"},
      {2, "   \"+attack\", \"Fire\"", 1, MissingList::Template, "+attack", "Fire", "(kept)"},
      {2, "   \"x\"", 1, MissingList::Template, "", "", "(kept)"},
      // Fields missing at the end are empty; nothing is read past the text.
      {3, "abcdefgh,", 0, MissingList::Template, "abcdefg", "", ""},
      {3, ",,", 0, MissingList::Template, "'", "", "'"},
      {3, "ERROR", 0, MissingList::Empty, "", "", ""},
      {3, "x\", \"y", 0, MissingList::Empty, "", "", ""},
      {3, "IN\", \"+cmd\", \"VK_F1", 0, MissingList::Empty, "IN", "+cmd", "VK_F1"},
      // The monitor's reading of a profile value (first and last quote already gone).
      {3, "MOUSE1\", \"+attack\", \"VM_LEFTDOWN", 0, MissingList::Empty, "MOUSE1", "+attack", "VM_LEFTDOWN"},
      {3, "\", \"\", \"", 0, MissingList::Empty, "", "", ""},
      {3, "error", 0, MissingList::Empty, "", "", ""},
      {3, "no comma at all", 0, MissingList::Empty, "", "", ""},
      {3, "a\", \"b", 0, MissingList::Empty, "", "", ""},  // shorter than 8
      // A row read as it stands (its first quote still there) with two fields.
      {2, "\"quake3\\heliryx.cfg\", \".\\baseq3\\heliryx.cfg\"", 1, MissingList::Empty, "quake3\\heliryx.cfg",
       ".\\baseq3\\heliryx.cfg", "(kept)"},
      // Parts beyond the count are ignored; a missing part is empty.
      {3, "a\", \"b\", \"c\", \"d", 0, MissingList::Empty, "a", "b", "c\""},
      {3, "abcd\", \"efgh", 0, MissingList::Empty, "abcd", "efg", ""},
      {3, "  x\"  ,  \"y\"  ,  \"z  ", 0, MissingList::Empty, "x", "y", "z"},
  };
  for (const Case& k : cases) {
    std::string o1 = "(kept)", o2 = "(kept)", o3 = "(kept)";
    SplitAliasList(k.count, k.text, o1, o2, o3, k.skip, k.missing);
    EXPECT_EQ(o1 + "|" + o2 + "|" + o3, k.out1 + "|" + k.out2 + "|" + k.out3) << k.text;
  }
  EXPECT_EQ(JoinTriple("", "", ""), "\"\", \"\", \"\"");
}

TEST(ScgFormat, ConvertsToTrueReadsWordsAndNumbers) {
  struct Case {
    std::string flag;
    bool value;
  };
  const Case cases[] = {{"TRUE", true}, {"true", true}, {"False", false}, {"1", true}, {"0", false},  {"-2", true},
                        {"2.5", true},  {"0.0", false}, {"ERROR", false}, {"", false}, {"yes", false}};
  for (const Case& c : cases) EXPECT_EQ(ConvertsToTrue(c.flag), c.value) << c.flag;
}

TEST(ScgFormat, CustomRows) {
  auto row = SplitCustomRow("   \"DELETE\"\\, \"a.cfg\"\\, \"x\"");
  ASSERT_TRUE(row);
  EXPECT_EQ((*row)(1), "DELETE");
  EXPECT_EQ((*row)(3), "x");
  EXPECT_EQ((*row)(4), "");
  EXPECT_FALSE(SplitCustomRow("   \"a\"\\, \"\"\\, \"c\"\\, x"));  // a field too short for its quotes
  EXPECT_FALSE(SplitCustomRow("   \"1\"\\, \"2\"\\, \"3\"\\, \"4\"\\, \"5\"\\, \"6\"\\, \"7\""));
  EXPECT_EQ(SplitCopyRow("   \"cfg\\a.cfg\", \"a.cfg\""), (TCopyFile{"cfg\\a.cfg", "a.cfg"}));
}

TEST(ScgFormat, BlockScanRules) {
  using End = BlockScan::End;
  const BlockRules editor = EditorBlockRules(2);
  const BlockRules monitor{true, 3, 0, true};
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    BlockRules rules;
    End end;
    std::size_t rows;
  } cases[] = {
      {"rows up to the closing line",
       {"X=1", "   {", "   \"a\"", "", "   \"b\"", "   }", "   \"c\""},
       editor,
       End::Terminator,
       2},
      {"a closing line in place of the opening one", {"X=1", "   }", "   \"a\"", "   }"}, editor, End::Terminator, 0},
      {"key word compared with its case", {"x=1", "   {", "   }"}, editor, End::KeyNotFound, 0},
      {"more rows than the limit",
       {"X=1", "   {", "   \"a\"", "   \"b\"", "   \"c\"", "   }"},
       editor,
       End::RowLimit,
       3},
      {"end of file inside the block", {"X=1", "   {", "   \"a\""}, editor, End::EndOfFile, 1},
      {"end of file after the key", {"X=1"}, editor, End::EndOfFile, 0},
      {"key word without regard to case", {"x=1", "   {", "   }"}, monitor, End::Terminator, 0},
      {"key beyond the first lines", {";", ";", ";", "X=1", "   {", "   }"}, monitor, End::KeyNotFound, 0},
      {"an empty line ends the block", {"X=1", "   {", "   \"a\"", "", "   \"b\"", "   }"}, monitor, End::EmptyLine, 1},
  };
  for (const Case& k : cases) {
    BlockScan scan = ScanBlock(k.lines, "X", k.rules);
    EXPECT_EQ(scan.end, k.end) << k.what;
    EXPECT_EQ(scan.rows.size(), k.rows) << k.what;
  }
}

TEST(ScgFormat, DefaultKeyAliases) {
  std::vector<TCustomAlias> aliases = {{"old", "old", "old"}};
  LoadDefaultKeyAliases(aliases);
  ASSERT_EQ(aliases.size(), 83u);
  struct Row {
    int row;
    TCustomAlias alias;
  } rows[] = {
      {1, {"MOUSE1", "Left-Click", "VM_LEFTDOWN"}},
      {5, {"MWHEELDOWN", "Wheel Down", "VM_WHEELDOWN"}},
      {6, {"a", "'A' Key", "VK_A"}},
      {31, {"z", "'Z' Key", "VK_Z"}},
      {32, {"1", "'1' Key", "VK_1"}},
      {41, {"0", "'0' Key", "VK_0"}},
      {46, {"CTRL", "CONTROL", "VK_CONTROL"}},
      {47, {"ALT", "ALTERNATE", "VK_MENU"}},
      {51, {"SPACE", "SPACEBAR", "VK_SPACE"}},
      {61, {"DEL", "DELETE", "VK_DELETE"}},
      {62, {"NUM1", "NUM 1", "VK_NUMPAD1"}},
      {71, {"NUM0", "NUM 0", "VK_NUMPAD0"}},
      {72, {"F1", "F1", "VK_F1"}},
      {83, {"F12", "F12", "VK_F12"}},
  };
  for (const Row& r : rows) EXPECT_EQ(aliases[r.row - 1], r.alias) << "row " << r.row;
  AddCustomAlias(aliases, "x", "X", "VK_X", false);
  EXPECT_EQ(aliases.size(), 84u);
  AddCustomAlias(aliases, "y", "Y", "VK_Y", true);
  EXPECT_EQ(aliases, (std::vector<TCustomAlias>{{"y", "Y", "VK_Y"}}));
}

TEST(ScgFormat, VectorEntries) {
  EXPECT_EQ(AxisMapEntries("{ 0/2/1/5/3/4 }"), (std::array<int, 6>{0, 2, 1, 5, 3, 4}));
  EXPECT_FALSE(AxisMapEntries("{ 0/2/1/5/3/4  }"));
  EXPECT_FALSE(AxisMapEntries("{ 0/2/-/5/3/4 }"));
  EXPECT_EQ(PolarityEntries("{ +/-/0/+/+/- }")->at(2), "0");
  EXPECT_EQ(GainEntries("{ 045, 005, 100, 000, 050, 099, 010 }"), (std::array<int, 7>{45, 5, 100, 0, 50, 99, 10}));
  EXPECT_FALSE(GainEntries("{ 45, 45, 45, 45, 45, 45, 45 }"));
  EXPECT_FALSE(GainEntries("{ 045, 0x5, 100, 000, 050, 099, 010 }"));
  EXPECT_EQ(SensitivityEntries("{ 1/2/3/4/5/6/7 }")->at(6), "7");
  for (auto [gain, padded] : {std::pair{"5", "005"}, {"45", "045"}, {"100", "100"}}) EXPECT_EQ(PadGain(gain), padded);
}

}  // namespace
