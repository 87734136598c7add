// The three "Reset to Default" buttons: each page goes back to the file's
// defaults through the same handlers a player's choices run, and the save
// writes exactly the USER keys that differed from their defaults.
#include "editor/main_window.h"
#include "editor/selection.h"
#include "editor/tests/editor_fixture.h"
#include "editor/tests/saved_keys.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace editor;
using namespace editor_testing;
using namespace testing_support;
using platform::MsgResult;
using Keys = EditedGameTest::Keys;
using Replacements = EditedGameTest::Replacements;

namespace {

void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); }

using ResetsTest = EditedGameTest;

const std::string kNoBinding = "\"\", \"\", \"\"";

}  // namespace

TEST_F(ResetsTest, EachResetRestoresItsPageFromTheDefaults) {
  MakeFolders(folder / "crv");
  WriteFile(folder / "crv/mine.crv", "curve");
  WriteFile(folder / "crv/shipped.crv", "curve");
  struct Case {
    const char* name;
    Replacements file;
    const char* button;
    Keys saved;
  } cases[] = {
      {"axes, orientation, chording, precision and buttons",
       {{"AXIS_MAP_USER= { 0/1/2/3/4/5 }", "AXIS_MAP_USER= { 1/0/2/3/4/5 }"},
        {"POLARITY_USER= { +/+/+/+/+/+ }", "POLARITY_USER= { +/-/+/+/+/0 }"},
        {"USE_CHORDING_USER=FALSE", "USE_CHORDING_USER=TRUE"},
        {"USE_PRECISION_USER=FALSE", "USE_PRECISION_USER=TRUE"},
        {"PRECISION_SENS_DFLT=3", "PRECISION_SENS_DFLT=10"},
        {"PRECISION_SENS_USER=3", "PRECISION_SENS_USER=2"},
        {"PRECISION_GAIN_USER=10", "PRECISION_GAIN_USER=40"},
        {"PRECISION_MODE_USER=PHYSICAL", "PRECISION_MODE_USER=LOGICAL"},
        {"PRECISION_BUTTON_USER=0", "PRECISION_BUTTON_USER=3"},
        {"BUTTON_0_USER=\"MOUSE1\", \"+attack\", \"VM_LEFTDOWN\"", "BUTTON_0_USER=\"E\", \"+use\", \"VK_E\""},
        {"BUTTON_6_USER=\"\", \"\", \"\"", "BUTTON_6_USER=\"\", \"+duck\", \"\""}},
       "cmdMotionReset",
       // A precision sensitivity missing from the defaults (read as 10) becomes 3, as a load makes it.
       {{"AXIS_MAP_USER", " { 0/1/2/3/4/5 }"},
        {"POLARITY_USER", " { +/+/+/+/+/+ }"},
        {"USE_CHORDING_USER", "FALSE"},
        {"USE_PRECISION_USER", "FALSE"},
        {"PRECISION_SENS_USER", "3"},
        {"PRECISION_GAIN_USER", "10"},
        {"PRECISION_MODE_USER", "PHYSICAL"},
        {"PRECISION_BUTTON_USER", "0"},
        {"BUTTON_0_USER", "\"MOUSE1\", \"+attack\", \"VM_LEFTDOWN\""},
        {"BUTTON_6_USER", kNoBinding}}},
      // The default chord button is counted from the default's own mode.
      {"a chord as the default precision button",
       {{"USE_CHORDING_DFLT=FALSE", "USE_CHORDING_DFLT=TRUE"},
        {"USE_PRECISION_DFLT=FALSE", "USE_PRECISION_DFLT=TRUE"},
        {"USE_PRECISION_USER=FALSE", "USE_PRECISION_USER=TRUE"},
        {"PRECISION_MODE_DFLT=PHYSICAL", "PRECISION_MODE_DFLT=LOGICAL"},
        {"PRECISION_BUTTON_DFLT=0", "PRECISION_BUTTON_DFLT=2"},
        {"PRECISION_BUTTON_USER=0", "PRECISION_BUTTON_USER=1"}},
       "cmdMotionReset",
       {{"USE_CHORDING_USER", "TRUE"}, {"PRECISION_MODE_USER", "LOGICAL"}, {"PRECISION_BUTTON_USER", "2"}}},
      // Off by default: precision goes off, and its button is the default one for when it comes back.
      {"precision off by default",
       {{"USE_PRECISION_USER=FALSE", "USE_PRECISION_USER=TRUE"},
        {"PRECISION_BUTTON_DFLT=0", "PRECISION_BUTTON_DFLT=4"},
        {"PRECISION_BUTTON_USER=0", "PRECISION_BUTTON_USER=1"}},
       "cmdMotionReset",
       {{"USE_PRECISION_USER", "FALSE"}, {"PRECISION_BUTTON_USER", "4"}}},
      // Without keys the alias lists hold no default entry: they are left as they are, and the reset goes on.
      {"keys off",
       {{"USE_KEYS=TRUE", "USE_KEYS=FALSE"},
        {"AXIS_MAP_USER= { 0/1/2/3/4/5 }", "AXIS_MAP_USER= { 0/2/1/3/4/5 }"},
        {"USE_PRECISION_USER=FALSE", "USE_PRECISION_USER=TRUE"}},
       "cmdMotionReset",
       {{"AXIS_MAP_USER", " { 0/1/2/3/4/5 }"}, {"USE_PRECISION_USER", "FALSE"}}},
      {"dead zones and the axes' keys",
       {{"DEADZONE_0_USER=2000", "DEADZONE_0_USER=3000"},
        {"MOTION_ALIAS_2_POS_USER=\"SPACE\", \"+jump\", \"VK_SPACE\"",
         "MOTION_ALIAS_2_POS_USER=\"e\", \"+use\", \"VK_E\""},
        {"MOTION_ALIAS_1_NEG_USER=\"w\"", "MOTION_ALIAS_1_NEG_USER=\"q\""}},
       "cmdPointerlyReset",
       {{"DEADZONE_0_USER", "2000"},
        {"MOTION_ALIAS_2_POS_USER", "\"SPACE\", \"+jump\", \"VK_SPACE\""},
        {"MOTION_ALIAS_1_NEG_USER", "\"w\", \"+forward\", \"VK_W\""}}},
      // Only the current level's values; curves from the defaults when their files exist.
      {"sensitivity, gain, null region, master switch and curves",
       {{"USE_MASTER_USER=TRUE", "USE_MASTER_USER=FALSE"},
        {"GAIN_INT_USER= { 055, 055, 055, 055, 055, 055, 055 }",
         "GAIN_INT_USER= { 011, 022, 033, 044, 055, 066, 077 }"},
        {"SENS_INT_USER= { 3/3/3/3/3/3/3 }", "SENS_INT_USER= { 1/2/3/4/5/0/1 }"},
        {"GAIN_EXP_USER= { 065, 065, 065, 065, 065, 065, 065 }",
         "GAIN_EXP_USER= { 061, 062, 063, 064, 065, 066, 067 }"},
        {"NULL_REGION_USER=8", "NULL_REGION_USER=20"},
        {"CURVE_0_USER=\"\"", "CURVE_0_USER=\".\\crv\\mine.crv\""},
        {"CURVE_1_DFLT=\"\"", "CURVE_1_DFLT=\".\\crv\\shipped.crv\""},
        {"CURVE_2_DFLT=\"\"", "CURVE_2_DFLT=\".\\crv\\gone.crv\""}},
       "cmdSensitivityReset",
       {{"USE_MASTER_USER", "TRUE"},
        {"GAIN_INT_USER", " { 055, 055, 055, 055, 055, 055, 055 }"},
        {"SENS_INT_USER", " { 3/3/3/3/3/3/3 }"},
        {"NULL_REGION_USER", "8"},
        {"CURVE_0_USER", "\"\""},
        {"CURVE_1_USER", "\".\\crv\\shipped.crv\""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    answers.boxes.clear();
    frmMain& w = Load(c.file);
    Click(Ctl<QPushButton>(w, c.button));
    EXPECT_FALSE(w.Locked());
    // No edit was pending: no question.
    EXPECT_TRUE(answers.boxes.empty()) << answers.Texts()[0];
    EXPECT_EQ(SavedChanges(), c.saved);
    window->Terminate();
  }
}

TEST_F(ResetsTest, TheSlidersAndCurveButtonsShowWhatTheResetStored) {
  MakeFolders(folder / "crv");
  WriteFile(folder / "crv/shipped.crv", "curve");
  frmMain& w = Load(
      {{"GAIN_INT_USER= { 055, 055, 055, 055, 055, 055, 055 }", "GAIN_INT_USER= { 011, 022, 033, 044, 055, 066, 077 }"},
       {"CURVE_1_DFLT=\"\"", "CURVE_1_DFLT=\".\\crv\\shipped.crv\""}});
  Click(Ctl<QPushButton>(w, "cmdSensitivityReset"));
  EXPECT_EQ(Ctl<QSlider>(w, "sldGain", 7)->value(), 55);
  EXPECT_EQ(Ctl<QSlider>(w, "sldGain", 2)->value(), 55);  // master on: the rows show the master value
  EXPECT_TRUE(Ctl<QSlider>(w, "sldGain", 7)->isEnabled());
  EXPECT_TRUE(Ctl<QRadioButton>(w, "optSensCurves", 2)->font().bold());
  EXPECT_EQ(Ctl<QRadioButton>(w, "optSensCurves", 2)->toolTip().toStdString(), folder / "crv/shipped.crv");
}

TEST_F(ResetsTest, PendingEditsAreKeptUnlessThePlayerAgrees) {
  struct Case {
    MsgResult answer;
    Keys saved;
  } cases[] = {
      {MsgResult::No, {{"NULL_REGION_USER", "20"}}},
      {MsgResult::Yes, {}},
  };
  for (const Case& c : cases) {
    answers.boxes.clear();
    frmMain& w = Load({});
    Ctl<QSlider>(w, "sldNull")->setValue(20);
    answers.replies = {c.answer};
    Click(Ctl<QPushButton>(w, "cmdSensitivityReset"));
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].title, "Reset");
    EXPECT_EQ(answers.boxes[0].text,
              "This configuration has been modified.  If you reset to the defaults, your\r\n"
              "changes will be lost.   Would you still like to continue?");
    EXPECT_EQ(SavedChanges(), c.saved);
    window->Terminate();
  }
}
