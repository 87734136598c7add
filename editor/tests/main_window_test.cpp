// The main window on a real configuration folder: every control filled from a
// configuration, the error lock, saving, Save As, leaving and the title-bar close.
#include "editor/main_window.h"
#include "config_store/scg_reader.h"
#include "config_store/scg_writer.h"
#include "editor/pages/sensitivity_page.h"
#include "editor/selection.h"
#include "editor/tests/editor_fixture.h"
#include "platform/file_system.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace editor;
using namespace editor_testing;
using namespace testing_support;
using platform::MsgResult;

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  frmMain& Load() {
    loaded_ = std::make_unique<LoadedWindow>(folder);
    return loaded_->window;
  }
  EditorFolder folder;
  Answers answers;

 private:
  std::unique_ptr<LoadedWindow> loaded_;
};

// What the table checks of a control.
std::string Show(QWidget* widget, const std::string& what) {
  if (what == "enabled") return widget->isEnabled() ? "yes" : "no";
  if (what == "visible") return widget->isHidden() ? "no" : "yes";  // shown when its page is
  if (what == "tip") return widget->toolTip().toStdString();
  if (what == "bold") return widget->font().bold() ? "yes" : "no";
  if (auto* box = qobject_cast<QComboBox*>(widget)) {
    if (what == "count") return std::to_string(box->count());
    return box->currentText().toStdString();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->isChecked() ? "on" : "off";
  if (auto* slider = qobject_cast<QSlider*>(widget)) return std::to_string(slider->value());
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
  if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) return text->toPlainText().toStdString();
  return "?";
}

// A written file without the time and date of its second line.
std::string WithoutStamp(std::string text) {
  auto at = text.find(" at ");
  return text.erase(at, text.find("\r\n", at) - at);
}

}  // namespace

