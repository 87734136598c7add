// The binding lists, the axis map, chording and the precision button, driven
// as a player drives them (the lists' own popups, the boxes clicked), each
// edit ending in a save whose changed keys are checked against the file the
// same configuration gives without the edit.
#include "editor/main_window.h"
#include "editor/pages/motions_page.h"
#include "editor/selection.h"
#include "editor/tests/editor_fixture.h"
#include "editor/tests/saved_keys.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace editor;
using namespace editor_testing;
using namespace testing_support;

namespace {

using Keys = std::map<std::string, std::string>;
using Replacements = std::vector<std::pair<std::string, std::string>>;

bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 10000); }

// Shows the tab page that holds `widget`, as the player would first.
void ShowPageOf(QWidget* widget) {
  for (QWidget* w = widget; w && w->parentWidget(); w = w->parentWidget())
    if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget())) {
      int page = tabs->indexOf(w);
      if (page >= 0) tabs->setCurrentIndex(page);
    }
}

// Opens the list and clicks item `item` in its popup.
void PickItem(QComboBox* box, int item) {
  ShowPageOf(box);
  ASSERT_TRUE(box->isVisible()) << box->objectName().toStdString();
  ASSERT_TRUE(box->isEnabled()) << box->objectName().toStdString();
  ASSERT_TRUE(item >= 0 && item < box->count()) << box->objectName().toStdString() << " has no item " << item;
  box->showPopup();
  QAbstractItemView* view = box->view();
  ASSERT_TRUE(WaitFor([&] { return view->isVisible(); }));
  QModelIndex index = view->model()->index(item, 0);
  if (view->viewport()->rect().contains(view->visualRect(index))) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
  } else {
    // Beyond the popup's visible part: arrow keys to the item, then Return.
    for (int step = 0; step < box->count() && view->currentIndex().row() != item; ++step)
      QTest::keyClick(view, view->currentIndex().row() < item ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Return);
  }
  ASSERT_TRUE(WaitFor([&] { return !view->isVisible(); }));
  ASSERT_EQ(box->currentIndex(), item) << box->objectName().toStdString();
}

