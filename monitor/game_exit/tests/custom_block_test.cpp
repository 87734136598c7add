#include "monitor/game_exit/custom_block.h"

#include "game_files_fixture.h"

namespace {

using game_exit::CustomRun;
using game_exit::GameBindings;
using game_exit::ReadCustom;

// A configuration file whose CUSTOM block holds `rows` (each written as a line
// as it stands); `closing` false leaves the block open at the end of the file.
std::string Configuration(const std::vector<std::string>& rows, bool closing = true) {
  std::string text = "[VERSION]\r\nVERSION=6.1\r\n\r\n[CONFIGURATION]\r\nCUSTOM=TRUE\r\n   {\r\n";
  for (const std::string& row : rows) text += row + "\r\n";
  if (closing) text += "   }\r\n\r\nSHOW_INSTRUCTIONS=FALSE\r\n   {\r\n   }\r\n";
  return text;
}

// A row as configurations write it: fields in quotes joined by "\, ".
std::string Quoted(const std::vector<std::string>& fields) {
  std::string row = "   ";
  for (size_t i = 0; i < fields.size(); ++i) row += (i ? "\\, \"" : "\"") + fields[i] + "\"";
  return row;
}

class CustomBlock : public game_exit_test::GameFiles {
 protected:
  CustomRun Run(const std::vector<std::string>& rows, bool configured = false, bool closing = true,
                bool debug = false) {
    testing_support::WriteFile(tmp_ / "game.scg", Configuration(rows, closing));
    game_exit::CustomContext context = Context(configured);
    context.DebugMode = debug;
    return ReadCustom(tmp_ / "game.scg", context, bindings_);
  }
  GameBindings bindings_;
};

TEST_F(CustomBlock, RunsEachRowByItsVerbInAnyLetterCase) {
  Write("a.cfg", "one\r\n");
  CustomRun run = Run(
      {Quoted({"a.cfg", "append", "two"}), Quoted({"a.cfg", "Copy", "x"}), Quoted({"a.cfg", "REPLACE", "one", "1"})});
  EXPECT_TRUE(run.complete);
  EXPECT_EQ(run.errorNumber, 0);
  EXPECT_EQ(Read("a.cfg"), "1\r\ntwo\r\n");
  EXPECT_TRUE(log_.empty());
}

TEST_F(CustomBlock, ShortRowHasEmptyFieldsAndRunsOncePerRevision) {
  Write("a.cfg", "one\r\ntwo");
  EXPECT_TRUE(Run({Quoted({"a.cfg", "DELETE", "one"})}).complete);
  EXPECT_EQ(Read("a.cfg"), "one\r\ntwo\r\n");  // no mode: every line kept, the file rewritten
}

TEST_F(CustomBlock, OnlyAlwaysRowsRunOnceConfigured) {
  Write("a.cfg", "x=0\r\ny=0\r\n");
  Run({Quoted({"a.cfg", "MODIFY", "x=", "x=1", "ALWAYS"}), Quoted({"a.cfg", "MODIFY", "y=", "y=1"})}, true);
  EXPECT_EQ(Read("a.cfg"), "x=1\r\ny=0\r\n");
}

TEST_F(CustomBlock, FailingRowStopsTheRunKeepingEarlierChanges) {
  Write("a.cfg", "one\r\n");
  CustomRun run =
      Run({Quoted({"a.cfg", "APPEND", "first"}),
           Quoted({"..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\x", "APPEND", "second"}),
           Quoted({"a.cfg", "APPEND", "third"})});
  EXPECT_EQ(run.errorNumber, game_exit::kAppendError);
  EXPECT_EQ(Read("a.cfg"), "one\r\nfirst\r\n");
}

TEST_F(CustomBlock, EachVerbFailsWithItsOwnNumber) {
  struct Failing {
    std::vector<std::string> fields;
    int number;
  };
  const std::string far = "..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\x";
  const Failing cases[] = {
      {{"ro.cfg", "DELETE", "a", "0"}, 999},
      {{"ro.cfg", "MODIFY", "a", "b"}, 888},
      {{far, "APPEND", "a"}, 777},
      {{"ro.cfg", "REPLACE", "a", "b"}, 555},
      {{far, "INI", "S", "K", "V"}, 444},
      {{"a.ini", "INI", "S", "[Video]", "V"}, 444},
      {{"STRING", "REGISTRY", "HKCR\\x", "N", "V"}, 444},
  };
  Write("ro.cfg", "a\r\n");
  ::chmod(Path("ro.cfg").c_str(), 0444);
  for (const Failing& c : cases) EXPECT_EQ(Run({Quoted(c.fields)}).errorNumber, c.number) << c.fields[1];
}

TEST_F(CustomBlock, EmptyLineEndsTheRunIncomplete) {
  Write("a.cfg", "");
  CustomRun run = Run({Quoted({"a.cfg", "APPEND", "1"}), "", Quoted({"a.cfg", "APPEND", "2"})});
  EXPECT_FALSE(run.complete);
  EXPECT_EQ(Read("a.cfg"), "1\r\n");
}

TEST_F(CustomBlock, BlockWithoutClosingLineRunsToTheEndOfTheFile) {
  Write("a.cfg", "");
  CustomRun run = Run({Quoted({"a.cfg", "APPEND", "1"}), Quoted({"a.cfg", "APPEND", "2"})}, false, false);
  EXPECT_TRUE(run.complete);
  EXPECT_EQ(Read("a.cfg"), "1\r\n2\r\n");
}

TEST_F(CustomBlock, MalformedRowsAreLoggedAndSkipped) {
  Write("a.cfg", "");
  std::string junk = "   \"\x01\xff\"\\, \"\x80\"\\, \"\x7f\"";  // an unknown verb: ignored
  const std::vector<std::string> rows = {
      Quoted({"a.cfg", "APPEND", "x", "ALWAYS", "extra"}),  // more fields than APPEND has
      "   \"a.cfg\", \"APPEND\", \"x\"",                    // no "\," separator
      "   \"a.cfg\"\\, \"APPEND\"\\, \"",                   // a field too short for its quotes
      "    ",
      junk,
      junk + "\\, \"",
      "   \"" + std::string(1 << 20, 'z') + "\"",
      Quoted({"a.cfg", "APPEND", "kept"}),
  };
  CustomRun run = Run(rows);
  EXPECT_TRUE(run.complete);
  EXPECT_EQ(run.errorNumber, 0);
  EXPECT_EQ(Read("a.cfg"), "kept\r\n");
  ASSERT_EQ(log_.size(), 6u);
  for (const std::string& line : log_) EXPECT_EQ(line.rfind("Skipped CUSTOM row: ", 0), 0u) << line.substr(0, 40);
}

TEST_F(CustomBlock, FillsPlaceholdersOnlyInTheVerbsFields) {
  bindings_.ButtonAlias[3] = {"MOUSE1", "+attack", ""};
  Write("a.cfg", "bind ^03x\r\n");
  Run({Quoted({"a.cfg", "APPEND", "fire=^03x"}), Quoted({"a.cfg", "REPLACE", "^03x", "^03x!"}),
       Quoted({"a.cfg", "DELETE", "^03x", "2"})});
  // REPLACE fills only its replacement and DELETE nothing: filled, their "^03x"
  // would have found no line, or dropped both.
  EXPECT_EQ(Read("a.cfg"), "bind +attack!\r\nfire=+attack\r\n");
}

TEST_F(CustomBlock, DebugModeLogsTheRowsFields) {
  Write("a.cfg", "");
  Run({Quoted({"a.cfg", "DELETE", "x"}), Quoted({"a.cfg", "MODIFY", "p", ""}),
       Quoted({"a.cfg", "INI", "S", "K", "V", "ALWAYS"})},
      false, true, true);
  EXPECT_EQ(log_, (std::vector<std::string>{"a.cfg, DELETE, x, , ", "a.cfg, INI, S, K, V, ALWAYS"}));
}

TEST_F(CustomBlock, FirstLineBeginningWithCustomIsTheHeader) {
  // CUSTOM_ALIAS standing first is taken for the block; its rows cannot run.
  std::string text =
      "[TUNING]\r\nCUSTOM_ALIAS=TRUE\r\n   {\r\n   \"MOUSE1\", \"Mouse 1\", \"VM_LBUTTON\"\r\n   }\r\n"
      "CUSTOM=TRUE\r\n   {\r\n" +
      Quoted({"a.cfg", "APPEND", "x"}) + "\r\n   }\r\n";
  testing_support::WriteFile(tmp_ / "game.scg", text);
  CustomRun run = ReadCustom(tmp_ / "game.scg", Context(), bindings_);
  EXPECT_TRUE(run.complete);
  EXPECT_FALSE(Exists("a.cfg"));
  EXPECT_EQ(log_.size(), 1u);

  log_.clear();
  testing_support::WriteFile(tmp_ / "none.scg", "[VERSION]\r\nVERSION=6.1\r\n");
  EXPECT_FALSE(ReadCustom(tmp_ / "none.scg", Context(), bindings_).complete);
  EXPECT_EQ(log_, std::vector<std::string>{"No CUSTOM block in " + tmp_ / "none.scg"});
}

}  // namespace
