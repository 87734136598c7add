// Links in a game's folder (or in games/) must not lead the exit step's writes
// out of the game's tree: such a path counts as one that cannot be resolved.
#include "monitor/game_exit/copy_files.h"
#include "monitor/game_exit/custom_file_actions.h"
#include "monitor/game_exit/custom_ini_registry_actions.h"
#include "monitor/tests/log_into.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "testing/test_support.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using testing_support::MakeFolders;
using testing_support::ReadFile;
using testing_support::WriteFile;

class GameTree : public ::testing::Test {
 protected:
  // The game lies two folders below the root its writes may reach; the victim
  // files lie beside that root, reached only through links.
  GameTree() {
    MakeFolders(game_);
    MakeFolders(root_ + "/Common");
    MakeFolders(elsewhere_ + "/dir");
    WriteFile(elsewhere_ + "/victim.txt", "victim=1\r\n");
    WriteFile(game_ + "/real.cfg", "real=1\r\n");
    Link(elsewhere_ + "/dir", game_ + "/cfg");
    Link(elsewhere_ + "/victim.txt", game_ + "/victim.cfg");
    Link(elsewhere_ + "/missing.txt", game_ + "/dangling.cfg");
    Link("real.cfg", game_ + "/inside.cfg");
    Link("../../Common", game_ + "/common");
  }
  static void Link(const std::string& target, const std::string& link) {
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0) << link;
  }
  game_exit::CustomContext Context() const { return {game_exit::GameFolder(game_, ""), false, false, logInto_}; }
  bool Logged(const std::string& start) const {
    return std::any_of(log_.begin(), log_.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  }

  testing_support::TempFolder tmp_;
  std::string root_ = tmp_ / "root";
  std::string game_ = root_ + "/Games/X";
  std::string elsewhere_ = tmp_ / "elsewhere";
  mutable std::vector<std::string> log_;
  mutable monitor_test::LogInto logInto_{log_};
};

TEST_F(GameTree, CustomActionsDoNotFollowLinksOutOfTheTree) {
  using Action = std::function<bool(const game_exit::ActionArgs&, const game_exit::CustomContext&)>;
  struct Case {
    Action action;
    std::vector<std::string> row;
    bool succeeds;  // DELETE, MODIFY and REPLACE do nothing; APPEND and INI fail
    bool refused;   // logged as a path that cannot be resolved
  } cases[] = {
      {game_exit::ExecDelete, {"victim.cfg", "DELETE", "victim", "0"}, true, true},
      {game_exit::ExecModify, {"victim.cfg", "MODIFY", "victim=", "victim=2"}, true, true},
      {game_exit::ExecModify, {"VICTIM.CFG", "MODIFY", "x=", "x=2"}, true, true},
      {game_exit::ExecReplace, {"victim.cfg", "REPLACE", "victim", "gone"}, true, true},
      {game_exit::ExecAppend, {"victim.cfg", "APPEND", "more"}, false, true},
      {game_exit::ExecAppend, {".\\cfg\\new\\a.cfg", "APPEND", "more"}, false, true},
      {game_exit::ExecAppend, {"cfg\\a.cfg", "APPEND", "more"}, false, true},
      {game_exit::ExecAppend, {"dangling.cfg", "APPEND", "more"}, false, true},
      {game_exit::ExecIni, {".\\cfg\\a.ini", "INI", "S", "K", "V"}, false, true},
      {game_exit::ExecIni, {"victim.cfg", "INI", "S", "K", "V"}, false, true},
      // Links that stay inside are followed as before.
      {game_exit::ExecAppend, {"inside.cfg", "APPEND", "inner=1"}, true, false},
      {game_exit::ExecIni, {".\\common\\shared.ini", "INI", "S", "K", "V"}, true, false},
  };
  for (const Case& c : cases) {
    log_.clear();
    EXPECT_EQ(c.action({c.row}, Context()), c.succeeds) << c.row[0] << " " << c.row[1];
    EXPECT_EQ(Logged("Error with custom path " + c.row[0]), c.refused) << c.row[0] << " " << c.row[1];
  }
  EXPECT_EQ(ReadFile(elsewhere_ + "/victim.txt"), "victim=1\r\n");
  EXPECT_EQ(platform::ListFiles(elsewhere_), std::vector<std::string>{"victim.txt"});
  EXPECT_TRUE(platform::ListFiles(elsewhere_ + "/dir").empty());
  EXPECT_FALSE(platform::FolderExists(elsewhere_ + "/dir/new"));
  EXPECT_EQ(ReadFile(game_ + "/real.cfg"), "real=1\r\ninner=1\r\n");
  EXPECT_EQ(ReadFile(root_ + "/Common/shared.ini"), "[S]\r\nK=V\r\n");
}