void Pick(QComboBox* box, const std::string& text) {
  int item = box->findText(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
  ASSERT_GE(item, 0) << box->objectName().toStdString() << " offers no " << text;
  PickItem(box, item);
}

void ClickBox(QAbstractButton* box) {
  ShowPageOf(box);
  ASSERT_TRUE(box->isVisible() && box->isEnabled()) << box->objectName().toStdString();
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

std::string Shown(const QComboBox* box) { return box->currentText().toStdString(); }

// "Alpha Game" loaded from the shipped Half-Life configuration with `replacements`.
class BindingPagesTest : public ::testing::Test {
 protected:
  frmMain& Load(const Replacements& replacements = {}) {
    loaded_.reset();
    folder.Add("alpha.scg", "Alpha Game", replacements);
    loaded_ = std::make_unique<LoadedWindow>(folder);
    // What the unedited configuration saves as.
    if (!loaded_->window.SaveChanges(folder / "previous.scg")) throw std::runtime_error("no unedited save");
    return loaded_->window;
  }
  // Saves with the window's button and gives the keys that differ from the
  // last save (or the unedited configuration).
  Keys SaveAndCompare() {
    frmMain& w = loaded_->window;
    if (!Ctl<QPushButton>(w, "cmdSaveChanges")->isEnabled()) return {{"(no changes pending)", ""}};
    QTest::mouseClick(Ctl<QPushButton>(w, "cmdSaveChanges"), Qt::LeftButton);
    EXPECT_EQ(w.Flags.ConfigModified, 0);
    EXPECT_FALSE(Ctl<QLabel>(w, "lblChanges")->isVisibleTo(&w));
    Keys changed = ChangedKeys(folder / "previous.scg", folder.Scg("alpha.scg"));
    WriteFile(folder / "previous.scg", ReadFile(folder.Scg("alpha.scg")));
    return changed;
  }
  void TearDown() override {
    loaded_.reset();
    EXPECT_TRUE(answers.boxes.empty()) << answers.Texts()[0];
  }

  EditorFolder folder;
  Answers answers;

 private:
  std::unique_ptr<LoadedWindow> loaded_;
};

const Replacements kChordingOn = {{"USE_CHORDING_USER=FALSE", "USE_CHORDING_USER=TRUE"}};

TEST_F(BindingPagesTest, ACommandOrKeyChoiceSavesItsSlotAndShowsInTheTwinList) {
  struct Case {
    std::string label;
    std::function<QComboBox*(frmMain&)> list;
    std::string pick;
    Keys saved;
    // The list that mirrors the choice and what it shows then (none for axis lists).
    std::function<QComboBox*(frmMain&)> twin = {};
    std::string twinShows = {};
  };
  using W = frmMain&;
  // One row a case, laid out by hand.
  // clang-format off
  const std::vector<Case> plain = {
      {"button command", [](W w) { return Ctl<QComboBox>(w, "cboButton", 3); }, "Duck",
       {{"BUTTON_2_USER", "\"SPACE\", \"+duck\", \"VK_SPACE\""}}, [](W w) { return Ctl<QComboBox>(w, "cboButtonChord", 3); }, "Duck"},
      {"the game's own button", [](W w) { return Ctl<QComboBox>(w, "cboButton", 1); }, "(Button defined in game)",
       {{"BUTTON_0_USER", "\"MOUSE1\", \"\", \"VM_LEFTDOWN\""}}, [](W w) { return Ctl<QComboBox>(w, "cboButtonChord", 1); },
       "(Button defined in game)"},
      {"button key", [](W w) { return Ctl<QComboBox>(w, "cboButtonAlias", 2); }, "'Q' Key",
       {{"BUTTON_1_USER", "\"q\", \"+use\", \"VK_Q\""}}, [](W w) { return Ctl<QComboBox>(w, "cboButtonChordAlias", 2); }, "'Q' Key"},
      // After another key, the first item brings back the game's own key for the button, with its event.
      {"button's own key", [](W w) { return Ctl<QComboBox>(w, "cboButtonAlias", 2); }, "'E' Key",
       {{"BUTTON_1_USER", "\"e\", \"+use\", \"VK_E\""}}, [](W w) { return Ctl<QComboBox>(w, "cboButtonChordAlias", 2); }, "'E' Key"},
      {"positive axis command", [](W w) { return Ctl<QComboBox>(w, "cboPosAxisCommand", 1); }, "Jump",
       {{"MOTION_ALIAS_0_POS_USER", "\"d\", \"+jump\", \"VK_D\""}}},
      {"negative axis command", [](W w) { return Ctl<QComboBox>(w, "cboNegAxisCommand", 2); }, "Use",
       {{"MOTION_ALIAS_1_NEG_USER", "\"w\", \"+use\", \"VK_W\""}}},
      {"no key on an axis", [](W w) { return Ctl<QComboBox>(w, "cboButtonAxisPOSAlias", 3); }, "(None)",
       {{"MOTION_ALIAS_2_POS_USER", "\"\", \"+jump\", \"\""}}},
      {"negative axis key", [](W w) { return Ctl<QComboBox>(w, "cboButtonAxisNEGAlias", 1); }, "LEFT",
       {{"MOTION_ALIAS_0_NEG_USER", "\"LEFTARROW\", \"+moveleft\", \"VK_LEFT\""}}},
  };
  // clang-format on
  // One row a case, laid out by hand.
  // clang-format off
  const std::vector<Case> chorded = {
      // Slots beyond the six buttons have no twin: no button list changes.
      {"chord command", [](W w) { return Ctl<QComboBox>(w, "cboButtonChord", 9); }, "Reload",
       {{"BUTTON_8_USER", "\"\", \"+reload\", \"\""}}},
      {"chord slot of a button", [](W w) { return Ctl<QComboBox>(w, "cboButtonChord", 3); }, "Flashlight",
       {{"BUTTON_2_USER", "\"SPACE\", \"impulse 100\", \"VK_SPACE\""}}, [](W w) { return Ctl<QComboBox>(w, "cboButton", 3); },
       "Flashlight"},
      {"chord key", [](W w) { return Ctl<QComboBox>(w, "cboButtonChordAlias", 12); }, "'1' Key",
       {{"BUTTON_11_USER", "\"1\", \"\", \"VK_1\""}}},
  };
  // clang-format on
  for (const auto& [cases, replacements] : {std::pair{plain, Replacements{}}, std::pair{chorded, kChordingOn}}) {
    frmMain& w = Load(replacements);
    for (const Case& c : cases) {
      std::vector<std::string> buttons;
      for (int i = 1; i <= 6; ++i) buttons.push_back(Shown(Ctl<QComboBox>(w, "cboButton", i)));
      Pick(c.list(w), c.pick);
      EXPECT_EQ(SaveAndCompare(), c.saved) << c.label;
      if (c.twin) {
        EXPECT_EQ(Shown(c.twin(w)), c.twinShows) << c.label;
      } else {
        for (int i = 1; i <= 6; ++i) EXPECT_EQ(Shown(Ctl<QComboBox>(w, "cboButton", i)), buttons[i - 1]) << c.label;
      }
    }
  }
}

TEST_F(BindingPagesTest, ChoosingAnAxisMotionMovesTheOtherAxisToNoneAndSavesMapAndPolarity) {
  struct Case {
    std::string label;
    Replacements replacements;
    int axis;
    int item;  // of cboAxis(axis): 0 "(None)", then the motions
    Keys saved;
    std::vector<std::string> shown;  // the six axes' lists afterwards
  };
  const Replacements masterOff = {{"USE_MASTER_USER=TRUE", "USE_MASTER_USER=FALSE"}};
  auto with = [&](Replacements more) {
    more.insert(more.begin(), masterOff.begin(), masterOff.end());
    return more;
  };
  const std::string right = "Move Right/Move Left", back = "Move Back/Move Forward", up = "Move Up/Move Down",
                    look = "Look Down/Look Up", turn = "Turn Right/Turn Left", lean = "Lean Right/Lean Left";
  // One row a case, laid out by hand.
  // clang-format off
  const std::vector<Case> cases = {
      // Axis 3 loses its motion and silently keeps the freed one, motion 1, with polarity 0.
      {"a motion another axis drives", masterOff, 1, 3,
       {{"AXIS_MAP_USER", " { 2/1/0/3/4/5 }"}, {"POLARITY_USER", " { 0/+/+/+/+/+ }"}},
       {up, back, "(None)", look, turn, lean}},
      {"no motion", masterOff, 2, 0, {{"POLARITY_USER", " { +/0/+/+/+/+ }"}}, {right, "(None)", up, look, turn, lean}},
      // An axis that had none starts normal.
      {"a motion for an axis without one", with({{"POLARITY_USER= { +/+/+/+/+/+ }", "POLARITY_USER= { +/+/+/+/+/0 }"}}),
       6, 6, {{"POLARITY_USER", " { +/+/+/+/+/+ }"}}, {right, back, up, look, turn, lean}},
      // An inverted axis keeps its sign when it takes another motion.
      {"an inverted axis", with({{"POLARITY_USER= { +/+/+/+/+/+ }", "POLARITY_USER= { -/+/+/+/+/+ }"}}), 1, 2,
       {{"AXIS_MAP_USER", " { 1/0/2/3/4/5 }"}, {"POLARITY_USER", " { 0/-/+/+/+/+ }"}},
       {back, "(None)", up, look, turn, lean}},
      // Two motions with the same label: the one chosen, not the first of that label, leaves its axis.
      {"a label two motions share",
       with({{"MOTION_LABEL_3_POS=\"Look Down\"", "MOTION_LABEL_3_POS=\"Turn Right\""},
             {"MOTION_LABEL_3_NEG=\"Look Up\"", "MOTION_LABEL_3_NEG=\"Turn Left\""}}),
       1, 5, {{"AXIS_MAP_USER", " { 4/1/2/3/0/5 }"}, {"POLARITY_USER", " { 0/+/+/+/+/+ }"}},
       {turn, back, up, turn, "(None)", lean}},
  };
  // clang-format on
  for (const Case& c : cases) {
    frmMain& w = Load(c.replacements);
    PickItem(Ctl<QComboBox>(w, "cboAxis", c.axis), c.item);
    EXPECT_EQ(SaveAndCompare(), c.saved) << c.label;
    for (int a = 1; a <= 6; ++a) {
      const bool none = c.shown[a - 1] == "(None)";
      EXPECT_EQ(Shown(Ctl<QComboBox>(w, "cboAxis", a)), c.shown[a - 1]) << c.label << " axis " << a;
      EXPECT_EQ(Ctl<QLabel>(w, "lblSensitivity", a)->text().toStdString(), c.shown[a - 1]) << c.label << " axis " << a;
      EXPECT_EQ(Ctl<QCheckBox>(w, "cbxInvertAxis", a)->isEnabled(), !none) << c.label << " axis " << a;
      EXPECT_EQ(Ctl<QSlider>(w, "sldGain", a)->isEnabled(), !none) << c.label << " axis " << a;
    }
  }
}

TEST_F(BindingPagesTest, TheMouseListsFollowTheAxisThatCarriesTheMouseMotion) {
  // Mouse X is motion 5, mouse Y motion 4; both carry the same label here.
  frmMain& w = Load({{"MOTION_LABEL_3_POS=\"Look Down\"", "MOTION_LABEL_3_POS=\"Turn Right\""},
                     {"MOTION_LABEL_3_NEG=\"Look Up\"", "MOTION_LABEL_3_NEG=\"Turn Left\""}});
  PickItem(Ctl<QComboBox>(w, "cboAxis", 6), 5);
  EXPECT_EQ(SaveAndCompare(), (Keys{{"AXIS_MAP_USER", " { 0/1/2/3/5/4 }"}, {"POLARITY_USER", " { +/+/+/+/+/0 }"}}));
  EXPECT_EQ(Ctl<QComboBox>(w, "cboPosMouseXCommand")->pos(), Ctl<QComboBox>(w, "cboPosAxisCommand", 6)->pos());
  EXPECT_EQ(Ctl<QComboBox>(w, "cboButtonMouseXNEGAlias")->pos(), Ctl<QComboBox>(w, "cboButtonAxisNEGAlias", 6)->pos());
  EXPECT_EQ(Ctl<QComboBox>(w, "cboPosMouseYCommand")->pos(), Ctl<QComboBox>(w, "cboPosAxisCommand", 4)->pos());
  EXPECT_TRUE(Ctl<QSlider>(w, "sldDeadzone", 6)->isEnabled());
  EXPECT_FALSE(Ctl<QSlider>(w, "sldDeadzone", 5)->isEnabled());
  EXPECT_TRUE(Ctl<QTabWidget>(w, "tabSensitivity")->isTabEnabled(2));
}

// An alias row without a GameInput is offered, but names no unbound direction
// or button: their lists show none, and the unedited save gives none its key.
TEST_F(BindingPagesTest, AnAliasWithoutAGameInputIsChosenForNoUnboundBinding) {
  frmMain& w = Load({{"CUSTOM_ALIAS=FALSE\r\n   {\r\n",
                      "CUSTOM_ALIAS=TRUE\r\n   {\r\n   \"\", \"'N' Key\", \"VK_N\"\r\n"
                      "   \"MOUSE1\", \"Left-Click\", \"VM_LEFTDOWN\"\r\n"}});
  EXPECT_EQ(Shown(Ctl<QComboBox>(w, "cboButtonAxisPOSAlias", 4)), "(None)");
  EXPECT_EQ(Shown(Ctl<QComboBox>(w, "cboButtonAxisNEGAlias", 4)), "(None)");
  EXPECT_EQ(Shown(Ctl<QComboBox>(w, "cboButtonChordAlias", 7)), "(None)");
  EXPECT_EQ(Shown(Ctl<QComboBox>(w, "cboButtonAlias", 1)), "Left-Click");
  const std::string saved = ReadFile(folder / "previous.scg");
  EXPECT_NE(saved.find("\r\nMOTION_ALIAS_3_POS_USER=\"\", \"\", \"\"\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\r\nBUTTON_6_USER=\"\", \"\", \"\"\r\n"), std::string::npos) << saved;
}

TEST_F(BindingPagesTest, WithoutKeysOrMouseTheKeyPageGoes) {
  // Only the mouse X motion (motion 5, axis 5) needs the key page.
  frmMain& w = Load({{"USE_KEYS=TRUE", "USE_KEYS=FALSE"}, {"MOTION_ALIAS_Y=3", "MOTION_ALIAS_Y=-1"}});
  EXPECT_TRUE(Ctl<QTabWidget>(w, "tabSensitivity")->isTabEnabled(2));
  Ctl<QTabWidget>(w, "tabSensitivity")->setCurrentIndex(2);
  // A selection made in code (a reset's) while the key page is shown.
  Select(Ctl<QComboBox>(w, "cboAxis", 5), 0);
  EXPECT_FALSE(Ctl<QTabWidget>(w, "tabSensitivity")->isTabEnabled(2));
  EXPECT_EQ(Ctl<QTabWidget>(w, "tabSensitivity")->currentIndex(), 1);
  EXPECT_EQ(SaveAndCompare(), (Keys{{"POLARITY_USER", " { +/+/+/+/0/+ }"}}));
}

TEST_F(BindingPagesTest, AnInvertBoxSavesThePolarityOfItsAxisMotion) {
  // Axis 1 drives motion 2, axis 2 motion 1.
  frmMain& w = Load({{"AXIS_MAP_USER= { 0/1/2/3/4/5 }", "AXIS_MAP_USER= { 1/0/2/3/4/5 }"}});
  ClickBox(Ctl<QCheckBox>(w, "cbxInvertAxis", 1));
  EXPECT_EQ(SaveAndCompare(), (Keys{{"POLARITY_USER", " { +/-/+/+/+/+ }"}}));
  ClickBox(Ctl<QCheckBox>(w, "cbxInvertAxis", 1));
  EXPECT_EQ(SaveAndCompare(), (Keys{{"POLARITY_USER", " { +/+/+/+/+/+ }"}}));
}

TEST_F(BindingPagesTest, OrientationAndChordingSaveTheirSwitches) {
  const Replacements precisionOn = {{"USE_PRECISION_USER=FALSE", "USE_PRECISION_USER=TRUE"}};
  auto with = [](Replacements base, const Replacements& more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
  };
  struct Case {
    std::string label;
    Replacements replacements;
    std::function<void(frmMain&)> act;
    Keys saved;
    std::string precisionShows;
    int precisionItems;
  };
  // One row a case, laid out by hand.
  // clang-format off
  const std::vector<Case> cases = {
      {"vertical", {}, [](frmMain& w) { ClickBox(Ctl<QRadioButton>(w, "optOrientation", 2)); }, {{"ORIENTATION", "VERTICAL"}}, "Button A", 1},
      {"horizontal", {{"ORIENTATION=HORIZONTAL", "ORIENTATION=VERTICAL"}},
       [](frmMain& w) { ClickBox(Ctl<QRadioButton>(w, "optOrientation", 1)); }, {{"ORIENTATION", "HORIZONTAL"}}, "Button A", 1},
      {"chording on", {}, [](frmMain& w) { ClickBox(Ctl<QRadioButton>(w, "optChording", 1)); }, {{"USE_CHORDING_USER", "TRUE"}}, "Button A",
       22},
      {"chording on keeps a button", with(precisionOn, {{"PRECISION_BUTTON_USER=0", "PRECISION_BUTTON_USER=3"}}),
       [](frmMain& w) { ClickBox(Ctl<QRadioButton>(w, "optChording", 1)); }, {{"USE_CHORDING_USER", "TRUE"}}, "Button D", 22},
      // A chord is no precision button without chording: the list's last button takes its place.
      {"chording off with a chord", with(with(kChordingOn, precisionOn), {{"PRECISION_MODE_USER=PHYSICAL", "PRECISION_MODE_USER=LOGICAL"}}),
       [](frmMain& w) { ClickBox(Ctl<QRadioButton>(w, "optChording", 2)); },
       {{"USE_CHORDING_USER", "FALSE"}, {"PRECISION_MODE_USER", "PHYSICAL"}, {"PRECISION_BUTTON_USER", "5"}},
       "Button F", 6},
  };
  // clang-format on
  for (const Case& c : cases) {
    frmMain& w = Load(c.replacements);
    c.act(w);
    EXPECT_EQ(SaveAndCompare(), c.saved) << c.label;
    EXPECT_EQ(Shown(Ctl<QComboBox>(w, "cboPrecisionButton")), c.precisionShows) << c.label;
    EXPECT_EQ(Ctl<QComboBox>(w, "cboPrecisionButton")->count(), c.precisionItems) << c.label;
  }
}

TEST_F(BindingPagesTest, ChordingShowsTheChordTabsAndTakesThePlainButtonListsAway) {
  struct Case {
    std::string label;
    Replacements replacements;
    int index;
    bool tabs;
    bool buttonLists;
  };
  for (const Case& c : std::vector<Case>{
           {"on", {}, 1, true, false},
           {"off", kChordingOn, 2, false, true},
           // Without the game's commands the button lists stay off.
           {"off without commands", {kChordingOn[0], {"USE_BUTTONS=TRUE", "USE_BUTTONS=FALSE"}}, 2, false, false}}) {
    frmMain& w = Load(c.replacements);
    Ctl<QTabWidget>(w, "tabSensitivity")->setCurrentIndex(1);
    Ctl<QTabWidget>(w, "tabChording")->setCurrentIndex(2);
    ClickBox(Ctl<QRadioButton>(w, "optChording", c.index));
    EXPECT_EQ(Ctl<QRadioButton>(w, "optChording", c.index)->isChecked(), true) << c.label;
    EXPECT_EQ(Ctl<QTabWidget>(w, "tabChording")->isVisible(), c.tabs) << c.label;
    EXPECT_EQ(Ctl<QTabWidget>(w, "tabChording")->currentIndex(), 0) << c.label;
    for (int i = 1; i <= 6; ++i)
      EXPECT_EQ(Ctl<QComboBox>(w, "cboButton", i)->isEnabled(), c.buttonLists) << c.label << " " << i;
  }
  // Back and forth: nothing left to save.
  frmMain& w = Load();
  ClickBox(Ctl<QRadioButton>(w, "optChording", 1));
  ClickBox(Ctl<QRadioButton>(w, "optChording", 2));
  EXPECT_FALSE(Ctl<QPushButton>(w, "cmdSaveChanges")->isEnabled());
  EXPECT_EQ(SaveAndCompare(), (Keys{{"(no changes pending)", ""}}));
}

TEST_F(BindingPagesTest, ThePrecisionButtonThroughLoadEditAndSave) {
  struct Case {
    std::string label;
    std::string chording, mode, button;
    std::string loadedShows;
    std::string pick;
    Keys saved;
  };
  // One row a case, laid out by hand.
  // clang-format off
  const std::vector<Case> cases = {
      {"physical to physical", "FALSE", "PHYSICAL", "3", "Button D", "Button F", {{"PRECISION_BUTTON_USER", "5"}}},
      {"logical to logical", "TRUE", "LOGICAL", "15", "Chord A&B + F", "Chord None + E",
       {{"PRECISION_BUTTON_USER", "2"}}},
      {"logical to physical", "TRUE", "LOGICAL", "2", "Chord None + E", "Button B",
       {{"PRECISION_MODE_USER", "PHYSICAL"}, {"PRECISION_BUTTON_USER", "1"}}},
      {"physical to logical", "TRUE", "PHYSICAL", "1", "Button B", "Chord A + C",
       {{"PRECISION_MODE_USER", "LOGICAL"}, {"PRECISION_BUTTON_USER", "4"}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    frmMain& w = Load({{"USE_CHORDING_USER=FALSE", "USE_CHORDING_USER=" + c.chording},
                       {"USE_PRECISION_USER=FALSE", "USE_PRECISION_USER=TRUE"},
                       {"PRECISION_MODE_USER=PHYSICAL", "PRECISION_MODE_USER=" + c.mode},
                       {"PRECISION_BUTTON_USER=0", "PRECISION_BUTTON_USER=" + c.button}});
    EXPECT_EQ(Shown(Ctl<QComboBox>(w, "cboPrecisionButton")), c.loadedShows) << c.label;
    Pick(Ctl<QComboBox>(w, "cboPrecisionButton"), c.pick);
    EXPECT_EQ(SaveAndCompare(), c.saved) << c.label;
    w.cmdReload_Click();
    EXPECT_EQ(Shown(Ctl<QComboBox>(w, "cboPrecisionButton")), c.pick) << c.label << " read back";
    EXPECT_FALSE(Ctl<QPushButton>(w, "cmdSaveChanges")->isEnabled()) << c.label << " read back";
  }
}

TEST_F(BindingPagesTest, AConfigurationThatLockedTheWindowHasNoPrecisionButtonToStore) {
  frmMain& w = Load();
  folder.Add("beta.scg", "Beta Game", {{"AXIS_MAP_USER= { 0/1/2/3/4/5 }", "AXIS_MAP_USER= { 0/1 }"}});
  Select(Ctl<QComboBox>(w, "cboGameList"), 1);
  ASSERT_TRUE(w.Locked());
  const config_store::TGameConfig locked = w.GameConfig;
  Select(Ctl<QComboBox>(w, "cboPrecisionButton"), -1);  // a selection made in code in the emptied list
  EXPECT_EQ(w.GameConfig.PRECISION, locked.PRECISION);
}

TEST_F(BindingPagesTest, HandlersStoreNothingWhileTheWindowIsFilled) {
  frmMain& w = Load();
  const config_store::TGameConfig loaded = w.GameConfig;
  w.Flags.LoadingControls = true;
  Select(Ctl<QComboBox>(w, "cboButton", 1), 3);
  Select(Ctl<QComboBox>(w, "cboButtonAlias", 1), 10);
  Select(Ctl<QComboBox>(w, "cboButtonAxisPOSAlias", 1), 0);
  Select(Ctl<QComboBox>(w, "cboAxis", 1), 3);
  SetChecked(Ctl<QCheckBox>(w, "cbxInvertAxis", 2), true);
  w.Flags.LoadingControls = false;
  EXPECT_EQ(w.GameConfig, loaded);
  EXPECT_EQ(w.Motions().Axes()[2].Polarity, "+");
  // No handler is left busy: the next selection stores again.
  Select(Ctl<QComboBox>(w, "cboButton", 2), 3);
  EXPECT_EQ(w.GameConfig.ButtonSlot(2).GameCommand.USER, w.Lists.GameCommands[2].GameCommand);
}

TEST_F(BindingPagesTest, TheInstructionsBoxUnlocksTheText) {
  frmMain& w = Load({{"OWNER=TOLVANE", "OWNER=USER"}});
  EXPECT_TRUE(Ctl<QPlainTextEdit>(w, "txtGameInstructions")->isReadOnly());
  ClickBox(Ctl<QCheckBox>(w, "chkModifyInstructions"));
  EXPECT_FALSE(Ctl<QPlainTextEdit>(w, "txtGameInstructions")->isReadOnly());
  QTest::keyClicks(Ctl<QPlainTextEdit>(w, "txtGameInstructions"), "Hold B to duck. ");
  EXPECT_EQ(SaveAndCompare(), Keys{});  // the text is a block, no key
  EXPECT_NE(ReadFile(folder.Scg("alpha.scg")).find("Hold B to duck. "), std::string::npos);
  ClickBox(Ctl<QCheckBox>(w, "chkModifyInstructions"));
  EXPECT_TRUE(Ctl<QPlainTextEdit>(w, "txtGameInstructions")->isReadOnly());
}

}  // namespace
