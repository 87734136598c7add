#include "monitor/game_exit/copy_files.h"

#include "config_store/block_readers.h"
#include "monitor/tests/log_into.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using testing_support::MakeFolders;
using testing_support::ReadFile;
using testing_support::WriteFile;

TEST(SplitCopyRow, TheMonitorTakesSourceAndDestinationFromTheQuotes) {
  struct Case {
    std::string row;
    std::string source, destination;
  };
  const Case cases[] = {
      {"   \"keys.cfg\", \".\\cfg\\keys.cfg\"", "keys.cfg", ".\\cfg\\keys.cfg"},
      {"\"ab\", \"c\"", "ab", "c"},  // just 8 characters
      {"\"a\", \"b\"", "", ""},      // 7
      {"   \"a.cfg\", \"b.cfg\", \"more\"", "a.cfg", "b.cfg"},
      {"   \"a\",\"b\"", "", ""},  // shorter than 8 characters
      {"   \"no comma here\"", "", ""},
      {"   \"ERROR", "", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    config_store::TCopyFile entry = config_store::SplitCopyRow(c.row, config_store::MissingList::Empty);
    EXPECT_EQ(entry.Source, c.source) << c.row;
    EXPECT_EQ(entry.Destination, c.destination) << c.row;
  }
}

class CopyFiles : public ::testing::Test {
 protected:
  CopyFiles() {
    MakeFolders(program_ + "/games");
    MakeFolders(program_ + "/scg");
    MakeFolders(gameFolder_);
    platform::SetMsgBoxHandler([this](const platform::MsgBoxRequest& request) {
      boxes_.push_back(request);
      return platform::MsgResult::Ok;
    });
  }
  ~CopyFiles() override { platform::SetMsgBoxHandler({}); }

  // Runs the block made of `rows` (lines as they stand) from a configuration file.
  bool Run(const std::vector<std::string>& rows, bool closing = true, const std::string& before = "") {
    std::string text = before + "[CONFIGURATION]\r\nCOPY_FILES=TRUE\r\n   {\r\n";
    for (const std::string& row : rows) text += row + "\r\n";
    if (closing) text += "   }\r\n\r\nCOMMAND_LINE=\"\"\r\n";
    WriteFile(program_ + "/scg/game.scg", text);
    game_exit::CopyJob job{program_, &game_, debug_, logInto_};
    return game_exit::ReadCopyFiles(program_ + "/scg/game.scg", job);
  }
  static std::string Row(const std::string& source, const std::string& destination) {
    return "   \"" + source + "\", \"" + destination + "\"";
  }
  std::string Game(const std::string& name) const { return gameFolder_ + "/" + name; }

  testing_support::TempFolder tmp_;
  std::string program_ = tmp_ / "program";
  std::string gameFolder_ = tmp_ / "Games/Foo";
  game_exit::GameFolder game_{gameFolder_, ""};
  bool debug_ = false;
  std::vector<std::string> log_;
  monitor_test::LogInto logInto_{log_};
  std::vector<platform::MsgBoxRequest> boxes_;
};

TEST_F(CopyFiles, CopiesIntoPlaceCreatingFoldersAndReplacingWhatIsThere) {
  WriteFile(program_ + "/games/Keys.CFG", "bind a\r\n");
  MakeFolders(program_ + "/games/foo");
  WriteFile(program_ + "/games/foo/common.ini", "[x]\r\n");
  WriteFile(Game("CFG/keys.cfg"), "old\r\n");
  ::chmod(Game("CFG/keys.cfg").c_str(), 0600);
  ASSERT_TRUE(Run({Row("keys.cfg", ".\\cfg\\keys.cfg"), "", Row("FOO\\Common.ini", "..\\Common\\b.ini"),
                   Row("keys.cfg", "new\\deep\\k.cfg")}));
  EXPECT_EQ(ReadFile(Game("CFG/keys.cfg")), "bind a\r\n");
  struct stat st {};
  ::stat(Game("CFG/keys.cfg").c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(ReadFile(tmp_ / "Games/Common/b.ini"), "[x]\r\n");
  EXPECT_EQ(ReadFile(Game("new/deep/k.cfg")), "bind a\r\n");
  EXPECT_EQ(platform::ListFiles(Game("CFG")), std::vector<std::string>{"keys.cfg"});
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(log_.empty());
}

TEST_F(CopyFiles, MissingSourceStopsAtAMessageBox) {
  WriteFile(program_ + "/games/b.cfg", "b");
  EXPECT_FALSE(Run({Row("Missing.cfg", "a.cfg"), Row("b.cfg", "b.cfg")}));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Could not copy file: " + platform::ToLower(program_ + "/games/Missing.cfg"));
  EXPECT_EQ(boxes_[0].title, "Heliryx 360 Monitor");
  EXPECT_EQ(boxes_[0].icon, platform::MsgIcon::None);
  EXPECT_FALSE(platform::FileExists(Game("b.cfg")));
}

TEST_F(CopyFiles, SourceMustStayInsideTheGamesFolder) {
  WriteFile(program_ + "/secret.txt", "s");
  for (const char* source : {"..\\secret.txt", "/etc/hostname", "C:\\x.txt", "", "games\\..\\..\\secret.txt"}) {
    boxes_.clear();
    EXPECT_FALSE(Run({Row(source, "x.txt")})) << source;
    EXPECT_EQ(boxes_.size(), 1u) << source;
  }
  EXPECT_FALSE(platform::FileExists(Game("x.txt")));
}

TEST_F(CopyFiles, DestinationOutsideTheGameFolderTreeIsRefused) {
  WriteFile(program_ + "/games/a.cfg", "a");
  EXPECT_FALSE(Run({Row("a.cfg", "..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\x.cfg")}));
  EXPECT_FALSE(Run({Row("a.cfg", "cfg\\..\\..\\..\\x.cfg")}));
  EXPECT_FALSE(Run({Row("a.cfg", "D:\\x.cfg")}));
  EXPECT_EQ(log_, (std::vector<std::string>{
                      "Error with copy path ..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\x.cfg",
                      "Error with copy path cfg\\..\\..\\..\\x.cfg", "Error with copy path D:\\x.cfg"}));
  EXPECT_FALSE(platform::FileExists(tmp_ / "x.cfg"));
}

TEST_F(CopyFiles, BlockMustBeWholeBeforeAnythingIsCopied) {
  WriteFile(program_ + "/games/a.cfg", "a");
  EXPECT_TRUE(Run({}));                               // an empty block copies nothing
  EXPECT_FALSE(Run({Row("a.cfg", "a.cfg")}, false));  // no closing line
  EXPECT_FALSE(platform::FileExists(Game("a.cfg")));

  std::vector<std::string> rows(500, Row("a.cfg", "a.cfg"));
  EXPECT_TRUE(Run(rows));
  rows.push_back(Row("a.cfg", "b.cfg"));
  EXPECT_FALSE(Run(rows));  // 501 rows
  EXPECT_FALSE(platform::FileExists(Game("b.cfg")));

  std::string filler;
  for (int i = 0; i < 498; ++i) filler += ";\r\n";
  EXPECT_TRUE(Run({Row("a.cfg", "c.cfg")}, true, filler));  // header on line 500
  EXPECT_FALSE(Run({Row("a.cfg", "d.cfg")}, true, filler + ";\r\n"));
  EXPECT_FALSE(platform::FileExists(Game("d.cfg")));
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(CopyFiles, FailedCopyIsLogged) {
  WriteFile(program_ + "/games/a.cfg", "new");
  WriteFile(Game("a.cfg"), "old");
  ::chmod(Game("a.cfg").c_str(), 0444);
  EXPECT_FALSE(Run({Row("a.cfg", "a.cfg")}));
  EXPECT_EQ(log_, std::vector<std::string>{"Error 13 copying a.cfg to " + Game("a.cfg")});
  EXPECT_EQ(ReadFile(Game("a.cfg")), "old");
}

TEST_F(CopyFiles, DebugModeLogsEachCopy) {
  debug_ = true;
  WriteFile(program_ + "/games/a.cfg", "a");
  ASSERT_TRUE(Run({Row("a.cfg", ".\\a.cfg")}));
  EXPECT_EQ(log_, std::vector<std::string>{"Copying a.cfg to " + Game("a.cfg")});
}

}  // namespace
