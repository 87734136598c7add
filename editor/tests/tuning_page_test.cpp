// The tuning page driven as a player would: each edit stores exactly its own
// value, and a save writes exactly the keys the edit changed.
#include "editor/main_window.h"
#include "editor/selection.h"
#include "editor/tests/editor_fixture.h"
#include "editor/tests/saved_keys.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace editor;
using namespace editor_testing;
using namespace testing_support;
using Keys = EditedGameTest::Keys;
using Replacements = EditedGameTest::Replacements;

namespace {

using TuningPageTest = EditedGameTest;

const Replacements kMasterOff = {{"USE_MASTER_USER=TRUE", "USE_MASTER_USER=FALSE"}};

// On the indicator: an option button takes clicks on its indicator and caption only.
void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); }

}  // namespace

TEST_F(TuningPageTest, EachEditSavesExactlyItsOwnKeys) {
  struct Case {
    const char* name;
    Replacements file;
    std::function<void(frmMain&)> edit;
    Keys saved;
  } cases[] = {
      {"a gain slider at the intermediate level, master off",
       kMasterOff,
       [](frmMain& w) { Ctl<QSlider>(w, "sldGain", 3)->setValue(45); },
       {{"GAIN_INT_USER", " { 055, 055, 045, 055, 055, 055, 055 }"}}},
      {"a sensitivity slider one step by key, master off",
       kMasterOff,
       [](frmMain& w) { QTest::keyClick(Ctl<QSlider>(w, "sldSensitivity", 2), Qt::Key_Right); },
       {{"SENS_INT_USER", " { 3/4/3/3/3/3/3 }"}}},
      {"a gain slider at the expert level",
       {{"USE_MASTER_USER=TRUE", "USE_MASTER_USER=FALSE"}, {"LEVEL=INTERMEDIATE", "LEVEL=EXPERT"}},
       [](frmMain& w) { Ctl<QSlider>(w, "sldGain", 6)->setValue(100); },
       {{"GAIN_EXP_USER", " { 065, 065, 065, 065, 065, 100, 065 }"}}},
      // Master on: the master sliders record column 7 and move the rows without recording them.
      {"the master gain",
       {},
       [](frmMain& w) {
         Ctl<QSlider>(w, "sldGain", 7)->setValue(70);
         EXPECT_EQ(Ctl<QSlider>(w, "sldGain", 2)->value(), 70);
       },
       {{"GAIN_INT_USER", " { 055, 055, 055, 055, 055, 055, 070 }"}}},
      {"the master sensitivity by page key",
       {},
       [](frmMain& w) {
         QTest::keyClick(Ctl<QSlider>(w, "sldSensitivity", 7), Qt::Key_PageUp);
         EXPECT_EQ(Ctl<QSlider>(w, "sldSensitivity", 5)->value(), 4);
       },
       {{"SENS_INT_USER", " { 3/3/3/3/3/3/4 }"}}},
      {"a row's slider while the master values are in force",
       {},
       [](frmMain& w) { Ctl<QSlider>(w, "sldGain", 2)->setValue(90); },
       {}},
      {"master settings switched off",
       {},
       [](frmMain& w) {
         Click(Ctl<QRadioButton>(w, "optMasterSettings", 0));
         EXPECT_TRUE(Ctl<QSlider>(w, "sldGain", 1)->isEnabled());
         EXPECT_FALSE(Ctl<QSlider>(w, "sldGain", 7)->isEnabled());
       },
       {{"USE_MASTER_USER", "FALSE"}}},
      {"master settings switched on: the rows show the master values",
       {{"USE_MASTER_USER=TRUE", "USE_MASTER_USER=FALSE"},
        {"GAIN_INT_USER= { 055, 055, 055, 055, 055, 055, 055 }",
         "GAIN_INT_USER= { 011, 022, 033, 044, 055, 066, 077 }"}},
       [](frmMain& w) {
         Click(Ctl<QRadioButton>(w, "optMasterSettings", 1));
         EXPECT_EQ(Ctl<QSlider>(w, "sldGain", 1)->value(), 77);
         EXPECT_FALSE(Ctl<QSlider>(w, "sldGain", 1)->isEnabled());
       },
       {{"USE_MASTER_USER", "TRUE"}}},
      // Another level shows that level's own values and changes nothing but the level.
      {"the skill level, master off",
       {{"USE_MASTER_USER=TRUE", "USE_MASTER_USER=FALSE"},
        {"GAIN_EXP_USER= { 065, 065, 065, 065, 065, 065, 065 }",
         "GAIN_EXP_USER= { 061, 062, 063, 064, 065, 066, 090 }"}},
       [](frmMain& w) {
         Click(Ctl<QRadioButton>(w, "optSkill", 3));
         EXPECT_EQ(Ctl<QSlider>(w, "sldGain", 2)->value(), 62);
         EXPECT_EQ(Ctl<QSlider>(w, "sldGain", 7)->value(), 90);
       },
       {{"LEVEL", "EXPERT"}}},
      {"the skill level, master on",
       {{"GAIN_BEG_USER= { 045, 045, 045, 045, 045, 045, 045 }",
         "GAIN_BEG_USER= { 041, 042, 043, 044, 045, 046, 030 }"}},
       [](frmMain& w) {
         Click(Ctl<QRadioButton>(w, "optSkill", 1));
         EXPECT_EQ(Ctl<QSlider>(w, "sldGain", 2)->value(), 30);
       },
       {{"LEVEL", "BEGINNER"}}},
      {"a dead zone to its end",
       {},
       [](frmMain& w) { Ctl<QSlider>(w, "sldDeadzone", 2)->setValue(6000); },
       {{"DEADZONE_1_USER", "6000"}}},
      {"the null region beyond its end",
       {},
       [](frmMain& w) { Ctl<QSlider>(w, "sldNull")->setValue(500); },
       {{"NULL_REGION_USER", "127"}}},
      {"the precision values",
       {{"USE_PRECISION_USER=FALSE", "USE_PRECISION_USER=TRUE"}},
       [](frmMain& w) {
         Ctl<QSlider>(w, "sldPrecisionSensitivity")->setValue(4);
         Ctl<QSlider>(w, "sldPrecisionGain")->setValue(75);
       },
       {{"PRECISION_SENS_USER", "4"}, {"PRECISION_GAIN_USER", "75"}}},
      {"the orientation",
       {},
       [](frmMain& w) { Click(Ctl<QRadioButton>(w, "optOrientation", 2)); },
       {{"ORIENTATION", "VERTICAL"}}},
      // Off and on again: the button chosen is still there.
      {"the precision button off and on",
       {{"USE_PRECISION_USER=FALSE", "USE_PRECISION_USER=TRUE"},
        {"USE_CHORDING_USER=FALSE", "USE_CHORDING_USER=TRUE"},
        {"PRECISION_MODE_USER=PHYSICAL", "PRECISION_MODE_USER=LOGICAL"},
        {"PRECISION_BUTTON_USER=0", "PRECISION_BUTTON_USER=9"}},
       [](frmMain& w) {
         Click(Ctl<QRadioButton>(w, "optPrecisionButton", 0));
         EXPECT_EQ(Ctl<QComboBox>(w, "cboPrecisionButton")->count(), 1);
         EXPECT_FALSE(Ctl<QSlider>(w, "sldPrecisionGain")->isEnabled());
         Click(Ctl<QRadioButton>(w, "optPrecisionButton", 1));
         EXPECT_EQ(Text(Ctl<QComboBox>(w, "cboPrecisionButton")), "Chord B + D");
       },
       {}},
      {"the precision button off",
       {{"USE_PRECISION_USER=FALSE", "USE_PRECISION_USER=TRUE"},
        {"PRECISION_BUTTON_USER=0", "PRECISION_BUTTON_USER=4"}},
       [](frmMain& w) { Click(Ctl<QRadioButton>(w, "optPrecisionButton", 0)); },
       {{"USE_PRECISION_USER", "FALSE"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frmMain& w = Load(c.file);
    c.edit(w);
    // The pending-changes display follows the record.
    EXPECT_EQ(Ctl<QLabel>(w, "lblChanges")->isVisibleTo(&w), !c.saved.empty());
    EXPECT_EQ(SavedChanges(), c.saved);
    window->Terminate();
  }
  EXPECT_TRUE(answers.boxes.empty()) << answers.Texts()[0];
}

TEST_F(TuningPageTest, NothingIsStoredWhileAConfigurationIsShown) {
  frmMain& w = Load(kMasterOff);
  // A game switch fills every slider of the page; the record stays as read.
  Select(Ctl<QComboBox>(w, "cboGameList"), 1);
  Select(Ctl<QComboBox>(w, "cboGameList"), 0);
  EXPECT_EQ(w.Flags.ConfigModified, 0);
  EXPECT_EQ(SavedChanges(), Keys{});
}