TEST_F(MainWindowTest, EveryControlShowsTheConfiguration) {
  MakeFolders(folder / "crv");
  WriteFile(folder / "crv/precise.crv", "curve");
  folder.Add(
      "alpha.scg", "Alpha Game",
      {{"LEVEL=INTERMEDIATE", "LEVEL=EXPERT"},
       {"ORIENTATION=HORIZONTAL", "ORIENTATION=VERTICAL"},
       {"USE_MASTER_USER=TRUE", "USE_MASTER_USER=FALSE"},
       {"USE_CHORDING_USER=FALSE", "USE_CHORDING_USER=TRUE"},
       {"USE_PRECISION_USER=FALSE", "USE_PRECISION_USER=TRUE"},
       {"PRECISION_SENS_USER=3", "PRECISION_SENS_USER=2"},
       {"PRECISION_GAIN_USER=10", "PRECISION_GAIN_USER=40"},
       {"PRECISION_MODE_USER=PHYSICAL", "PRECISION_MODE_USER=LOGICAL"},
       {"PRECISION_BUTTON_USER=0", "PRECISION_BUTTON_USER=3"},
       {"AXIS_MAP_USER= { 0/1/2/3/4/5 }", "AXIS_MAP_USER= { 1/0/2/3/4/5 }"},
       {"POLARITY_USER= { +/+/+/+/+/+ }", "POLARITY_USER= { +/-/+/+/+/0 }"},
       {"GAIN_EXP_USER= { 065, 065, 065, 065, 065, 065, 065 }", "GAIN_EXP_USER= { 061, 062, 063, 064, 065, 066, 067 }"},
       {"SENS_EXP_USER= { 4/4/4/4/4/4/4 }", "SENS_EXP_USER= { 5/4/3/2/1/0/5 }"},
       {"BUTTON_6_USER=\"\", \"\", \"\"", "BUTTON_6_USER=\"\", \"+duck\", \"\""},
       {"CURVE_2_USER=\"\"", "CURVE_2_USER=\".\\crv\\precise.crv\""},
       {"CURVE_4_USER=\"\"", "CURVE_4_USER=\".\\crv\\missing.crv\""},
       {"DEADZONE_0_USER=2000", "DEADZONE_0_USER=2100"}});
  frmMain& w = Load();
  const std::string curve = folder.Path() + "/crv/precise.crv";
  struct Case {
    QWidget* control;
    std::string what;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {Ctl<QComboBox>(w, "cboGameList"), "text", "Alpha Game" + std::string(100, ' ')},
      {Ctl<QLabel>(w, "lblConfigVer"), "text", "2"},
      {Ctl<QLabel>(w, "lblChanges"), "visible", "no"},
      {Ctl<QLabel>(w, "lblError"), "visible", "no"},
      {Ctl<QPushButton>(w, "cmdSaveChanges"), "enabled", "no"},
      {Ctl<QPlainTextEdit>(w, "txtGameInstructions"), "text",
       "Half-Life\n\nTwist to look around, push and pull to walk.\nButton A fires, button B uses, button C jumps."},
      {Ctl<QCheckBox>(w, "chkModifyInstructions"), "enabled", "no"},  // the owner is not USER
      {Ctl<QRadioButton>(w, "optOrientation", 2), "checked", "on"},
      {Ctl<QLabel>(w, "imgSensitivity", 50), "visible", "yes"},
      {Ctl<QLabel>(w, "imgSensitivity", 0), "visible", "no"},
      {Ctl<QRadioButton>(w, "optSkill", 3), "checked", "on"},
      {Ctl<QRadioButton>(w, "optMasterSettings", 0), "checked", "on"},
      {Ctl<QSlider>(w, "sldSensitivity", 1), "value", "5"},
      {Ctl<QSlider>(w, "sldSensitivity", 3), "value", "3"},
      {Ctl<QSlider>(w, "sldGain", 3), "value", "63"},
      {Ctl<QSlider>(w, "sldGain", 7), "value", "67"},
      {Ctl<QSlider>(w, "sldGain", 7), "enabled", "no"},
      {Ctl<QSlider>(w, "sldGain", 1), "enabled", "yes"},
      {Ctl<QSlider>(w, "sldGain", 6), "enabled", "no"},  // the axis shows "(None)"
      {Ctl<QComboBox>(w, "cboAxis", 1), "text", "Move Back/Move Forward"},
      {Ctl<QComboBox>(w, "cboAxis", 2), "text", "Move Right/Move Left"},
      {Ctl<QComboBox>(w, "cboAxis", 1), "count", "7"},
      {Ctl<QComboBox>(w, "cboAxis", 6), "text", "(None)"},
      {Ctl<QComboBox>(w, "cboAxis", 6), "enabled", "yes"},  // to give the axis a motion
      {Ctl<QCheckBox>(w, "cbxInvertAxis", 1), "checked", "on"},
      {Ctl<QCheckBox>(w, "cbxInvertAxis", 2), "checked", "off"},
      {Ctl<QCheckBox>(w, "cbxInvertAxis", 6), "enabled", "no"},
      {Ctl<QLabel>(w, "lblSensitivity", 1), "text", "Move Back/Move Forward"},
      {Ctl<QLabel>(w, "lblSensitivity", 6), "text", "(None)"},
      {Ctl<QRadioButton>(w, "optChording", 1), "checked", "on"},
      {Ctl<QTabWidget>(w, "tabChording"), "visible", "yes"},
      {Ctl<QRadioButton>(w, "optPrecisionButton", 1), "checked", "on"},
      {Ctl<QComboBox>(w, "cboPrecisionButton"), "count", "22"},
      {Ctl<QComboBox>(w, "cboPrecisionButton"), "text", "Chord None + F"},
      {Ctl<QSlider>(w, "sldPrecisionSensitivity"), "value", "2"},
      {Ctl<QSlider>(w, "sldPrecisionGain"), "value", "40"},
      {Ctl<QSlider>(w, "sldNull"), "value", "8"},
      {Ctl<QComboBox>(w, "cboButton", 1), "text", "Fire"},
      {Ctl<QComboBox>(w, "cboButton", 6), "text", "Flashlight"},
      {Ctl<QComboBox>(w, "cboButton", 1), "count", "12"},
      {Ctl<QComboBox>(w, "cboButton", 1), "enabled", "no"},  // chording is on
      {Ctl<QComboBox>(w, "cboButtonChord", 1), "enabled", "yes"},
      {Ctl<QComboBox>(w, "cboButtonChord", 7), "text", "Duck"},
      {Ctl<QComboBox>(w, "cboButtonChord", 8), "text", "(Button defined in game)"},
      {Ctl<QComboBox>(w, "cboButtonAlias", 1), "text", "Left-Click"},
      {Ctl<QComboBox>(w, "cboButtonChordAlias", 9), "text", "(None)"},
      {Ctl<QComboBox>(w, "cboPosAxisCommand", 3), "text", "Jump"},
      {Ctl<QComboBox>(w, "cboButtonAxisPOSAlias", 3), "text", "SPACEBAR"},
      {Ctl<QComboBox>(w, "cboButtonAxisNEGAlias", 3), "text", "CONTROL"},
      {Ctl<QComboBox>(w, "cboPosAxisCommand", 3), "enabled", "yes"},
      {Ctl<QComboBox>(w, "cboPosAxisCommand", 4), "enabled", "no"},
      {Ctl<QComboBox>(w, "cboPosMouseXCommand"), "text", "Turn Right"},
      {Ctl<QComboBox>(w, "cboPosMouseXCommand"), "visible", "yes"},
      {Ctl<QComboBox>(w, "cboButtonMouseYNEGAlias"), "text", "Mouse Y"},
      {Ctl<QSlider>(w, "sldDeadzone", 1), "value", "2100"},
      {Ctl<QSlider>(w, "sldDeadzone", 5), "enabled", "yes"},  // the mouse X row
      {Ctl<QSlider>(w, "sldDeadzone", 6), "enabled", "no"},
      {Ctl<QRadioButton>(w, "optSensCurves", 3), "checked", "on"},
      {Ctl<QRadioButton>(w, "optSensCurves", 3), "bold", "yes"},
      {Ctl<QRadioButton>(w, "optSensCurves", 3), "tip", curve},
      {Ctl<QRadioButton>(w, "optSensCurves", 5), "bold", "no"},
      {Ctl<QRadioButton>(w, "optSensCurves", 5), "tip", "Default Curve"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Show(c.control, c.what), c.expected) << c.control->objectName().toStdString() << " " << c.what;
  EXPECT_TRUE(Ctl<QTabWidget>(w, "tabSensitivity")->isTabEnabled(2));
  EXPECT_EQ(w.Sensitivity().CurveSlot(), 3);
  EXPECT_EQ(w.Flags.ConfigModified, 0);
  EXPECT_TRUE(answers.boxes.empty()) << answers.Texts()[0];
}

TEST_F(MainWindowTest, AHalfReadConfigurationLocksTheWindowAndIsNeverSaved) {
  folder.Add("beta.scg", "Beta Game", {{"AXIS_MAP_DFLT= { 0/1/2/3/4/5 }", "AXIS_MAP_DFLT= { 0/1/2 }"}});
  const std::string broken = ReadFile(folder.Scg("beta.scg"));
  frmMain& w = Load();
  Select(Ctl<QComboBox>(w, "cboGameList"), 1);
  EXPECT_TRUE(w.Locked());
  EXPECT_EQ(Ctl<QLabel>(w, "lblError")->text().toStdString(),
            "Error Detected while reading SCG:  AXIS_MAP_DFLT= length error");
  EXPECT_TRUE(Ctl<QLabel>(w, "lblError")->isVisibleTo(&w));
  for (int row = 1; row <= 6; ++row) {
    EXPECT_FALSE(Ctl<QComboBox>(w, "cboAxis", row)->isEnabled());
    EXPECT_EQ(Ctl<QComboBox>(w, "cboButton", row)->count(), 0);
    EXPECT_EQ(Ctl<QLabel>(w, "lblSensitivity", row)->text(), QString());
  }
  for (QWidget* control :
       std::vector<QWidget*>{Ctl<QPushButton>(w, "cmdSaveChanges"), Ctl<QPushButton>(w, "cmdApplySettings"),
                             Ctl<QPushButton>(w, "cmdMotionReset"), Ctl<QSlider>(w, "sldNull")})
    EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
  EXPECT_FALSE(Menu<QAction>(w, "mSaveAs")->isEnabled());
  EXPECT_FALSE(Menu<QAction>(w, "mSaveSCG")->isEnabled());
  EXPECT_TRUE(Ctl<QComboBox>(w, "cboGameList")->isEnabled());

  // Even a Yes to the save question writes nothing of it.
  w.Flags.ConfigModified = 1;
  answers.replies = {MsgResult::Yes};
  w.cmdExit_Click();
  EXPECT_FALSE(w.Ended());
  EXPECT_EQ(ReadFile(folder.Scg("beta.scg")), broken);
  ASSERT_EQ(answers.boxes.size(), 2u);
  EXPECT_EQ(answers.boxes[1].text,
            "Configuration file " + folder.Scg("beta.scg") + " was not saved: it was not read completely.");

  // The next good game unlocks it again.
  answers.replies = {MsgResult::No};
  Select(Ctl<QComboBox>(w, "cboGameList"), 2);
  EXPECT_FALSE(w.Locked());
  EXPECT_FALSE(Ctl<QLabel>(w, "lblError")->isVisibleTo(&w));
  EXPECT_TRUE(Ctl<QComboBox>(w, "cboAxis", 1)->isEnabled());
  EXPECT_EQ(Ctl<QComboBox>(w, "cboButton", 1)->currentText().toStdString(), "Fire");
}

// A load that locks leaves nothing to save: after a Reload the player agreed
// would lose the edits, Exit and a game switch go on at once.
TEST(LockedReload, LeavesNothingPending) {
  for (const char* next : {"exit", "game switch"}) {
    SCOPED_TRACE(next);
    EditorFolder folder;
    Answers answers;
    LoadedWindow loaded(folder);
    frmMain& w = loaded.window;
    QTest::keyClick(Ctl<QSlider>(w, "sldNull"), Qt::Key_Right);
    ASSERT_EQ(w.Flags.ConfigModified, 1);
    // Broken outside the editor while it was being edited.
    WriteFile(folder.Scg("alpha.scg"), HalfLifeScg({{"AXIS_MAP_DFLT= { 0/1/2/3/4/5 }", "AXIS_MAP_DFLT= { 0/1 }"}}));
    const std::string broken = ReadFile(folder.Scg("alpha.scg"));
    answers.replies = {MsgResult::Yes};
    Ctl<QPushButton>(w, "cmdReload")->click();
    ASSERT_TRUE(w.Locked());
    EXPECT_EQ(w.Flags.ConfigModified, 0);
    EXPECT_FALSE(Ctl<QLabel>(w, "lblChanges")->isVisibleTo(&w));

    if (std::string(next) == "exit") {
      Ctl<QPushButton>(w, "cmdExit")->click();
      EXPECT_TRUE(w.Ended());
    } else {
      QTest::keyClick(Ctl<QComboBox>(w, "cboGameList"), Qt::Key_Down);
      EXPECT_EQ(w.GameConfig.APPLICATION_NAME, "Beta Game");
      EXPECT_FALSE(w.Locked());
    }
    EXPECT_EQ(answers.Texts().size(), 1u) << answers.Texts().back();  // the Reload question only
    EXPECT_EQ(ReadFile(folder.Scg("alpha.scg")), broken);
  }
}

// Every control's state as the player meets it: enabled, shown, and what it holds.
static std::map<std::string, std::string> ControlStates(const frmMain& w) {
  std::map<std::string, std::string> states;
  for (const auto& [name, members] : w.Controls().All())
    for (const auto& [index, widget] : members) {
      std::string state =
          std::string(widget->isEnabled() ? "enabled" : "disabled") + (widget->isHidden() ? " hidden" : "");
      if (auto* box = qobject_cast<QComboBox*>(widget))
        state += " " + std::to_string(box->count()) + " items, \"" + box->currentText().toStdString() + "\"";
      else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        state += button->isChecked() ? " checked" : "";
      else if (auto* slider = qobject_cast<QSlider*>(widget))
        state += " " + std::to_string(slider->value());
      else if (auto* label = qobject_cast<QLabel*>(widget))
        state += " \"" + label->text().toStdString() + "\"";
      else if (auto* tabs = qobject_cast<QTabWidget*>(widget))
        for (int tab = 0; tab < tabs->count(); ++tab)
          state += std::string(tab == tabs->currentIndex() ? " [" : " ") + (tabs->isTabEnabled(tab) ? "on" : "off") +
                   (tab == tabs->currentIndex() ? "]" : "");
      states[name + "(" + std::to_string(index) + ")"] = state;
    }
  for (QAction* action : {Menu<QAction>(w, "mSaveSCG"), Menu<QAction>(w, "mSaveAs"), Menu<QAction>(w, "mExport"),
                          Menu<QAction>(w, "mViewArray")})
    states[action->text().toStdString()] = action->isEnabled() ? "enabled" : "disabled";
  return states;
}

// What a player may edit does not depend on the game opened before.
TEST(LoadAfterALock, LeavesEveryControlAsAFreshStartDoes) {
  auto game = [](EditorFolder& folder, const std::string& current) {
    folder.Add("beta.scg", "Beta Game", {{"AXIS_MAP_DFLT= { 0/1/2/3/4/5 }", "AXIS_MAP_DFLT= { 0/1 }"}});
    // Axis 6 drives no motion and shows "(None)".
    folder.Add("gamma.scg", "Gamma Game", {{"POLARITY_USER= { +/+/+/+/+/+ }", "POLARITY_USER= { +/+/+/+/+/0 }"}});
    WriteFile(folder / "tunedeck.ini", "[Version]\r\nVersion=5.1\r\n[Games]\r\nCurrent=" + current + "\r\n");
  };
  Answers answers;
  EditorFolder freshFolder;
  game(freshFolder, "gamma.scg");
  LoadedWindow fresh(freshFolder);
  ASSERT_EQ(fresh.window.GameConfig.APPLICATION_NAME, "Gamma Game");
  ASSERT_EQ(Text(Ctl<QComboBox>(fresh.window, "cboAxis", 6)), "(None)");

  EditorFolder afterFolder;
  game(afterFolder, "beta.scg");
  LoadedWindow after(afterFolder);
  ASSERT_TRUE(after.window.Locked());
  QTest::keyClick(Ctl<QComboBox>(after.window, "cboGameList"), Qt::Key_Down);
  ASSERT_EQ(after.window.GameConfig.APPLICATION_NAME, "Gamma Game");

  const std::map<std::string, std::string> expected = ControlStates(fresh.window), actual = ControlStates(after.window);
  for (const auto& [control, state] : expected) EXPECT_EQ(actual.at(control), state) << control;
  EXPECT_TRUE(Ctl<QComboBox>(after.window, "cboAxis", 6)->isEnabled());
  EXPECT_TRUE(answers.boxes.empty()) << answers.Texts()[0];
}

TEST_F(MainWindowTest, SavingWritesTheCurrentFileAndClearsTheChanges) {
  frmMain& w = Load();
  Ctl<QPlainTextEdit>(w, "txtGameInstructions")->appendPlainText(QStringLiteral("Button D reloads."));
  EXPECT_EQ(w.Flags.ConfigModified, 1);
  EXPECT_TRUE(Ctl<QLabel>(w, "lblChanges")->isVisibleTo(&w));
  EXPECT_TRUE(Ctl<QPushButton>(w, "cmdSaveChanges")->isEnabled());
  EXPECT_TRUE(Menu<QAction>(w, "mSaveSCG")->isEnabled());
  Ctl<QPushButton>(w, "cmdSaveChanges")->click();
  EXPECT_NE(ReadFile(folder.Scg("alpha.scg")).find("   \"Button D reloads.\"\r\n   }"), std::string::npos);
  EXPECT_EQ(w.Flags.ConfigModified, 0);
  EXPECT_FALSE(Ctl<QPushButton>(w, "cmdSaveChanges")->isEnabled());
  EXPECT_TRUE(answers.boxes.empty());  // saved without a word

  Ctl<QPlainTextEdit>(w, "txtGameInstructions")->appendPlainText(QStringLiteral("Button E throws."));
  Menu<QAction>(w, "mSaveSCG")->trigger();
  EXPECT_NE(ReadFile(folder.Scg("alpha.scg")).find("\"Button E throws.\""), std::string::npos);
  EXPECT_EQ(answers.Texts(), std::vector<std::string>{"Save Changes: Configuration file saved."});
}

TEST_F(MainWindowTest, SaveAsAsksBeforeOverwritingAndKeepsEditingTheFileItHad) {
  frmMain& w = Load();
  const std::string beta = ReadFile(folder.Scg("beta.scg"));
  Ctl<QPlainTextEdit>(w, "txtGameInstructions")->appendPlainText(QStringLiteral("Copied."));

  // Onto an existing file: Cancel writes nothing.
  answers.files = {{folder.Scg("beta.scg"), "beta.scg"}};
  answers.replies = {MsgResult::Cancel};
  Menu<QAction>(w, "mSaveAs")->trigger();
  EXPECT_EQ(ReadFile(folder.Scg("beta.scg")), beta);
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].title, "File Exists");
  EXPECT_EQ(answers.boxes[0].text, "Ryx Configuration file beta.scg already exists.  Would you like to overwrite it?");
  EXPECT_EQ(answers.boxes[0].buttons, platform::MsgButtons::YesNoCancel);
  ASSERT_EQ(answers.dialogs.size(), 1u);
  EXPECT_TRUE(answers.dialogs[0].save);
  EXPECT_EQ(answers.dialogs[0].filter, "Ryx Configuration Files (*.scg)|*.scg|All Files (*.*)|*.*");
  EXPECT_EQ(answers.dialogs[0].initialFolder, folder.Path() + "/scg/");

  // No shows the dialog again; a name without extension is saved as typed.
  answers.files = {{folder.Scg("beta.scg"), "beta.scg"}, {folder.Scg("copy"), "copy"}};
  answers.replies = {MsgResult::No};
  Menu<QAction>(w, "mSaveAs")->trigger();
  EXPECT_EQ(answers.dialogs.size(), 3u);
  EXPECT_EQ(ReadFile(folder.Scg("beta.scg")), beta);
  EXPECT_NE(ReadFile(folder.Scg("copy")).find("\"Copied.\""), std::string::npos);
  EXPECT_FALSE(platform::FileExists(folder.Scg("copy.scg")));

  // Yes overwrites; the editor goes on with the file it had.
  answers.files = {{folder.Scg("beta.scg"), "beta.scg"}};
  answers.replies = {MsgResult::Yes};
  Menu<QAction>(w, "mSaveAs")->trigger();
  EXPECT_NE(ReadFile(folder.Scg("beta.scg")).find("\"Copied.\""), std::string::npos);
  EXPECT_EQ(w.Flags.CurrentConfigFile, folder.Scg("alpha.scg"));
  Ctl<QPlainTextEdit>(w, "txtGameInstructions")->appendPlainText(QStringLiteral("Own."));
  w.cmdSaveChanges_Click();
  EXPECT_NE(ReadFile(folder.Scg("alpha.scg")).find("\"Own.\""), std::string::npos);
  EXPECT_EQ(ReadFile(folder.Scg("beta.scg")).find("\"Own.\""), std::string::npos);
}

