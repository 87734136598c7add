// Writing a configuration: the full layout, round trips, the value rules, and
// a save that fails or is killed never costing the file it replaces.
#include "config_store/scg_writer.h"
#include "config_store/scg_layout.h"
#include "config_store/scg_reader.h"
#include "config_store/tests/save_crash_versions.h"
#include "config_store/tests/store_fixture.h"
#include "platform/file_system.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <unistd.h>

using namespace config_store;
using store_test::FullLayoutText;
using store_test::WithValue;

namespace {

ConfigSession LoadText(const store_test::ProgramFolder& program, const std::string& text) {
  ConfigSession s = program.Session();
  ScgReadResult r = ReadSCG(program.Scg("in.scg", text), false, s);
  EXPECT_TRUE(r.Loaded()) << r.lock.value_or("");
  return s;
}

std::string SaveText(const store_test::ProgramFolder& program, const ConfigSession& s) {
  std::string path = program.folder / "scg/out.scg";
  SaveResult saved = SaveChanges(path, s.GameConfig, s.Lists, s.Instructions, program.FixedContext());
  EXPECT_TRUE(saved.ok) << saved.error;
  return testing_support::ReadFile(path);
}

std::string ValueIn(const std::string& text, const std::string& section, const std::string& key) {
  return platform::FindProfileValue(text, section, key).value_or("(missing)");
}

// The fixture was written line by line from the layout, independently of the
// writer: loading it and saving it again must give it back byte for byte.
TEST(ScgWriter, LoadThenSaveGivesTheFullLayoutBack) {
  store_test::ProgramFolder program;
  ConfigSession s = LoadText(program, FullLayoutText());
  std::string saved = SaveText(program, s);
  EXPECT_EQ(saved, FullLayoutText());
  ConfigSession again = LoadText(program, saved);
  EXPECT_EQ(again.GameConfig, s.GameConfig);
  EXPECT_EQ(again.Lists, s.Lists);
  EXPECT_EQ(again.Instructions, s.Instructions);
}

TEST(ScgWriter, SparseFileIsWrittenInTheFullLayout) {
  store_test::ProgramFolder program;
  ConfigSession s = LoadText(program, "[VERSION]\r\nVERSION=6.1\r\nAPPLICATION_NUMBER=5.1\r\n");
  std::string saved = SaveText(program, s);
  std::vector<std::string> ours = platform::SplitLines(saved), full = platform::SplitLines(FullLayoutText());
  ASSERT_EQ(ours.size(), full.size() - 12);  // the fixture's block rows
  EXPECT_EQ(saved.substr(saved.size() - 19), "DEADZONE_5_USER=0\r\n");
  EXPECT_EQ(ValueIn(saved, "IDENTIFICATION", "OWNER"), "TOLVANE");
  EXPECT_EQ(ValueIn(saved, "TUNING", "BUTTON_3_USER"), "'\", \"\", \"'");  // the split template, quoted
  EXPECT_NE(saved.find("\r\nSHOW_INSTRUCTIONS=TRUE\r\n   {\r\n   }\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\nGAIN_BEG_USER= { 050, 050, 050, 050, 050, 050, 050 }\r\n"), std::string::npos);
}

TEST(ScgWriter, InstructionsRoundTripRowByRow) {
  struct Case {
    std::string text;
    std::string rows;
  } cases[] = {
      {"", ""},
      {"One\r\n", "   \"One\"\r\n"},
      {"One\r\n\r\nTwo \"quoted\"\r\n", "   \"One\"\r\n   \"\"\r\n   \"Two \"quoted\"\"\r\n"},
      {"No final break", "   \"No final break\"\r\n"},
      {"\r\n", "   \"\"\r\n"},
  };
  store_test::ProgramFolder program;
  ConfigSession s = LoadText(program, FullLayoutText());
  for (const Case& k : cases) {
    s.Instructions = k.text;
    std::string saved = SaveText(program, s);
    EXPECT_NE(saved.find("SHOW_INSTRUCTIONS=TRUE\r\n   {\r\n" + k.rows + "   }\r\n"), std::string::npos) << k.text;
    ConfigSession back = LoadText(program, saved);
    EXPECT_EQ(SaveText(program, back), saved) << k.text;
  }
}

TEST(ScgWriter, ValueRules) {
  struct Case {
    const char* what;
    std::function<void(ConfigSession&)> edit;
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"gain of one digit", [](ConfigSession& s) { s.GameConfig.GainTable(1, 1).DFLT = "5"; }, "HELIRYX",
       "GAIN_BEG_DFLT", "{ 005, 045, 045, 045, 045, 045, 045 }"},
      {"axis map entry less one", [](ConfigSession& s) { s.GameConfig.AxisMap(1).DFLT = "3"; }, "HELIRYX",
       "AXIS_MAP_DFLT", "{ 2/2/1/5/3/4 }"},
      {"alias shown as (None)", [](ConfigSession& s) { s.GameConfig.ButtonSlot(1).ALIAS.ListName = "(None)"; },
       "TUNING", "BUTTON_0_ALIAS", "\", \"\", \""},
      {"no mouse X axis empties the directions of an axis that sends no keys",
       [](ConfigSession& s) { s.GameConfig.MotionAlias.X = "-1"; }, "TUNING", "MOTION_ALIAS_1_NEG_USER",
       "\", \"\", \""},
      {"no mouse X axis keeps the directions of an axis that sends keys",
       [](ConfigSession& s) { s.GameConfig.MotionAlias.X = "-1"; }, "TUNING", "MOTION_ALIAS_2_POS_USER",
       "a\", \"+moveleft\", \"VK_A"},
      {"an axis neither mouse nor keys",
       [](ConfigSession& s) { s.GameConfig.MotionAlias.MotionPos(4).GameInput.USER = "q"; }, "TUNING",
       "MOTION_ALIAS_3_POS_USER", "\", \"\", \""},
      {"curve inside the program folder",
       [](ConfigSession& s) { s.GameConfig.Curve(2).USER = s.ProgramFolder + "\\crv\\b.crv"; }, "HELIRYX",
       "CURVE_1_USER", ".\\crv\\b.crv"},
      {"curve chosen as a Linux path inside it",
       [](ConfigSession& s) { s.GameConfig.Curve(2).USER = s.ProgramFolder + "/crv/b.crv"; }, "HELIRYX", "CURVE_1_USER",
       ".\\crv\\b.crv"},
      {"curve in a folder that only starts like it",
       [](ConfigSession& s) { s.GameConfig.Curve(2).USER = s.ProgramFolder + "2\\b.crv"; }, "HELIRYX", "CURVE_1_USER",
       nullptr},
      {"curve elsewhere", [](ConfigSession& s) { s.GameConfig.Curve(2).DFLT = "C:\\Curves\\c.crv"; }, "HELIRYX",
       "CURVE_1_DFLT", "C:\\Curves\\c.crv"},
      {"COPY_FILES rows whatever the flag", [](ConfigSession& s) { s.GameConfig.COPY_FILES = "FALSE"; },
       "CONFIGURATION", "COPY_FILES", "FALSE"},
  };
  store_test::ProgramFolder program;
  for (const Case& k : cases) {
    ConfigSession s = LoadText(program, FullLayoutText());
    k.edit(s);
    std::string saved = SaveText(program, s);
    std::string expected = k.expected ? k.expected : s.GameConfig.Curve(2).USER;
    EXPECT_EQ(ValueIn(saved, k.section, k.key), expected) << k.what;
  }
  ConfigSession s = LoadText(program, FullLayoutText());
  s.GameConfig.COPY_FILES = "FALSE";
  EXPECT_NE(SaveText(program, s).find("COPY_FILES=FALSE\r\n   {\r\n   \"cfg\\a.cfg\", \"a.cfg\"\r\n"),
            std::string::npos);
}

