#include "monitor/game_exit/exit_step.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "testing/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using game_exit::GameExitOutcome;
using testing_support::MakeFolders;
using testing_support::ReadFile;
using testing_support::WriteFile;

struct Scg {
  std::string name = "foo.scg";
  std::string appName = "Foo Arena";
  std::string revision = "3";
  std::string copyFlag = "TRUE";
  std::string customFlag = "TRUE";
  std::vector<std::string> copyRows;  // lines as they stand
  std::vector<std::string> customRows;
};

std::string Quoted(const std::vector<std::string>& fields) {
  std::string row = "   ";
  for (size_t i = 0; i < fields.size(); ++i) row += (i ? "\\, \"" : "\"") + fields[i] + "\"";
  return row;
}

// The configuration file's text, laid out as the editor writes it (the parts the step reads).
std::string ScgText(const Scg& scg) {
  std::string t =
      ";\r\n;  This file was created by tunedeck.\r\n;\r\n\r\n[VERSION]\r\nVERSION=6.1\r\n"
      "APPLICATION_NUMBER=5.1\r\nFILE_REVISION_NUMBER=" +
      scg.revision +
      "\r\n\r\n"
      "[IDENTIFICATION]\r\nAPPLICATION_NAME=\"" +
      scg.appName +
      "\"\r\n\r\n"
      "[CONFIGURATION]\r\nHIDE_FILE=FALSE\r\nEXECUTABLE=\"foo.exe\"\r\nCOPY_FILES=" +
      scg.copyFlag + "\r\n   {\r\n";
  for (const std::string& row : scg.copyRows) t += row + "\r\n";
  t += "   }\r\n\r\nCOMMAND_LINE=\"\"\r\nCUSTOM=" + scg.customFlag + "\r\n   {\r\n";
  for (const std::string& row : scg.customRows) t += row + "\r\n";
  t += "   }\r\n\r\nSHOW_INSTRUCTIONS=FALSE\r\n   {\r\n   }\r\n\r\n[TUNING]\r\nCUSTOM_ALIAS=FALSE\r\n   {\r\n   }\r\n";
  return t;
}

// The fixture is the monitor's window too: it records what the step shows.
class ExitStep : public ::testing::Test, public monitor::MonitorWindow, public game_exit::Driver {
 protected:
  ExitStep() {
    MakeFolders(program_ + "/scg");
    MakeFolders(game_);
    WriteFile(program_ + "/games/keys.cfg", "bind mouse1 +attack\r\n");
    platform::SetMsgBoxHandler([this](const platform::MsgBoxRequest& request) {
      boxes_.push_back(request);
      return platform::MsgResult::Ok;
    });
    // The usual configuration: a copy, a row once per revision, an ALWAYS row,
    // and an INI row filled from the bindings.
    scg_.copyRows = {"   \"keys.cfg\", \".\\cfg\\keys.cfg\""};
    scg_.customRows = {Quoted({".\\config.cfg", "APPEND", "once"}),
                       Quoted({".\\always.cfg", "APPEND", "each", "ALWAYS"}),
                       Quoted({"settings.ini", "INI", "Input", "Fire", "^03x"})};
    bindings_.ButtonAlias[3] = {"MOUSE1", "+attack", "VM_LBUTTON"};
  }
  ~ExitStep() override { platform::SetMsgBoxHandler({}); }

  GameExitOutcome Exit(const Scg& scg) {
    WriteFile(program_ + "/scg/" + scg.name, ScgText(scg));
    return ExitOnly(scg.name, scg.appName);
  }
  // The step for a configuration file as it stands (or is missing).
  GameExitOutcome ExitOnly(const std::string& scgName, const std::string& appName = "Foo Arena") {
    monitor::ActiveGame game;
    game.ActiveScgFile = program_ + "/scg/" + scgName;
    game.ActiveAppName = appName;
    game.ActiveExeName = "foo.exe";
    game.ActiveExeFolder = game_;
    game_exit::GameExitState state{program_, game, bindings_};
    state.DebugMode = debug_;
    return game_exit::WriteStuff(state, *this, *this);
  }
  void ResetRyxDefaults() override { calls_ += "defaults "; }
  void Line(const std::string& line) override { log_.push_back(line); }
  void SelectLastLine() override { calls_ += "last "; }
  void SelectLineBeforeLast() override { ++selections_; }
  void SetTip(const std::string& tip) override { calls_ += tip == "Heliryx 360 Monitor" ? "tip " : "other tip "; }
  void Fatal([[maybe_unused]] const std::string& text) override { calls_ += "fatal "; }
  std::string TimeText() override { return timeText_; }
  std::string Game(const std::string& name) const { return game_ + "/" + name; }
  std::string Marker() const { return ReadFile(Game("heliryx.360")); }
  static std::string MarkerText(const std::string& scg, const std::string& revision) {
    return "[Heliryx 360]\r\nVersion=5.1\r\n[Games]\r\nSCG=" + scg + "\r\nRevision=" + revision + "\r\n";
  }
  // Empties the files the rows wrote, so the next exit shows which rows ran.
  void ClearGameFiles() {
    for (const char* name : {"cfg/keys.cfg", "config.cfg", "always.cfg", "settings.ini"}) WriteFile(Game(name), "");
  }