TEST_F(MainWindowTest, AFailedSaveSaysWhyAndKeepsTheChanges) {
  frmMain& w = Load();
  Ctl<QPlainTextEdit>(w, "txtGameInstructions")->appendPlainText(QStringLiteral("Kept."));
  const std::string target = folder / "no-such-folder/x.scg";
  answers.files = {{target, "x.scg"}};
  Menu<QAction>(w, "mSaveAs")->trigger();
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].icon, platform::MsgIcon::Critical);
  EXPECT_EQ(answers.boxes[0].text.rfind("Configuration file " + target + " was not saved: ", 0), 0u)
      << answers.boxes[0].text;
  EXPECT_EQ(w.Flags.ConfigModified, 1);
  EXPECT_TRUE(Ctl<QLabel>(w, "lblChanges")->isVisibleTo(&w));
  EXPECT_FALSE(platform::FileExists(target));
}

TEST_F(MainWindowTest, AReadOnlyFileIsNotReplacedAndTheChangesStay) {
  frmMain& w = Load();
  const std::string before = ReadFile(folder.Scg("alpha.scg"));
  std::filesystem::permissions(folder.Scg("alpha.scg"), std::filesystem::perms::owner_read);
  QTest::keyClick(Ctl<QSlider>(w, "sldNull"), Qt::Key_Right);
  Ctl<QPushButton>(w, "cmdSaveChanges")->click();
  EXPECT_EQ(answers.Texts(), std::vector<std::string>{"Save Changes: Configuration file " + folder.Scg("alpha.scg") +
                                                      " was not saved: the file is read-only"});
  EXPECT_EQ(ReadFile(folder.Scg("alpha.scg")), before);
  EXPECT_EQ(w.Flags.ConfigModified, 1);
  EXPECT_TRUE(Ctl<QLabel>(w, "lblChanges")->isVisibleTo(&w));
}