TEST(ScgWriter, RefusedSaveLeavesTheTargetAsItWasAndReportsWhy) {
  store_test::ProgramFolder program;
  std::string target = program.Scg("game.scg", FullLayoutText());
  ConfigSession s = LoadText(program, FullLayoutText());
  platform::RemoveFile(program.folder / "before.scg");
  struct Case {
    const char* what;
    std::function<void(ConfigSession&)> edit;
  } cases[] = {
      {"axis map not a number", [](ConfigSession& c) { c.GameConfig.AxisMap(3).USER = "x"; }},
      {"mouse axis not a number", [](ConfigSession& c) { c.GameConfig.MotionAlias.Y = ""; }},
      {"axis map entry of two digits", [](ConfigSession& c) { c.GameConfig.AxisMap(1).DFLT = "0"; }},
      {"gain above 999", [](ConfigSession& c) { c.GameConfig.GainTable(2, 7).USER = "1000"; }},
      {"empty sensitivity", [](ConfigSession& c) { c.GameConfig.SensitivityTable(1, 1).USER = ""; }},
      {"polarity of two characters", [](ConfigSession& c) { c.GameConfig.Polarity(4).USER = "+-"; }},
      {"line break in a value", [](ConfigSession& c) { c.GameConfig.APPLICATION_NAME = "a\r\n[VERSION]"; }},
      {"line break in a row", [](ConfigSession& c) { c.Lists.GameCommands[0].ListName = "x\ny"; }},
  };
  for (const Case& k : cases) {
    ConfigSession edited = s;
    k.edit(edited);
    SaveResult r = SaveChanges(target, edited.GameConfig, edited.Lists, edited.Instructions, program.FixedContext());
    EXPECT_FALSE(r.ok) << k.what;
    EXPECT_FALSE(r.error.empty()) << k.what;
    EXPECT_EQ(testing_support::ReadFile(target), FullLayoutText()) << k.what;
  }
  EXPECT_FALSE(platform::FileExists(program.folder / "before.scg"));

  // A folder that cannot be written.
  std::filesystem::permissions(program.folder / "scg",
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  if (::access((program.folder / "scg").c_str(), W_OK) != 0) {
    SaveResult r = SaveChanges(target, s.GameConfig, s.Lists, "changed\r\n", program.FixedContext());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(testing_support::ReadFile(target), FullLayoutText());
  }
  std::filesystem::permissions(program.folder / "scg", std::filesystem::perms::owner_all);
  std::vector<std::string> files = platform::ListFiles(program.folder / "scg");
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"game.scg", "in.scg"}));  // no .bak, no temporary file
}