  testing_support::TempFolder tmp_;
  std::string program_ = tmp_ / "program";
  std::string game_ = tmp_ / "Games/Foo";
  Scg scg_;
  game_exit::GameBindings bindings_;
  bool debug_ = false;
  std::string timeText_ = "12:00:00";
  std::vector<std::string> log_;
  std::string calls_;
  int selections_ = 0;
  std::vector<platform::MsgBoxRequest> boxes_;
};

TEST_F(ExitStep, WithoutCopiesOrCustomOnlyTheDriverIsReset) {
  scg_.copyFlag = "FALSE";
  scg_.customFlag = "false";
  WriteFile(Game("heliryx.360"), "stale");
  Exit(scg_);
  EXPECT_EQ(calls_, "tip defaults ");
  EXPECT_EQ(platform::ListFiles(game_), std::vector<std::string>{"heliryx.360"});
  EXPECT_EQ(Marker(), "stale");
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(log_.empty());
}

TEST_F(ExitStep, FirstExitAppliesEverythingAndSaysSoOnce) {
  GameExitOutcome outcome = Exit(scg_);
  EXPECT_FALSE(outcome.AlreadyConfigured);
  EXPECT_TRUE(outcome.MarkerWritten);
  EXPECT_EQ(calls_, "tip defaults ");
  EXPECT_EQ(ReadFile(Game("cfg/keys.cfg")), "bind mouse1 +attack\r\n");
  EXPECT_EQ(ReadFile(Game("config.cfg")), "once\r\n");
  EXPECT_EQ(ReadFile(Game("always.cfg")), "each\r\n");
  EXPECT_EQ(ReadFile(Game("settings.ini")), "[Input]\r\nFire=+attack\r\n");
  EXPECT_EQ(Marker(), MarkerText("foo.scg", "3"));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Foo Arena has been configured for use with the Heliryx 360.");
  EXPECT_EQ(boxes_[0].title, "Heliryx 360");
  EXPECT_EQ(boxes_[0].buttons, platform::MsgButtons::Ok);
  EXPECT_EQ(boxes_[0].icon, platform::MsgIcon::None);
  EXPECT_TRUE(log_.empty());
}