TEST_F(GameTree, CopiesNeitherLeaveTheTreeNorTakeFilesFromOutsideGames) {
  const std::string program = tmp_ / "program";
  MakeFolders(program + "/games/sub");
  WriteFile(program + "/games/keys.cfg", "keys\r\n");
  WriteFile(program + "/games/sub/more.cfg", "more\r\n");
  WriteFile(elsewhere_ + "/secret.txt", "secret\r\n");
  Link(elsewhere_ + "/secret.txt", program + "/games/secret.cfg");
  std::vector<std::string> boxes;
  platform::SetMsgBoxHandler([&](const platform::MsgBoxRequest& box) {
    boxes.push_back(box.text);
    return platform::MsgResult::Ok;
  });
  game_exit::GameFolder game(game_, "");
  game_exit::CopyJob job{program, &game, false, logInto_};
  struct Case {
    config_store::TCopyFile entry;
    bool copied;
    std::string logged;  // the start of the line that reports it, or nothing
    bool boxed;          // the source counts as missing
  } cases[] = {
      {{"keys.cfg", ".\\cfg\\keys.cfg"}, false, "Error with copy path .\\cfg\\keys.cfg", false},
      {{"keys.cfg", "victim.cfg"}, false, "Error with copy path victim.cfg", false},
      {{"secret.cfg", ".\\secret.cfg"}, false, "", true},
      {{"sub\\more.cfg", ".\\common\\more.cfg"}, true, "", false},
      {{"keys.cfg", "inside.cfg"}, true, "", false},
  };
  for (const Case& c : cases) {
    log_.clear();
    boxes.clear();
    EXPECT_EQ(game_exit::ExecCopyFiles({c.entry}, job), c.copied) << c.entry.Source << " " << c.entry.Destination;
    if (!c.logged.empty()) {
      EXPECT_TRUE(Logged(c.logged)) << c.entry.Destination;
    }
    EXPECT_EQ(boxes.size(), c.boxed ? 1u : 0u) << c.entry.Source;
  }
  platform::SetMsgBoxHandler({});
  EXPECT_EQ(ReadFile(elsewhere_ + "/victim.txt"), "victim=1\r\n");
  EXPECT_TRUE(platform::ListFiles(elsewhere_ + "/dir").empty());
  EXPECT_FALSE(platform::FileExists(game_ + "/secret.cfg"));
  EXPECT_EQ(ReadFile(root_ + "/Common/more.cfg"), "more\r\n");
  EXPECT_EQ(ReadFile(game_ + "/real.cfg"), "keys\r\n");
}

// Wine links a user's Documents and the like to the player's own folders: those
// stay reachable for a game in the prefix, the home folder itself does not.
TEST_F(GameTree, AWinePrefixsOwnLinksToThePlayersFoldersAreFollowed) {
  const std::string home = tmp_ / "home";
  const char* before = std::getenv("HOME");
  std::string saved = before ? before : "";
  ::setenv("HOME", home.c_str(), 1);
  const std::string prefix = tmp_ / "prefix", users = prefix + "/drive_c/users/me";
  MakeFolders(home + "/Documents");
  MakeFolders(users);
  MakeFolders(prefix + "/drive_c/Games/Foo");
  Link(home + "/Documents", users + "/Documents");
  Link(home, users + "/Desktop");
  Link(elsewhere_ + "/dir", prefix + "/drive_c/Games/Foo/out");
  game_exit::CustomContext context{game_exit::GameFolder(prefix + "/drive_c/Games/Foo", prefix), false, false,
                                   logInto_};
  struct Case {
    std::string path;
    bool written;
  } cases[] = {
      {"..\\..\\users\\me\\Documents\\Foo\\save.cfg", true},
      {"..\\..\\users\\me\\Desktop\\.bashrc", false},
      {".\\out\\x.cfg", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(game_exit::ExecAppend({{c.path, "APPEND", "line"}}, context), c.written) << c.path;
  EXPECT_EQ(ReadFile(home + "/Documents/Foo/save.cfg"), "line\r\n");
  EXPECT_FALSE(platform::FileExists(home + "/.bashrc"));
  EXPECT_TRUE(platform::ListFiles(elsewhere_ + "/dir").empty());
  if (before)
    ::setenv("HOME", saved.c_str(), 1);
  else
    ::unsetenv("HOME");
}

}  // namespace
