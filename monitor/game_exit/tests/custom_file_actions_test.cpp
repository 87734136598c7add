#include "monitor/game_exit/custom_file_actions.h"

#include "game_files_fixture.h"

#include <sys/stat.h>

namespace {

using game_exit::ActionArgs;
using game_exit::CustomContext;
using FileActions = game_exit_test::GameFiles;
using Exec = bool (*)(const ActionArgs&, const CustomContext&);

struct EditCase {
  const char* what;
  Exec exec;
  std::vector<std::string> fields;
  std::string before;
  std::string after;
};

TEST_F(FileActions, EditTheGameFileAsTheRowSays) {
  const std::string binds = "bind x fire\r\nBIND X jump\r\n  bind x lead\r\nBind xy\r\n  bind x  \r\nother\r\n";
  const std::string blanks = "a\r\n\r\n   \r\nb\r\n";
  using game_exit::ExecAppend;
  using game_exit::ExecDelete;
  using game_exit::ExecModify;
  using game_exit::ExecReplace;
  const EditCase cases[] = {
      {"delete by prefix",
       ExecDelete,
       {"f.cfg", "DELETE", "bind x", "0"},
       binds,
       "  bind x lead\r\n  bind x  \r\nother\r\n"},
      {"delete whole trimmed line",
       ExecDelete,
       {"f.cfg", "DELETE", "bind x", "1"},
       binds,
       "bind x fire\r\nBIND X jump\r\n  bind x lead\r\nBind xy\r\nother\r\n"},
      {"delete anywhere", ExecDelete, {"f.cfg", "DELETE", "bind x", "2"}, binds, "other\r\n"},
      {"delete, unknown mode", ExecDelete, {"f.cfg", "DELETE", "bind x", "3"}, binds, binds},
      {"delete, no mode", ExecDelete, {"f.cfg", "DELETE", "bind x"}, "a\r\nb", "a\r\nb\r\n"},
      {"delete empty text, mode 0", ExecDelete, {"f.cfg", "DELETE", "", "0"}, blanks, ""},
      {"delete empty text, mode 1", ExecDelete, {"f.cfg", "DELETE", "", "1"}, blanks, "a\r\nb\r\n"},
      {"delete empty text, mode 2", ExecDelete, {"f.cfg", "DELETE", "", "2"}, blanks, "\r\n"},
      {"delete keeps LF", ExecDelete, {"f.cfg", "DELETE", "x", "0"}, "x1\ny\nx2\nz", "y\nz\n"},

      {"modify by prefix",
       ExecModify,
       {"f.cfg", "MODIFY", "sensitivity=", "sensitivity=5"},
       "Sensitivity=3\r\nfoo\r\nSENSITIVITY=1\r\n",
       "sensitivity=5\r\nfoo\r\nsensitivity=5\r\n"},
      {"modify by prefix and suffix",
       ExecModify,
       {"f.cfg", "MODIFY", "bind%fire", "bind m fire"},
       "bind a fire\nbind b jump\nBIND c FIRE\n",
       "bind m fire\nbind b jump\nbind m fire\n"},
      {"modify, prefix and suffix overlap",
       ExecModify,
       {"f.cfg", "MODIFY", "ab%bc", "new"},
       "abc\r\nab\r\n",
       "new\r\nab\r\n"},
      {"modify adds the line when none matches",
       ExecModify,
       {"f.cfg", "MODIFY", "gamma=", "gamma=2"},
       "a=1\r\nb=2",
       "a=1\r\nb=2\r\ngamma=2\r\n"},
      {"modify with an empty new line adds an empty line",
       ExecModify,
       {"f.cfg", "MODIFY", "a=", ""},
       "a=1\r\n",
       "a=1\r\n\r\n"},

      {"append a new line", ExecAppend, {"f.cfg", "APPEND", "bind z"}, "a\r\nb\r\n", "a\r\nb\r\nbind z\r\n"},
      {"append, already there in another case",
       ExecAppend,
       {"f.cfg", "APPEND", "bind z"},
       "a\r\n  BIND Z \r\n",
       "a\r\n  BIND Z \r\n"},
      {"append after a last line without line end", ExecAppend, {"f.cfg", "APPEND", "c"}, "a\r\nb", "a\r\nb\r\nc\r\n"},
      {"append keeps LF", ExecAppend, {"f.cfg", "APPEND", "c"}, "a\nb", "a\nb\nc\n"},
      {"append to an empty file", ExecAppend, {"f.cfg", "APPEND", "c"}, "", "c\r\n"},

      {"replace inside lines",
       ExecReplace,
       {"f.cfg", "REPLACE", "fire", "shoot"},
       "Fire at will\r\nFIREWALL fire\r\n",
       "shoot at will\r\nshootWALL shoot\r\n"},
      {"replace with text holding the text", ExecReplace, {"f.cfg", "REPLACE", "a", "aa"}, "aXa\n", "aaXaa\n"},
      {"replace nothing still rewrites", ExecReplace, {"f.cfg", "REPLACE", "", "x"}, "a\r\nb", "a\r\nb\r\n"},
  };
  for (const EditCase& c : cases) {
    Write("f.cfg", c.before);
    EXPECT_TRUE(c.exec(Row(c.fields), Context())) << c.what;
    EXPECT_EQ(Read("f.cfg"), c.after) << c.what;
    EXPECT_EQ(Files(), std::vector<std::string>{"f.cfg"}) << c.what;
  }
  EXPECT_TRUE(log_.empty());
}

TEST_F(FileActions, ModifyMatchesOnItsSecondRunInsteadOfAddingAgain) {
  Write("f.cfg", "a=1\r\n");
  ActionArgs row = Row({".\\f.cfg", "MODIFY", "gamma=", "gamma=2", "ALWAYS"});
  ASSERT_TRUE(game_exit::ExecModify(row, Context()));
  ASSERT_TRUE(game_exit::ExecModify(row, Context(true)));
  EXPECT_EQ(Read("f.cfg"), "a=1\r\ngamma=2\r\n");
}

TEST_F(FileActions, MissingTargetIsLeftAlone) {
  for (const char* verb : {"DELETE", "MODIFY", "REPLACE"}) {
    ActionArgs row = Row({"cfg\\missing.cfg", verb, "a", "b"});
    EXPECT_TRUE(game_exit::ExecDelete(row, Context())) << verb;
    EXPECT_TRUE(game_exit::ExecModify(row, Context())) << verb;
    EXPECT_TRUE(game_exit::ExecReplace(row, Context())) << verb;
  }
  EXPECT_TRUE(Files().empty());
  EXPECT_FALSE(platform::FolderExists(Path("cfg")));
}

TEST_F(FileActions, AppendCreatesMissingFoldersAndMatchesExistingNamesWithoutCase) {
  testing_support::MakeFolders(Path("Data"));
  Write("Data/Keys.CFG", "a\r\n");
  ASSERT_TRUE(game_exit::ExecAppend(Row({".\\data\\keys.cfg", "APPEND", "b"}), Context()));
  EXPECT_EQ(Read("Data/Keys.CFG"), "a\r\nb\r\n");
  ASSERT_TRUE(game_exit::ExecAppend(Row({"data\\new\\deeper\\x.cfg", "APPEND", "c"}), Context()));
  EXPECT_EQ(Read("Data/new/deeper/x.cfg"), "c\r\n");
  EXPECT_FALSE(platform::FolderExists(Path("data")));
}

TEST_F(FileActions, RowsNotFlaggedAlwaysWaitForTheNextRevision) {
  Write("f.cfg", "a\r\n");
  EXPECT_TRUE(game_exit::ExecAppend(Row({"f.cfg", "APPEND", "once", ""}), Context(true)));
  EXPECT_TRUE(game_exit::ExecDelete(Row({"f.cfg", "DELETE", "a", "0", "no"}), Context(true)));
  EXPECT_EQ(Read("f.cfg"), "a\r\n");
  EXPECT_TRUE(game_exit::ExecAppend(Row({"f.cfg", "APPEND", "each", "always"}), Context(true)));
  EXPECT_EQ(Read("f.cfg"), "a\r\neach\r\n");
}

TEST_F(FileActions, TemporaryFileNeverMeetsTheGamesOwnFiles) {
  // A rewrite through "name.tmp" would clobber this file, or this file would clobber the rewrite.
  Write("keys.cfg", "bind a\r\n");
  Write("keys.tmp", "the game's own file\r\n");
  ASSERT_TRUE(game_exit::ExecReplace(Row({"keys.cfg", "REPLACE", "a", "b"}), Context()));
  ASSERT_TRUE(game_exit::ExecReplace(Row({"keys.tmp", "REPLACE", "own", "very own"}), Context()));
  EXPECT_EQ(Read("keys.cfg"), "bind b\r\n");
  EXPECT_EQ(Read("keys.tmp"), "the game's very own file\r\n");
  EXPECT_EQ(Files(), (std::vector<std::string>{"keys.cfg", "keys.tmp"}));
}

TEST_F(FileActions, RewriteKeepsPermissions) {
  Write("f.cfg", "a\r\n");
  ::chmod(Path("f.cfg").c_str(), 0600);
  ASSERT_TRUE(game_exit::ExecAppend(Row({"f.cfg", "APPEND", "b"}), Context()));
  struct stat st {};
  ASSERT_EQ(::stat(Path("f.cfg").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(FileActions, ReadOnlyFileIsNotReplacedAndTheFailureIsLogged) {
  struct Failing {
    Exec exec;
    std::vector<std::string> fields;
    std::string line;
  };
  const Failing cases[] = {
      {game_exit::ExecDelete, {"f.cfg", "DELETE", "a", "0"}, "Error 13 deleting a"},
      {game_exit::ExecModify, {"f.cfg", "MODIFY", "a", "b"}, "Error 13 modifying a"},
      {game_exit::ExecAppend, {"f.cfg", "APPEND", "c"}, "Error 13 appending c"},
      {game_exit::ExecReplace, {"f.cfg", "REPLACE", "a", "b"}, "Error 13 replacing a"},
  };
  Write("f.cfg", "a\r\n");
  ::chmod(Path("f.cfg").c_str(), 0444);
  for (const Failing& c : cases) {
    log_.clear();
    EXPECT_FALSE(c.exec(Row(c.fields), Context())) << c.line;
    EXPECT_EQ(log_, std::vector<std::string>{c.line});
    EXPECT_EQ(Read("f.cfg"), "a\r\n");
  }
}

TEST_F(FileActions, PathOutsideTheGameFolderIsNeverTouched) {
  testing_support::WriteFile(tmp_ / "outside.cfg", "a\r\n");
  const std::string escape = "..\\Game\\..\\outside.cfg";
  EXPECT_TRUE(game_exit::ExecDelete(Row({escape, "DELETE", "a", "0"}), Context()));
  EXPECT_TRUE(game_exit::ExecModify(Row({escape, "MODIFY", "a", "b"}), Context()));
  EXPECT_TRUE(game_exit::ExecReplace(Row({escape, "REPLACE", "a", "b"}), Context()));
  EXPECT_EQ(log_, std::vector<std::string>(3, "Error with custom path " + escape));
  log_.clear();
  EXPECT_FALSE(game_exit::ExecAppend(Row({escape, "APPEND", "b"}), Context()));
  EXPECT_EQ(log_, (std::vector<std::string>{"Error with custom path " + escape, "Error 13 appending b"}));
  EXPECT_EQ(testing_support::ReadFile(tmp_ / "outside.cfg"), "a\r\n");
}

TEST_F(FileActions, EnormousLinesAndBinaryBytesPassThroughUnchanged) {
  std::string junk;
  for (int i = 0; i < 256; ++i)
    if (i != '\n' && i != '\r') junk += static_cast<char>(i);
  std::string huge(4 << 20, 'x');
  Write("f.bin", junk + "\r\n" + huge + "\r\nkey=1\r\n");
  ASSERT_TRUE(game_exit::ExecModify(Row({"f.bin", "MODIFY", "key=", "key=2"}), Context()));
  EXPECT_EQ(Read("f.bin"), junk + "\r\n" + huge + "\r\nkey=2\r\n");
}

}  // namespace
