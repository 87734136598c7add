#include "monitor/game_exit/custom_ini_registry_actions.h"

#include "game_files_fixture.h"

#include <cstdlib>
#include <sys/stat.h>

namespace {

using game_exit::ExecIni;
using game_exit::ExecRegistry;
using platform::Registry;
using platform::RegistryRoot;
using platform::RegistryValue;

using IniAction = game_exit_test::GameFiles;

TEST_F(IniAction, WritesOneKeyCreatingFileAndFolders) {
  ASSERT_TRUE(ExecIni(Row({".\\cfg\\new\\game.ini", "INI", "Controls", "Sensitivity", "5"}), Context()));
  EXPECT_EQ(Read("cfg/new/game.ini"), "[Controls]\r\nSensitivity=5\r\n");
  ASSERT_TRUE(ExecIni(Row({"CFG\\NEW\\GAME.INI", "INI", "controls", "Invert", ""}), Context()));
  ASSERT_TRUE(ExecIni(Row({"cfg\\new\\game.ini", "INI", "Controls", "sensitivity", "7"}), Context()));
  EXPECT_EQ(Read("cfg/new/game.ini"), "[Controls]\r\nSensitivity=7\r\nInvert=\r\n");
  EXPECT_TRUE(log_.empty());
}

TEST_F(IniAction, KeepsTheFilesLineEndsAndEverythingElse) {
  Write("game.ini", "; comment\n[Video]\nwidth=640\n\n[Input]\nmouse=1\n");
  ASSERT_TRUE(ExecIni(Row({"game.ini", "INI", "Video", "height", "480"}), Context()));
  ASSERT_TRUE(ExecIni(Row({"game.ini", "INI", "Input", "mouse", "0"}), Context()));
  EXPECT_EQ(Read("game.ini"), "; comment\n[Video]\nwidth=640\nheight=480\n\n[Input]\nmouse=0\n");
  EXPECT_EQ(Files(), std::vector<std::string>{"game.ini"});
}

TEST_F(IniAction, ValueThatCannotBeWrittenFailsTheAction) {
  Write("ro.ini", "[A]\r\nx=1\r\n");
  ::chmod(Path("ro.ini").c_str(), 0444);
  EXPECT_FALSE(ExecIni(Row({"ro.ini", "INI", "A", "x", "2"}), Context()));
  EXPECT_EQ(log_, std::vector<std::string>{"Error 13 changing INI " + Path("ro.ini")});
  EXPECT_EQ(Read("ro.ini"), "[A]\r\nx=1\r\n");

  log_.clear();
  EXPECT_FALSE(ExecIni(Row({"..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\x.ini", "INI", "A", "x", "2"}),
                       Context()));
  ASSERT_EQ(log_.size(), 2u);
  EXPECT_EQ(log_[1].rfind("Error 13 changing INI ", 0), 0u) << log_[1];

  log_.clear();
  EXPECT_FALSE(ExecIni(Row({"a.ini", "INI", "A", "", "2"}), Context()));  // no key to write
  EXPECT_EQ(log_, std::vector<std::string>{"Error 22 changing INI " + Path("a.ini")});
}

TEST_F(IniAction, NamesTheFileCannotHoldFailAndWriteNothing) {
  Write("game.ini", "[Video]\r\nwidth=640\r\n");
  struct Case {
    const char* file;
    const char* section;
    const char* key;
  } cases[] = {
      {"game.ini", "Video", "[Video]"},
      {"game.ini", "Video", ";width"},
      {"game.ini", "Vid]eo", "width"},
      {".\\new\\other.ini", "Video", "[Video]"},  // not even the folder is made
  };
  for (const Case& c : cases) {
    // Run at three exits, as an ALWAYS row is.
    for (int exit = 0; exit < 3; ++exit) {
      log_.clear();
      EXPECT_FALSE(ExecIni(Row({c.file, "INI", c.section, c.key, "1", "ALWAYS"}), Context(true))) << c.key;
      ASSERT_EQ(log_.size(), 1u) << c.key;
      EXPECT_EQ(log_[0].rfind("Error 22 changing INI ", 0), 0u) << log_[0];
    }
  }
  EXPECT_EQ(Read("game.ini"), "[Video]\r\nwidth=640\r\n");
  EXPECT_FALSE(platform::FolderExists(Path("new")));
}

TEST_F(IniAction, RowNotFlaggedAlwaysIsSkippedOnceConfigured) {
  EXPECT_TRUE(ExecIni(Row({"a.ini", "INI", "A", "x", "1", ""}), Context(true)));
  EXPECT_FALSE(Exists("a.ini"));
  EXPECT_TRUE(ExecIni(Row({"a.ini", "INI", "A", "x", "1", "Always"}), Context(true)));
  EXPECT_TRUE(Exists("a.ini"));
}

// Our registry store lives below XDG_CONFIG_HOME, pointed at the test's folder.
class RegistryAction : public game_exit_test::GameFiles {
 protected:
  void SetUp() override {
    const char* home = std::getenv("XDG_CONFIG_HOME");
    savedHome_ = home ? std::optional<std::string>(home) : std::nullopt;
    ::setenv("XDG_CONFIG_HOME", (tmp_ / "config").c_str(), 1);
  }
  void TearDown() override {
    if (savedHome_)
      ::setenv("XDG_CONFIG_HOME", savedHome_->c_str(), 1);
    else
      ::unsetenv("XDG_CONFIG_HOME");
  }
  std::optional<std::string> savedHome_;
};

TEST_F(RegistryAction, WritesStringsAndDwordsUnderEitherRoot) {
  ASSERT_TRUE(ExecRegistry(Row({"string", "REGISTRY", "hkcu\\Software\\Game", "Keys", "bind x"}), Context()));
  ASSERT_TRUE(ExecRegistry(Row({"DWORD", "registry", "HKLM\\Software\\Game", "Speed", "250"}), Context()));
  ASSERT_TRUE(ExecRegistry(Row({"Dword", "REGISTRY", "HKCU\\Software\\Game", "Back", "-1"}), Context()));
  auto keys = Registry::Query(RegistryRoot::CurrentUser, "Software\\Game", "Keys");
  ASSERT_TRUE(keys);
  EXPECT_EQ(keys->type, RegistryValue::Type::String);
  EXPECT_EQ(keys->text, "bind x");
  auto speed = Registry::Query(RegistryRoot::LocalMachine, "Software\\Game", "Speed");
  ASSERT_TRUE(speed);
  EXPECT_EQ(speed->type, RegistryValue::Type::Dword);
  EXPECT_EQ(speed->number, 250u);
  EXPECT_EQ(Registry::Query(RegistryRoot::CurrentUser, "Software\\Game", "Back")->number, 0xFFFFFFFFu);
  EXPECT_TRUE(log_.empty());
}

TEST_F(RegistryAction, RefusesWhatItCannotWrite) {
  struct Refused {
    std::vector<std::string> fields;
    std::vector<std::string> log;
  };
  const Refused cases[] = {
      {{"STRING", "REGISTRY", "HKCR\\Software\\Game", "N", "x"}, {}},  // another root: no line
      {{"BINARY", "REGISTRY", "HKCU\\Software\\Game", "N", "x"}, {}},  // another type: no line
      {{"DWORD", "REGISTRY", "HKCU\\Software\\Game", "N", "fast"}, {"Error 22 changing registry "}},
      {{"DWORD", "REGISTRY", "HKCU\\Software\\Game", "N", "2147483648"}, {"Error 34 changing registry "}},
      {{"DWORD", "REGISTRY", "HKCU\\Software\\Game", "N", ""}, {"Error 22 changing registry "}},
  };
  for (const Refused& c : cases) {
    log_.clear();
    EXPECT_FALSE(ExecRegistry(Row(c.fields), Context())) << c.fields[4];
    EXPECT_EQ(log_, c.log) << c.fields[4];
  }
  EXPECT_FALSE(Registry::KeyExists(RegistryRoot::CurrentUser, "Software\\Game"));
}

TEST_F(RegistryAction, StoreThatCannotBeWrittenFailsTheAction) {
  testing_support::WriteFile(tmp_ / "blocked", "not a folder");
  ::setenv("XDG_CONFIG_HOME", (tmp_ / "blocked").c_str(), 1);
  EXPECT_FALSE(ExecRegistry(Row({"STRING", "REGISTRY", "HKCU\\Software\\Game", "N", "x"}), Context()));
  EXPECT_EQ(log_, std::vector<std::string>{"Error 5 changing registry "});
}

TEST_F(RegistryAction, WineGameWritesItsPrefixNotOurStore) {
  std::string prefix = tmp_ / "prefix";
  testing_support::MakeFolders(prefix + "/drive_c/Games/Foo");
  testing_support::WriteFile(prefix + "/user.reg", "WINE REGISTRY Version 2\n");
  game_exit::CustomContext context{game_exit::GameFolder(prefix + "/drive_c/Games/Foo", prefix), false, false,
                                   logInto_};
  const char* path = std::getenv("PATH");
  std::string savedPath = path ? path : "";
  ::setenv("PATH", (tmp_ / "no-wine-here").c_str(), 1);
  bool written = ExecRegistry(Row({"STRING", "REGISTRY", "HKCU\\Software\\Game", "N", "x"}), context);
  ::setenv("PATH", savedPath.c_str(), 1);
  EXPECT_FALSE(written);
  EXPECT_EQ(log_, (std::vector<std::string>{"No Wine loader for the game's prefix " + prefix +
                                                " (none on PATH): registry value HKCU\\Software\\Game\\N not written",
                                            "Error 5 changing registry "}));
  EXPECT_FALSE(Registry::KeyExists(RegistryRoot::CurrentUser, "Software\\Game"));
}

TEST_F(RegistryAction, AlwaysRowWritesAgainOnceConfigured) {
  ASSERT_TRUE(ExecRegistry(Row({"STRING", "REGISTRY", "HKCU\\Software\\Game", "N", "1", ""}), Context(true)));
  EXPECT_FALSE(Registry::Query(RegistryRoot::CurrentUser, "Software\\Game", "N"));
  ASSERT_TRUE(ExecRegistry(Row({"STRING", "REGISTRY", "HKCU\\Software\\Game", "N", "2", "ALWAYS"}), Context(true)));
  EXPECT_EQ(Registry::Query(RegistryRoot::CurrentUser, "Software\\Game", "N")->text, "2");
}

}  // namespace