// A save killed at any moment leaves the old file or the new one, whole.
TEST(ScgWriter, KilledSaveLeavesTheOldOrTheNewFile) {
  store_test::ProgramFolder program;
  std::string source = program.Scg("source.scg", FullLayoutText());
  auto versions = store_test::SaveCrashVersions(program.Path(), source);
  ASSERT_TRUE(versions);
  SaveContext context = store_test::SaveCrashContext(program.Path());
  const ConfigSession& a = versions->first;
  const ConfigSession& b = versions->second;
  std::string textA = BuildScgText(a.GameConfig, a.Lists, a.Instructions, context);
  std::string textB = BuildScgText(b.GameConfig, b.Lists, b.Instructions, context);
  std::string target = program.folder / "scg/killed.scg";
  testing_support::WriteFile(target, textA);

  for (int round = 0; round < 30; ++round) {
    std::string before = testing_support::ReadFile(target);
    testing_support::ChildProcess saver(CONFIG_STORE_SAVE_CRASH_HELPER, {program.Path(), source, target});
    // Killed once it has replaced the file at least once, at a moment that varies.
    ASSERT_TRUE(testing_support::WaitUntil([&] { return testing_support::ReadFile(target) != before; }, 20000));
    for (int spin = 0; spin < round * 200; ++spin) (void)testing_support::ReadFile(source).size();
    ::kill(saver.Pid(), SIGKILL);
    saver.Wait();
    std::string after = testing_support::ReadFile(target);
    ASSERT_TRUE(after == textA || after == textB) << "round " << round << ": " << after.size() << " bytes";
  }
}

}  // namespace

// The configurations we ship must need no correction on load: a player who opens
// one and saves it without an edit keeps every value it holds.
TEST(ScgWriter, ShippedConfigurationsKeepEveryValueThroughLoadAndSave) {
  const std::filesystem::path shipped = std::filesystem::path(HELIRYX_SOURCE_DIR) / "install/scg";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(shipped)) {
    if (entry.path().extension() != ".scg") continue;
    ++files;
    store_test::ProgramFolder program;
    for (const auto& curve : std::filesystem::directory_iterator(shipped.parent_path() / "crv"))
      std::filesystem::copy_file(curve.path(), program.folder / ("crv/" + curve.path().filename().string()));
    const std::string original = testing_support::ReadFile(entry.path().string());
    ConfigSession s = LoadText(program, original);
    const std::string saved = SaveText(program, s);
    for (const ScgKey& key : Layout().keys) {
      std::optional<std::string> before = platform::FindProfileValue(original, key.section, key.key);
      if (before) {
        EXPECT_EQ(ValueIn(saved, key.section, key.key), *before) << entry.path().filename() << " " << key.key;
      }
    }
    for (const ScgVector& vector : Layout().vectors) {
      std::optional<std::string> before = platform::FindProfileValue(original, "HELIRYX", vector.key);
      if (before) {
        EXPECT_EQ(ValueIn(saved, "HELIRYX", vector.key), *before) << entry.path().filename() << " " << vector.key;
      }
    }
  }
  EXPECT_GT(files, 0);
}