TEST_F(MainWindowTest, ChoosingAnotherGameAsksToSaveTheChangesOfTheOneBefore) {
  frmMain& w = Load();
  const std::string alpha = ReadFile(folder.Scg("alpha.scg"));
  Ctl<QPlainTextEdit>(w, "txtGameInstructions")->appendPlainText(QStringLiteral("Edited."));

  answers.replies = {MsgResult::Cancel};
  Select(Ctl<QComboBox>(w, "cboGameList"), 1);
  EXPECT_EQ(w.GameConfig.APPLICATION_NAME, "Alpha Game");  // the edits stay, the list shows the pick
  EXPECT_EQ(w.Flags.ConfigModified, 1);
  EXPECT_EQ(answers.Texts(),
            std::vector<std::string>{
                "Save Changes: This configuration has been modified.\r\nWould you like to save your changes?"});

  answers.replies = {MsgResult::Yes};
  Select(Ctl<QComboBox>(w, "cboGameList"), 2);
  EXPECT_EQ(w.GameConfig.APPLICATION_NAME, "Gamma Game");
  EXPECT_NE(ReadFile(folder.Scg("alpha.scg")).find("\"Edited.\""), std::string::npos);
  EXPECT_EQ(w.Flags.ConfigModified, 0);

  // Without changes nothing is asked.
  Select(Ctl<QComboBox>(w, "cboGameList"), 0);
  EXPECT_EQ(answers.boxes.size(), 2u);
  EXPECT_EQ(w.GameConfig.APPLICATION_NAME, "Alpha Game");
  EXPECT_NE(alpha, ReadFile(folder.Scg("alpha.scg")));
}