TEST_F(ExitStep, LaterExitsCopyAgainAndRunOnlyAlwaysRows) {
  Exit(scg_);
  ClearGameFiles();
  GameExitOutcome outcome = Exit(scg_);
  EXPECT_TRUE(outcome.AlreadyConfigured);
  EXPECT_FALSE(outcome.MarkerWritten);
  EXPECT_EQ(ReadFile(Game("cfg/keys.cfg")), "bind mouse1 +attack\r\n");
  EXPECT_EQ(ReadFile(Game("config.cfg")), "");
  EXPECT_EQ(ReadFile(Game("always.cfg")), "each\r\n");
  EXPECT_EQ(ReadFile(Game("settings.ini")), "");
  EXPECT_EQ(Marker(), MarkerText("foo.scg", "3"));
  EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(ExitStep, NewerRevisionAppliesEverythingAgain) {
  struct Case {
    std::string applied, now;
    bool again;
  };
  const Case cases[] = {
      {"3", "4", true},
      {"9", "10", true},  // whole numbers compare as numbers
      {"4", "3", false},  // a lowered revision still counts as applied
      {"3", "3", false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(game_);
    MakeFolders(game_);
    boxes_.clear();
    scg_.revision = c.applied;
    Exit(scg_);
    ClearGameFiles();
    scg_.revision = c.now;
    Exit(scg_);
    EXPECT_EQ(ReadFile(Game("config.cfg")), c.again ? "once\r\n" : "") << c.applied << " -> " << c.now;
    EXPECT_EQ(Marker(), MarkerText("foo.scg", c.again ? c.now : c.applied)) << c.applied << " -> " << c.now;
    EXPECT_EQ(boxes_.size(), c.again ? 2u : 1u) << c.applied << " -> " << c.now;
  }
}

TEST_F(ExitStep, FailingRowKeepsEarlierChangesAndWritesNoMarker) {
  WriteFile(Game("locked.cfg"), "a=1\r\n");
  ::chmod(Game("locked.cfg").c_str(), 0444);
  scg_.customRows = {Quoted({"first.cfg", "APPEND", "first"}), Quoted({"locked.cfg", "MODIFY", "a=", "a=2"}),
                     Quoted({"third.cfg", "APPEND", "third"})};
  GameExitOutcome outcome = Exit(scg_);
  EXPECT_EQ(outcome.CustomError, 888);
  EXPECT_EQ(ReadFile(Game("first.cfg")), "first\r\n");
  EXPECT_FALSE(platform::FileExists(Game("third.cfg")));
  EXPECT_FALSE(platform::FileExists(Game("heliryx.360")));
  EXPECT_EQ(log_, (std::vector<std::string>{"Error 13 modifying a=", "Copy/Custom section error 888"}));
  EXPECT_TRUE(boxes_.empty());

  // Mended, the next exit runs the block again from the top.
  ::chmod(Game("locked.cfg").c_str(), 0644);
  Exit(scg_);
  EXPECT_EQ(ReadFile(Game("first.cfg")), "first\r\n");
  EXPECT_EQ(ReadFile(Game("locked.cfg")), "a=2\r\n");
  EXPECT_EQ(ReadFile(Game("third.cfg")), "third\r\n");
  EXPECT_EQ(Marker(), MarkerText("foo.scg", "3"));
}

TEST_F(ExitStep, TwoConfigurationsInOneFolderEachApplyTheirRowsInTurn) {
  Scg bar = scg_;
  bar.name = "bar.scg";
  bar.appName = "Bar Rally";
  bar.customRows = {Quoted({"bar.cfg", "APPEND", "bar"})};
  Exit(scg_);
  EXPECT_EQ(Marker(), MarkerText("foo.scg", "3"));
  Exit(bar);
  EXPECT_EQ(Marker(), MarkerText("bar.scg", "3"));
  ClearGameFiles();
  Exit(scg_);
  EXPECT_EQ(ReadFile(Game("config.cfg")), "once\r\n");
  EXPECT_EQ(Marker(), MarkerText("foo.scg", "3"));
  ASSERT_EQ(boxes_.size(), 3u);
  EXPECT_EQ(boxes_[1].text, "Bar Rally has been configured for use with the Heliryx 360.");
}

TEST_F(ExitStep, FailedCopySkipsCustomAndMarker) {
  scg_.copyRows = {"   \"missing.cfg\", \"x.cfg\""};
  Exit(scg_);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text.rfind("Could not copy file: ", 0), 0u);
  EXPECT_FALSE(platform::FileExists(Game("config.cfg")));
  EXPECT_FALSE(platform::FileExists(Game("heliryx.360")));
}

TEST_F(ExitStep, EmptyCopyBlockCopiesNothingAndGoesOn) {
  scg_.copyRows = {};
  Exit(scg_);
  EXPECT_EQ(ReadFile(Game("config.cfg")), "once\r\n");
  EXPECT_EQ(Marker(), MarkerText("foo.scg", "3"));
}

TEST_F(ExitStep, IncompleteCustomBlockWritesNoMarker) {
  scg_.customRows = {Quoted({"a.cfg", "APPEND", "a"}), "", Quoted({"b.cfg", "APPEND", "b"})};
  Exit(scg_);
  EXPECT_TRUE(platform::FileExists(Game("a.cfg")));
  EXPECT_FALSE(platform::FileExists(Game("b.cfg")));
  EXPECT_FALSE(platform::FileExists(Game("heliryx.360")));
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ExitStep, ConfigurationGoneAtExitIsLoggedAndNothingWritten) {
  ExitOnly("gone.scg");
  EXPECT_EQ(calls_, "tip defaults ");
  EXPECT_EQ(log_, std::vector<std::string>{"Configuration file not found at game exit: " + program_ + "/scg/gone.scg"});
  EXPECT_TRUE(platform::ListFiles(game_).empty());
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ExitStep, GameFolderGoneIsNotBroughtBack) {
  std::filesystem::remove_all(game_);
  Exit(scg_);
  EXPECT_FALSE(platform::FolderExists(game_));
  EXPECT_EQ(log_, std::vector<std::string>{"Game folder not found at game exit: " + game_});
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ExitStep, MarkerInAnotherLetterCaseIsTheMarker) {
  Exit(scg_);
  std::filesystem::rename(Game("heliryx.360"), Game("HELIRYX.360"));
  ClearGameFiles();
  EXPECT_TRUE(Exit(scg_).AlreadyConfigured);
  EXPECT_EQ(ReadFile(Game("config.cfg")), "");
  EXPECT_FALSE(platform::FileExists(Game("heliryx.360")));
}

TEST_F(ExitStep, DebugModeLogsTheStopAndSelectsIt) {
  debug_ = true;
  scg_.copyRows = {};
  scg_.customRows = {Quoted({"a.cfg", "APPEND", "a"})};
  Exit(scg_);
  ASSERT_EQ(log_.size(), 4u);
  EXPECT_EQ(log_[0], "Stopped watching: foo.exe at 12:00:00");
  EXPECT_EQ(selections_, 2);
  timeText_ = "12:34:56";
  log_.clear();
  Exit(scg_);
  EXPECT_EQ(log_.front(), "Stopped watching: foo.exe at 12:34:56");
  EXPECT_EQ(log_[1], "");
  EXPECT_EQ(log_[2], "a.cfg, APPEND, a, ");
  EXPECT_EQ(log_[3], "");
}

TEST_F(ExitStep, NumericFlagCountsAsOnButOnlyTrueRunsItsPart) {
  scg_.copyFlag = "1";
  Exit(scg_);
  EXPECT_FALSE(platform::FileExists(Game("cfg/keys.cfg")));
  EXPECT_EQ(ReadFile(Game("config.cfg")), "once\r\n");
}

}  // namespace
