// Loading a configuration: values, defaults, corrections, lock texts.
#include "config_store/scg_reader.h"
#include "config_store/game_list.h"
#include "config_store/snapshot.h"
#include "config_store/tests/store_fixture.h"
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <functional>

using namespace config_store;
using store_test::FullLayoutText;
using store_test::WithoutKey;
using store_test::WithValue;

namespace {

struct Loaded {
  ScgReadResult result;
  ConfigSession session;
};

Loaded Load(const store_test::ProgramFolder& program, const std::string& text) {
  Loaded l{{}, program.Session()};
  l.result = ReadSCG(program.Scg("game.scg", text), false, l.session);
  return l;
}

TEST(ScgReader, FullLayoutFileFillsTheRecordAndItsLists) {
  store_test::ProgramFolder program;
  Loaded l = Load(program, FullLayoutText());
  ASSERT_TRUE(l.result.Loaded()) << l.result.lock.value_or("") << l.result.saveError;
  const TGameConfig& c = l.session.GameConfig;
  EXPECT_EQ(c.APPLICATION_NAME, "Quake Test");
  EXPECT_EQ(c.EXECUTABLE, "quake3.exe\", \"q3.exe");  // inner quotes kept
  EXPECT_EQ(c.MotionLabel(3).NEG, "Left2");
  EXPECT_EQ(c.MotionAlias.MotionPos(3).GameCommand.USER, "+moveleft");
  EXPECT_EQ(c.MotionAlias.MotionPos(1).SendEvent.DFLT, "VK_P0");
  EXPECT_EQ(c.ButtonSlot(1).ALIAS.ListName, "Left-Click");
  EXPECT_EQ(c.ButtonSlot(10).GameCommand.USER, "+jump");
  // "{ 1/0/2/3/5/4 }" holds motions 0-based; the record 1-based.
  EXPECT_EQ(c.AxisMap(1).USER, "2");
  EXPECT_EQ(c.AxisMap(5).USER, "6");
  EXPECT_EQ(c.Polarity(2).USER, "-");
  EXPECT_EQ(c.Polarity(6).DFLT, "0");
  EXPECT_EQ(c.GainTable(3, 1).USER, "5");  // 005
  EXPECT_EQ(c.GainTable(3, 3).USER, "100");
  EXPECT_EQ(c.GainTable(2, 1).DFLT, "55");
  EXPECT_EQ(c.SensitivityTable(1, 7).USER, "7");
  EXPECT_EQ(c.Curve(1).USER, program.Path() + "\\crv\\fast.crv");  // shown curves are full paths
  EXPECT_EQ(c.DeadzoneValues(2).USER, "6000");

  const ConfigLists& lists = l.session.Lists;
  ASSERT_EQ(lists.CopyFiles.size(), 2u);
  EXPECT_EQ(lists.CopyFiles[0], (TCopyFile{"cfg\\a.cfg", "a.cfg"}));
  ASSERT_EQ(lists.CustomActions.size(), 3u);  // two rows and the spare one
  EXPECT_EQ(lists.CustomActions[0](2), "DELETE");
  EXPECT_EQ(lists.CustomActions[0](4), "");
  EXPECT_EQ(lists.CustomActions[1](6), "3");
  EXPECT_EQ(lists.CustomActions[2], TCustomAction{});
  ASSERT_EQ(lists.GameCommands.size(), 3u);
  EXPECT_EQ(lists.GameCommands[1], (TGameCommand{"+jump", "Jump"}));
  EXPECT_EQ(lists.GameCommands[2], (TGameCommand{"", "(Button defined in game)"}));
  ASSERT_EQ(lists.CustomAliases.size(), 3u);
  EXPECT_EQ(lists.CustomAliases[1], (TCustomAlias{"a", "'A' Key", "VK_A"}));
  EXPECT_EQ(l.session.Instructions, "Press F1\r\n\r\nSay \"hello\" twice\r\n");

  EXPECT_FALSE(l.session.Flags.LoadingControls);
  EXPECT_EQ(l.session.Flags.SkillLevel, 3);
  EXPECT_EQ(l.session.Flags.PrecisionButtonBase, 6);
  EXPECT_EQ(l.session.Flags.ConfigModified, 0);
  EXPECT_TRUE(platform::FileExists(program.folder / "before.scg"));
}

TEST(ScgReader, AGameWithoutInstructionsAfterOneWithThem) {
  store_test::ProgramFolder program;
  ConfigSession session = program.Session();
  ASSERT_TRUE(ReadSCG(program.Scg("a.scg", FullLayoutText()), false, session).Loaded());
  ASSERT_FALSE(session.Instructions.empty());
  std::string hidden = WithValue(FullLayoutText(), "SHOW_INSTRUCTIONS", "FALSE");
  ASSERT_TRUE(ReadSCG(program.Scg("b.scg", hidden), false, session).Loaded());
  EXPECT_EQ(session.Instructions, "");
  EXPECT_EQ(session.Flags.ConfigModified, 0);
  EXPECT_EQ(AnyChanges(session.ProgramFolder, session.GameConfig, session.Instructions, ""), 0);
}

TEST(ScgReader, MissingKeysTakeTheReaderDefaults) {
  store_test::ProgramFolder program;
  Loaded l = Load(program, "[VERSION]\r\nVERSION=6.1\r\nAPPLICATION_NUMBER=5.1\r\n");
  ASSERT_TRUE(l.result.Loaded()) << l.result.lock.value_or("");
  const TGameConfig& c = l.session.GameConfig;
  struct Case {
    const char* what;
    std::string actual;
    const char* expected;
  } cases[] = {
      {"OWNER", c.OWNER, "TOLVANE"},
      {"PLATFORM", c.PLATFORM, "WINDOWS"},
      {"LEVEL", c.LEVEL, "INTERMEDIATE"},
      {"ORIENTATION", c.ORIENTATION, "HORIZONTAL"},
      {"APPLICATION_NAME", c.APPLICATION_NAME, "ERROR"},
      {"HIDE_FILE", c.HIDE_FILE, "FALSE"},
      {"USE_MASTER_USER", c.USE_MASTER.USER, "TRUE"},
      {"USE_KEYS", c.USE_KEYS, "FALSE"},
      {"MOTION_LABEL_2_POS", c.MotionLabel(3).POS, "ERROR"},
      {"MOTION_ALIAS_X", c.MotionAlias.X, "-1"},
      {"BUTTON_4_USER GameInput", c.ButtonSlot(5).GameInput.USER, "'"},
      {"BUTTON_4_USER GameCommand", c.ButtonSlot(5).GameCommand.USER, ""},
      {"BUTTON_4_USER SendEvent", c.ButtonSlot(5).SendEvent.USER, "'"},
      {"PRECISION_SENS_DFLT", c.PRECISION.SENS.DFLT, "10"},
      {"PRECISION_SENS_USER (10 is out of range)", c.PRECISION.SENS.USER, "3"},
      {"PRECISION_GAIN_USER", c.PRECISION.GAIN.USER, "10"},
      {"PRECISION_MODE_USER", c.PRECISION.MODE.USER, "PHYSICAL"},
      {"AXIS_MAP_USER axis 2", c.AxisMap(2).USER, "3"},
      {"AXIS_MAP_USER axis 4", c.AxisMap(4).USER, "6"},
      {"POLARITY_DFLT", c.Polarity(1).DFLT, "+"},
      {"GAIN_BEG_USER", c.GainTable(1, 1).USER, "50"},
      {"GAIN_INT_DFLT", c.GainTable(2, 7).DFLT, "55"},
      {"GAIN_EXP_USER", c.GainTable(3, 4).USER, "45"},
      {"SENS_INT_USER", c.SensitivityTable(2, 2).USER, "3"},
      {"CURVE_3_USER (no such file)", c.Curve(4).USER, ""},
      {"CURVE_3_DFLT", c.Curve(4).DFLT, "ERROR"},
      {"DEADZONE_1_USER", c.DeadzoneValues(2).USER, "0"},
  };
  for (const Case& k : cases) EXPECT_EQ(k.actual, k.expected) << k.what;
  EXPECT_EQ(l.session.Lists.CustomAliases.size(), 83u);
  EXPECT_EQ(l.session.Lists.GameCommands, (std::vector<TGameCommand>{{"", "(Button defined in game)"}}));
  EXPECT_EQ(l.session.Lists.CopyFiles, std::vector<TCopyFile>(1));
  EXPECT_EQ(l.session.Lists.CustomActions, std::vector<TCustomAction>(1));
  EXPECT_EQ(l.session.Instructions, "");
}

TEST(ScgReader, OutOfRangeAndNonNumericValuesAreCorrected) {
  struct Case {
    const char* key;
    const char* value;
    std::function<std::string(const TGameConfig&)> field;
    const char* expected;
  } cases[] = {
      {"MOTION_ALIAS_X", "7", [](const TGameConfig& c) { return c.MotionAlias.X; }, "-1"},
      {"MOTION_ALIAS_X", "5", [](const TGameConfig& c) { return c.MotionAlias.X; }, "5"},
      {"MOTION_ALIAS_Y", "-2", [](const TGameConfig& c) { return c.MotionAlias.Y; }, "-1"},
      {"MOTION_ALIAS_Y", "left", [](const TGameConfig& c) { return c.MotionAlias.Y; }, "-1"},
      {"DEADZONE_2_USER", "6001", [](const TGameConfig& c) { return c.DeadzoneValues(3).USER; }, "0"},
      {"DEADZONE_2_USER", "6000", [](const TGameConfig& c) { return c.DeadzoneValues(3).USER; }, "6000"},
      {"DEADZONE_0_DFLT", "wide", [](const TGameConfig& c) { return c.DeadzoneValues(1).DFLT; }, "0"},
      {"PRECISION_SENS_USER", "10", [](const TGameConfig& c) { return c.PRECISION.SENS.USER; }, "3"},
      {"PRECISION_GAIN_USER", "150", [](const TGameConfig& c) { return c.PRECISION.GAIN.USER; }, "50"},
      {"PRECISION_GAIN_USER", "100", [](const TGameConfig& c) { return c.PRECISION.GAIN.USER; }, "100"},
      {"NULL_REGION_USER", "128", [](const TGameConfig& c) { return c.NULL_REGION.USER; }, "0"},
      {"NULL_REGION_USER", "127", [](const TGameConfig& c) { return c.NULL_REGION.USER; }, "127"},
      {"ORIENTATION", "horizontal", [](const TGameConfig& c) { return c.ORIENTATION; }, "VERTICAL"},
      {"USE_MASTER_USER", "yes", [](const TGameConfig& c) { return c.USE_MASTER.USER; }, "TRUE"},
      {"USE_PRECISION_USER", "True", [](const TGameConfig& c) { return c.USE_PRECISION.USER; }, "FALSE"},
      {"CURVE_0_USER", "\".\\crv\\missing.crv\"", [](const TGameConfig& c) { return c.Curve(1).USER; }, ""},
  };
  store_test::ProgramFolder program;
  for (const Case& k : cases) {
    Loaded l = Load(program, WithValue(FullLayoutText(), k.key, k.value));
    ASSERT_TRUE(l.result.Loaded()) << k.key;
    EXPECT_EQ(k.field(l.session.GameConfig), k.expected) << k.key << "=" << k.value;
  }
}

TEST(ScgReader, PrecisionButtonFollowsItsOwnModeAndChording) {
  struct Case {
    const char* chording;
    const char* precision;
    const char* mode;
    const char* button;
    const char* expectedMode;
    const char* expectedButton;
  } cases[] = {
      {"TRUE", "TRUE", "PHYSICAL", "3", "PHYSICAL", "3"},
      {"TRUE", "TRUE", "LOGICAL", "15", "LOGICAL", "15"},
      {"TRUE", "TRUE", "LOGICAL", "0", "LOGICAL", "0"},
      {"TRUE", "FALSE", "LOGICAL", "9", "LOGICAL", "9"},
      // Chording off has no chord items: the last button stands in.
      {"FALSE", "TRUE", "LOGICAL", "0", "PHYSICAL", "5"},
      // Precision off stores nothing of its single "Button A" entry.
      {"FALSE", "FALSE", "PHYSICAL", "4", "PHYSICAL", "4"},
  };
  store_test::ProgramFolder program;
  // One session throughout: each load follows a game of the other mode.
  ConfigSession session = program.Session();
  for (const Case& k : cases) {
    for (const char* previousMode : {"PHYSICAL", "LOGICAL"}) {
      std::string previous = WithValue(FullLayoutText(), "PRECISION_MODE_USER", previousMode);
      ASSERT_TRUE(ReadSCG(program.Scg("previous.scg", previous), false, session).Loaded());
      std::string text = FullLayoutText();
      text = WithValue(text, "USE_CHORDING_USER", k.chording);
      text = WithValue(text, "USE_PRECISION_USER", k.precision);
      text = WithValue(text, "PRECISION_MODE_USER", k.mode);
      text = WithValue(text, "PRECISION_BUTTON_USER", k.button);
      ASSERT_TRUE(ReadSCG(program.Scg("game.scg", text), false, session).Loaded());
      const TPrecisionSettings& p = session.GameConfig.PRECISION;
      EXPECT_EQ(p.MODE.USER + " " + p.BUTTON.USER, std::string(k.expectedMode) + " " + k.expectedButton)
          << "chording " << k.chording << ", precision " << k.precision << ", " << k.mode << " " << k.button
          << " after a " << previousMode << " game";
      EXPECT_EQ(session.Flags.PrecisionButtonBase, std::string(k.expectedMode) == "LOGICAL" ? 6 : 0);
    }
  }
}

TEST(ScgReader, SelectedAliasesBringTheirEventNames) {
  std::string text = FullLayoutText();
  text = WithValue(text, "BUTTON_0_USER", "\"a\", \"+use\", \"VK_WRONG\"");
  text = WithValue(text, "MOTION_ALIAS_0_POS_USER", "\"SPACE\", \"+right\", \"VK_OTHER\"");
  store_test::ProgramFolder program;
  Loaded l = Load(program, text);
  ASSERT_TRUE(l.result.Loaded());
  EXPECT_EQ(l.session.GameConfig.ButtonSlot(1).SendEvent.USER, "VK_A");
  EXPECT_EQ(l.session.GameConfig.MotionAlias.MotionPos(1).SendEvent.USER, "VK_SPACE");

  // Without USE_KEYS the button lists offer no aliases and keep the stored event.
  l = Load(program, WithValue(text, "USE_KEYS", "FALSE"));
  EXPECT_EQ(l.session.GameConfig.ButtonSlot(1).SendEvent.USER, "VK_WRONG");
}

TEST(ScgReader, FailedReadsLockWithTheirTextAndStop) {
  std::string full = FullLayoutText();
  std::string lowerButtons = full;
  lowerButtons.replace(lowerButtons.find("USE_BUTTONS=TRUE"), 11, "use_buttons");
  std::string lowerAliases = full;
  lowerAliases.replace(lowerAliases.find("CUSTOM_ALIAS=TRUE"), 12, "custom_alias");
  std::string sevenFields = full;
  sevenFields.replace(sevenFields.find("\"Mode\"\\, \"3\""), 12, "\"Mode\"\\, \"3\"\\, \"4\"");
  const std::string head = "[VERSION]\r\nVERSION=6.1\r\nAPPLICATION_NUMBER=5.1\r\n[TUNING]\r\n";
  struct Case {
    std::string text;
    const char* lock;
  } cases[] = {
      {WithValue(full, "AXIS_MAP_DFLT", " { 0/2/1/5/3/4  }"), "AXIS_MAP_DFLT= length error"},
      {WithValue(full, "AXIS_MAP_USER", " { 0/x/1/5/3/4 }"), "AXIS_MAP_USER= length error"},
      {WithValue(full, "POLARITY_USER", ""), "POLARITY_MAP_USER= length error"},
      {WithValue(full, "GAIN_INT_USER", " { 45, 45, 45, 45, 45, 45, 45 }"), "GAIN_INT_USER= length error"},
      {WithValue(full, "GAIN_BEG_DFLT", " { 045, 045, 0x5, 045, 045, 045, 045 }"), "GAIN_BEG_DFLT= length error"},
      {WithValue(full, "SENS_EXP_USER", " { 3/3/3/3/3/3 }"), "SENS_EXP_USER= length error"},
      {WithValue(full, "VERSION", "6.0"), "VERSION=6.0"},
      {WithoutKey(full, "VERSION"), "VERSION=ERROR"},
      {WithValue(full, "APPLICATION_NUMBER", "5.0"), "APPLICATION_NUMBER=5.0"},
      {lowerButtons, "USE_BUTTONS= not found"},
      {head + "USE_BUTTONS=TRUE\r\n   {\r\n   \"+attack\", \"Fire\"\r\n", "USE_BUTTONS= section terminator not found"},
      {lowerAliases, "CUSTOM_ALIAS= not found"},
      {head + "CUSTOM_ALIAS=TRUE\r\n   {\r\n   \"a\", \"A\", \"VK_A\"\r\n",
       "CUSTOM_ALIAS= section terminator not found"},
      {sevenFields, "CUSTOM="},
  };
  store_test::ProgramFolder program;
  for (const Case& k : cases) {
    platform::RemoveFile(program.folder / "before.scg");
    Loaded l = Load(program, k.text);
    EXPECT_EQ(l.result.lock.value_or("(none)"), k.lock);
    EXPECT_TRUE(l.session.Flags.LoadingControls) << k.lock;
    EXPECT_FALSE(platform::FileExists(program.folder / "before.scg")) << k.lock;
  }
}

TEST(ScgReader, LengthErrorEndsTheReadBeforeLaterKeys) {
  store_test::ProgramFolder program;
  ConfigSession session = program.Session();
  session.GameConfig.Curve(2).DFLT = "previous game";
  std::string text = WithValue(FullLayoutText(), "GAIN_BEG_USER", "{}");
  ASSERT_EQ(ReadSCG(program.Scg("g.scg", text), false, session).lock, "GAIN_BEG_USER= length error");
  EXPECT_EQ(session.GameConfig.GainTable(1, 1).DFLT, "45");      // read before
  EXPECT_EQ(session.GameConfig.Curve(2).DFLT, "previous game");  // never reached
}

TEST(ScgReader, EmptyCommandAndAliasBlocks) {
  std::string text = FullLayoutText();
  for (const char* row : {"   \"+attack\", \"Fire\"\r\n", "   \"+jump\", \"Jump\"\r\n",
                          "   \"MOUSE1\", \"Left-Click\", \"VM_LEFTDOWN\"\r\n", "   \"a\", \"'A' Key\", \"VK_A\"\r\n",
                          "   \"SPACE\", \"SPACEBAR\", \"VK_SPACE\"\r\n"})
    text.erase(text.find(row), std::string(row).size());
  store_test::ProgramFolder program;
  Loaded l = Load(program, text);
  ASSERT_TRUE(l.result.Loaded()) << l.result.lock.value_or("");
  EXPECT_EQ(l.session.Lists.GameCommands, (std::vector<TGameCommand>{{"", "(Button defined in game)"}}));
  EXPECT_EQ(l.session.Lists.CustomAliases, std::vector<TCustomAlias>(1));
}

TEST(ScgReader, BlocksAreFoundAnywhereInTheFile) {
  // 600 lines of instructions push every later block key beyond line 500.
  std::string text = FullLayoutText();
  std::string rows;
  for (int i = 0; i < 600; ++i) rows += "   \"line " + std::to_string(i) + "\"\r\n";
  text.insert(text.find("   \"Press F1\""), rows);
  store_test::ProgramFolder program;
  Loaded l = Load(program, text);
  ASSERT_TRUE(l.result.Loaded()) << l.result.lock.value_or("");
  EXPECT_EQ(l.session.Lists.GameCommands.size(), 3u);
  EXPECT_EQ(l.session.Lists.CustomAliases.size(), 3u);
  EXPECT_EQ(l.session.Instructions.substr(0, 8), "line 0\r\n");
}

TEST(ScgReader, BlockRowLimitAndTruncatedBlocks) {
  const std::string head = "[VERSION]\r\nVERSION=6.1\r\nAPPLICATION_NUMBER=5.1\r\n[CONFIGURATION]\r\n";
  std::string many;
  for (int i = 0; i < 501; ++i) many += "   \"src" + std::to_string(i) + "\", \"dst\"\r\n";
  store_test::ProgramFolder program;

  // COPY_FILES stops silently at its limit with the rows read.
  Loaded copy = Load(program, head + "COPY_FILES=TRUE\r\n   {\r\n" + many + "   }\r\n");
  EXPECT_TRUE(copy.result.Loaded());
  EXPECT_EQ(copy.session.Lists.CopyFiles.size(), 501u);

  // A CUSTOM block beyond the limit locks.
  std::string custom;
  for (int i = 0; i < 501; ++i) custom += "   \"1\"\\, \"DELETE\"\\, \"f" + std::to_string(i) + "\"\r\n";
  EXPECT_EQ(Load(program, head + "CUSTOM=TRUE\r\n   {\r\n" + custom + "   }\r\n").result.lock, "CUSTOM=");

  // A file that ends inside a block keeps the rows it has.
  Loaded cut = Load(program, head + "COPY_FILES=TRUE\r\n   {\r\n   \"src\", \"dst\"\r\n");
  EXPECT_TRUE(cut.result.Loaded());
  EXPECT_EQ(cut.session.Lists.CopyFiles, (std::vector<TCopyFile>{{"src", "dst"}}));
  Loaded cutCustom = Load(program, head + "CUSTOM=TRUE\r\n   {\r\n   \"1\"\\, \"DELETE\"\\, \"x\"\r\n");
  EXPECT_TRUE(cutCustom.result.Loaded());
  EXPECT_EQ(cutCustom.session.Lists.CustomActions.size(), 2u);
  Loaded cutText = Load(program, head + "SHOW_INSTRUCTIONS=TRUE\r\n   {\r\n   \"a\"\r\n   ");
  EXPECT_EQ(cutText.session.Instructions, "a\r\n\r\n");
  Loaded noOpen = Load(program, head + "SHOW_INSTRUCTIONS=TRUE");
  EXPECT_EQ(noOpen.session.Instructions, "");
}

TEST(ScgReader, UnreadableFileLocksOnItsVersion) {
  store_test::ProgramFolder program;
  ConfigSession session = program.Session();
  EXPECT_EQ(ReadSCG(program.folder / "scg/none.scg", false, session).lock, "VERSION=ERROR");
}

TEST(ScgReader, UpgradingWritesTheFileBackInsteadOfASnapshot) {
  store_test::ProgramFolder program;
  ConfigSession session = program.Session();
  std::string path = program.Scg("old.scg",
                                 "[VERSION]\r\nVERSION=6.1\r\nAPPLICATION_NUMBER=5.1\r\n"
                                 "[IDENTIFICATION]\r\nAPPLICATION_NAME=\"Old\"\r\n");
  ScgReadResult r = ReadSCG(path, true, session);
  ASSERT_TRUE(r.Loaded()) << r.saveError;
  EXPECT_TRUE(session.Flags.LoadingControls);
  EXPECT_FALSE(platform::FileExists(program.folder / "before.scg"));
  std::string written = testing_support::ReadFile(path);
  EXPECT_NE(written.find("\r\nAPPLICATION_NAME=\"Old\"\r\n"), std::string::npos);
  EXPECT_NE(written.find("\r\nAXIS_MAP_USER= { 0/2/1/5/3/4 }\r\n"), std::string::npos);
}

// The scan converts a 6.0 file and has the reader write it back in the full
// layout; the editor then loads it like any other.
TEST(ScgReader, ScanConvertsAnOldFileThroughAnUpgradingLoad) {
  store_test::ProgramFolder program;
  program.Scg("old.scg",
              "[VERSION]\r\nVERSION=6.0\r\nAPPLICATION_NUMBER=5.0\r\nFILE_REVISION_NUMBER=2\r\n"
              "[IDENTIFICATION]\r\nAPPLICATION_NAME=\"Old Game\"\r\n"
              "[CONFIGURATION]\r\nHIDE_FILE=FALSE\r\nEXECUTABLE=\"old.exe\"\r\n"
              "[TUNING]\r\nBUTTON_2_USER=+jump\r\n");
  // The editor's step: the converted file read with the upgrading load, which writes it again.
  struct UpgradingLoad : GameListSteps {
    explicit UpgradingLoad(ConfigSession s) : session(std::move(s)) {}
    ConfigSession session;
    std::vector<std::string> rewritten;
    void Status(const std::string&) override {}
    void Log(const std::string&) override {}
    void RewriteConverted(const std::string& path) override {
      rewritten.push_back(path);
      EXPECT_TRUE(ReadSCG(path, true, session).Loaded());
    }
  } steps(program.Session());
  std::vector<std::string>& rewritten = steps.rewritten;
  GameListResult list = LoadGameList(program.Path(), program.folder / "scg/", steps);
  ASSERT_EQ(list.outcome, GameListOutcome::Listed);
  ASSERT_EQ(rewritten.size(), 1u);
  std::string text = testing_support::ReadFile(rewritten[0]);
  EXPECT_EQ(text.substr(0, 3), ";\r\n");
  EXPECT_NE(text.find("\r\nBUTTON_2_USER=\"JOY3\", \"+jump\", \"\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n[VERSION]\r\nVERSION=6.1\r\nAPPLICATION_NUMBER=5.1\r\nFILE_REVISION_NUMBER=2\r\n"),
            std::string::npos);

  ConfigSession editor = program.Session();
  ASSERT_TRUE(ReadSCG(rewritten[0], false, editor).Loaded());
  EXPECT_EQ(editor.GameConfig.APPLICATION_NAME, "Old Game");
  EXPECT_EQ(editor.GameConfig.ButtonSlot(3).GameCommand.USER, "+jump");
}

}  // namespace