TEST_F(MainWindowTest, ExitAndTheTitleBarCloseAskTheSameQuestion) {
  struct Case {
    bool titleBar;
    std::vector<MsgResult> replies;
    bool ended;
    bool saved;
  };
  for (const Case& c : std::vector<Case>{{false, {MsgResult::Cancel}, false, false},
                                         {false, {MsgResult::No}, true, false},
                                         {false, {MsgResult::Yes}, true, true},
                                         {true, {MsgResult::Cancel}, false, false},
                                         {true, {MsgResult::No}, true, false},
                                         {true, {MsgResult::Yes}, true, true}}) {
    EditorFolder caseFolder;
    LoadedWindow loaded(caseFolder);
    frmMain& w = loaded.window;
    Ctl<QPlainTextEdit>(w, "txtGameInstructions")->appendPlainText(QStringLiteral("Unsaved."));
    answers.boxes.clear();
    answers.replies = {c.replies.begin(), c.replies.end()};
    if (c.titleBar)
      w.close();
    else
      Ctl<QPushButton>(w, "cmdExit")->click();
    std::string label = std::string(c.titleBar ? "close " : "exit ") + std::to_string(static_cast<int>(c.replies[0]));
    EXPECT_EQ(answers.boxes.size(), 1u) << label;
    EXPECT_EQ(w.Ended(), c.ended) << label;
    EXPECT_EQ(w.isVisible(), !c.ended) << label;
    EXPECT_EQ(ReadFile(caseFolder.Scg("alpha.scg")).find("\"Unsaved.\"") != std::string::npos, c.saved) << label;
  }
  // Without changes the window goes at once.
  answers.boxes.clear();
  frmMain& w = Load();
  Menu<QAction>(w, "mExit")->trigger();
  EXPECT_TRUE(w.Ended());
  EXPECT_TRUE(answers.boxes.empty());
}

TEST_F(MainWindowTest, MenusAsTheyStandInANormalRun) {
  frmMain& w = Load();
  EXPECT_FALSE(Menu<QAction>(w, "mViewArray")->isVisible());
  EXPECT_FALSE(Menu<QMenu>(w, "mGames")->menuAction()->isVisible());
  std::vector<std::string> popup;
  for (QAction* action : Menu<QMenu>(w, "mPopupSys")->actions())
    popup.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  EXPECT_EQ(popup, (std::vector<std::string>{"About...", "&Restore", "-", "&Exit"}));
  // The notification-area callback: a right-button release opens the popup menu.
  w.Form_MouseMove(0, 0, 512, 0);
  EXPECT_FALSE(Menu<QMenu>(w, "mPopupSys")->isVisible());
  w.Form_MouseMove(0, 0, 517, 0);
  EXPECT_TRUE(Menu<QMenu>(w, "mPopupSys")->isVisible());
  Menu<QMenu>(w, "mPopupSys")->hide();
  w.mGames_Click();
  EXPECT_EQ(answers.Texts(), std::vector<std::string>{"Heliryx 360 Customizer: game menu..."});
}

TEST_F(MainWindowTest, TheLoadWatchesTheMouseOverEveryBindingList) {
  frmMain& w = Load();
  EXPECT_EQ(w.ComboHooks().size(), 82u);
  struct Case {
    std::string member;
    QComboBox* box;
  };
  for (const Case& c : std::vector<Case>{{"mcboAxis1", Ctl<QComboBox>(w, "cboAxis", 1)},
                                         {"mcboButtonChord16", Ctl<QComboBox>(w, "cboButtonChord", 16)},
                                         {"mcboButtonAxisNEGAlias6", Ctl<QComboBox>(w, "cboButtonAxisNEGAlias", 6)},
                                         {"mcboPosMouseXCommand", Ctl<QComboBox>(w, "cboPosMouseXCommand")},
                                         {"mcboButtonMouseYNEGAlias", Ctl<QComboBox>(w, "cboButtonMouseYNEGAlias")}}) {
    ASSERT_TRUE(w.ComboHooks().count(c.member)) << c.member;
    EXPECT_EQ(w.ComboHooks().at(c.member)->HookedCombo(), c.box) << c.member;
  }
  std::vector<float> moves;
  QObject::connect(w.ComboHooks().at("mcboAxis3").get(), &clsComboMouse::MouseMove,
                   [&](short, short, float x, float) { moves.push_back(x); });
  Ctl<QTabWidget>(w, "tabSensitivity")->setCurrentIndex(1);
  QTest::mouseMove(Ctl<QComboBox>(w, "cboAxis", 3), QPoint(12, 5));
  EXPECT_EQ(moves, std::vector<float>{12});
}

TEST_F(MainWindowTest, ReloadAsksOnlyWhenThereAreChangesAndReadsTheGameTheListShows) {
  frmMain& w = Load();
  Ctl<QPlainTextEdit>(w, "txtGameInstructions")->appendPlainText(QStringLiteral("Edited."));
  answers.replies = {MsgResult::Cancel, MsgResult::No};
  Select(Ctl<QComboBox>(w, "cboGameList"), 1);  // cancelled: the list shows Beta, the editor keeps Alpha
  Ctl<QPushButton>(w, "cmdReload")->click();
  EXPECT_EQ(w.GameConfig.APPLICATION_NAME, "Alpha Game");
  EXPECT_EQ(w.Flags.ConfigModified, 1);
  ASSERT_EQ(answers.boxes.size(), 2u);
  EXPECT_EQ(answers.boxes[1].title, "Reload");
  EXPECT_EQ(answers.boxes[1].text,
            "This configuration has been modified. If you reload, your\r\n"
            "changes will be lost.   Would you still like to continue?");
  EXPECT_EQ(answers.boxes[1].buttons, platform::MsgButtons::YesNo);

  answers.replies = {MsgResult::Yes};
  Ctl<QPushButton>(w, "cmdReload")->click();
  EXPECT_EQ(w.GameConfig.APPLICATION_NAME, "Beta Game");
  EXPECT_EQ(w.Flags.ConfigModified, 0);
  EXPECT_FALSE(Ctl<QLabel>(w, "lblChanges")->isVisibleTo(&w));
  Ctl<QPushButton>(w, "cmdReload")->click();
  EXPECT_EQ(answers.boxes.size(), 3u);
}

TEST_F(MainWindowTest, ASaveWithoutEditsWritesWhatTheStoreWritesWithoutAWindow) {
  config_store::ConfigSession session;
  session.ProgramFolder = folder.Path();
  ASSERT_TRUE(config_store::ReadSCG(folder.Scg("alpha.scg"), false, session).Loaded());
  config_store::SaveContext context;
  context.ProgramFolder = folder.Path();
  const std::string expected =
      config_store::BuildScgText(session.GameConfig, session.Lists, session.Instructions, context);

  frmMain& w = Load();
  w.cmdSaveChanges_Click();
  EXPECT_EQ(WithoutStamp(ReadFile(folder.Scg("alpha.scg"))), WithoutStamp(expected));
  EXPECT_EQ(w.Flags.ConfigModified, 0);
  EXPECT_TRUE(answers.boxes.empty());
}

// Every binding a shipped configuration holds is shown by its list (not the
// lists' "nothing" items), and saving it unedited gives back the same file.
TEST(ShippedConfigurations, ShowEveryBindingAndSaveUnchanged) {
  struct Shipped {
    std::string file;
    std::string game;
  };
  const std::vector<Shipped> shipped = {
      {"halflife.scg", "Half-Life"}, {"quake3.scg", "Quake III Arena"}, {"unreal_tournament.scg", "Unreal Tournament"}};
  for (const Shipped& s : shipped) {
    SCOPED_TRACE(s.file);
    EditorFolder folder;
    Answers answers;
    const std::string original = ReadFile(std::string(HELIRYX_SOURCE_DIR) + "/install/scg/" + s.file);
    WriteFile(folder.Scg(s.file), original);
    MakeFolders(folder / "crv");  // the curves the configurations name, as installed
    for (const auto& curve : std::filesystem::directory_iterator(std::string(HELIRYX_SOURCE_DIR) + "/install/crv"))
      WriteFile(folder / ("crv/" + curve.path().filename().string()), ReadFile(curve.path().string()));
    LoadedWindow loaded(folder);
    frmMain& w = loaded.window;
    const int index = Ctl<QComboBox>(w, "cboGameList")->findText(QString::fromStdString(s.game), Qt::MatchStartsWith);
    ASSERT_GE(index, 0);
    Select(Ctl<QComboBox>(w, "cboGameList"), index);
    ASSERT_EQ(w.GameConfig.APPLICATION_NAME, s.game);

    // The text each list must show for a stored value: the list name of its entry.
    auto command = [&](const std::string& stored) {
      for (const auto& entry : w.Lists.GameCommands)
        if (!entry.GameCommand.empty() && entry.GameCommand == stored) return entry.ListName;
      return "no command " + stored;
    };
    auto alias = [&](const std::string& stored) {
      for (const auto& entry : w.Lists.CustomAliases)
        if (entry.GameInput == stored) return entry.ListName;
      return "no alias " + stored;
    };
    int bindings = 0;
    auto expectShown = [&](QComboBox* list, const std::string& stored, auto listName) {
      if (stored.empty()) return;
      ++bindings;
      EXPECT_EQ(list->currentText().toStdString(), listName(stored)) << list->objectName().toStdString();
    };
    for (int i = 1; i <= 16; ++i) {
      const auto& slot = w.GameConfig.ButtonSlot(i);
      expectShown(Ctl<QComboBox>(w, "cboButtonChord", i), slot.GameCommand.USER, command);
      expectShown(Ctl<QComboBox>(w, "cboButtonChordAlias", i), slot.GameInput.USER, alias);
      if (i > 6) continue;
      expectShown(Ctl<QComboBox>(w, "cboButton", i), slot.GameCommand.USER, command);
      expectShown(Ctl<QComboBox>(w, "cboButtonAlias", i), slot.GameInput.USER, alias);
      const auto& pos = w.GameConfig.MotionAlias.MotionPos(i);
      const auto& neg = w.GameConfig.MotionAlias.MotionNeg(i);
      expectShown(Ctl<QComboBox>(w, "cboPosAxisCommand", i), pos.GameCommand.USER, command);
      expectShown(Ctl<QComboBox>(w, "cboButtonAxisPOSAlias", i), pos.GameInput.USER, alias);
      expectShown(Ctl<QComboBox>(w, "cboNegAxisCommand", i), neg.GameCommand.USER, command);
      expectShown(Ctl<QComboBox>(w, "cboButtonAxisNEGAlias", i), neg.GameInput.USER, alias);
    }
    EXPECT_GT(bindings, 0);

    w.cmdSaveChanges_Click();
    EXPECT_EQ(WithoutStamp(ReadFile(folder.Scg(s.file))), WithoutStamp(original));
    EXPECT_TRUE(answers.boxes.empty()) << answers.Texts()[0];
  }
}
