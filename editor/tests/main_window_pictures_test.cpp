// The hover lights on the real window: the mouse moved over a control (QTest,
// offscreen) lights that control's picture, in either orientation and on every
// chord tab, and moving onto neutral ground puts the lights out.
#include "config_store/game_config.h"
#include "editor/main_window.h"
#include "editor/pages/motions_page.h"
#include "editor/playground.h"
#include "editor/tests/editor_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

using namespace editor;
using namespace editor_testing;

namespace {

// The overlays shown, e.g. "S3 M53 C1" (S imgSensitivity, M imgMotion, C
// imgChordAB), read from the labels themselves; the whole controllers 0 and 50
// are left out.
std::string Lit(const frmMain& w) {
  std::ostringstream out;
  auto add = [&](char tag, const platform::ControlArray<QLabel>& images, bool skipBase) {
    for (const auto& [index, image] : images.Members()) {
      if (image->isHidden() || (skipBase && (index == 0 || index == 50))) continue;
      if (out.tellp() > 0) out << ' ';
      out << tag << index;
    }
  };
  add('S', Arr<QLabel>(w, "imgSensitivity"), true);
  add('M', Arr<QLabel>(w, "imgMotion"), true);
  add('C', Arr<QLabel>(w, "imgChordAB"), false);
  return out.str();
}

// The pictures on screen that show no picture of their own size, e.g. "M53".
std::string Unpainted(const frmMain& w) {
  std::ostringstream out;
  for (const char* array : {"imgSensitivity", "imgMotion", "imgChordAB", "imgStix"})
    for (const auto& [index, widget] : w.Controls().Members(array)) {
      auto* image = qobject_cast<QLabel*>(widget);
      if (!image->isVisible() || image->pixmap().deviceIndependentSize().toSize() == image->size()) continue;
      if (out.tellp() > 0) out << ' ';
      out << array << '(' << index << ')';
    }
  return out.str();
}

// A point on the widget's own surface, where no child lies.
QPoint Ground(QWidget* widget) {
  for (int y = widget->height() - 3; y > 2; y -= 3)
    for (int x = widget->width() - 3; x > 2; x -= 3)
      if (!widget->childAt(x, y)) return {x, y};
  throw std::runtime_error("no free ground on " + widget->objectName().toStdString());
}

using Control = std::function<QWidget*(frmMain&)>;

struct Move {
  Control widget;
  bool ground = false;  // on the widget's own surface rather than its middle
};

void MoveOver(frmMain& w, const Move& move) {
  QWidget* widget = move.widget(w);
  QTest::mouseMove(widget, move.ground ? Ground(widget) : widget->rect().center());
}

Move Over(Control widget) { return {std::move(widget)}; }
Move OnGround(Control widget) { return {std::move(widget), true}; }

struct HoverCase {
  const char* what;
  const char* config;  // a key of Configs() below
  int page;            // of tabSensitivity
  int chordTab;        // of tabChording, -1 to leave it
  Move first;          // hovered before, to have something lit
  Move move;
  const char* lit;
};

// The shipped Half-Life configuration: horizontal, master settings on,
// chording off, keys on axes 1 to 3, the mouse X motion (5) on axis 5 and the
// mouse Y motion (4) on axis 4; and its variants.
const std::map<std::string, std::vector<std::pair<std::string, std::string>>>& Configs() {
  static const std::map<std::string, std::vector<std::pair<std::string, std::string>>> configs = {
      {"horizontal", {}},
      {"vertical", {{"ORIENTATION=HORIZONTAL", "ORIENTATION=VERTICAL"}}},
      {"chording", {{"USE_CHORDING_USER=FALSE", "USE_CHORDING_USER=TRUE"}}},
      {"chording vertical",
       {{"USE_CHORDING_USER=FALSE", "USE_CHORDING_USER=TRUE"}, {"ORIENTATION=HORIZONTAL", "ORIENTATION=VERTICAL"}}},
  };
  return configs;
}

// The window's background, off every control.
Control Background = [](frmMain& w) { return w.centralWidget(); };

}  // namespace

TEST(MainWindowPictures, TheMouseOverAControlLightsItsPartOfTheController) {
  // One row a case, laid out by hand.
  // clang-format off
  const HoverCase cases[] = {
      {"axis list 3", "horizontal", 1, -1, {}, Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboAxis", 3); }), "M3"},
      {"button list B", "horizontal", 1, -1, {}, Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButton", 2); }), "M8"},
      {"button key list F", "horizontal", 1, -1, {}, Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonAlias", 6); }), "M12"},
      {"invert box 4", "horizontal", 1, -1, {}, Over([](frmMain& w) { return Ctl<QCheckBox>(w, "cbxInvertAxis", 4); }), "M4"},
      {"master sensitivity slider lights all axes", "horizontal", 0, -1, {},
       Over([](frmMain& w) { return Ctl<QSlider>(w, "sldSensitivity", 7); }), "S7"},
      {"an axis's gain slider, disabled under the master settings, puts the lights out", "horizontal", 0, -1,
       Over([](frmMain& w) { return Ctl<QSlider>(w, "sldGain", 7); }), Over([](frmMain& w) { return Ctl<QSlider>(w, "sldGain", 2); }), ""},
      {"positive key list of axis 2", "horizontal", 2, -1, {},
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonAxisPOSAlias", 2); }), "S2"},
      {"negative command of axis 6, which uses no keys, puts the lights out", "horizontal", 2, -1,
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboPosAxisCommand", 1); }),
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboNegAxisCommand", 6); }),
       ""},
      {"a Mouse X list lights the axis that drives the mouse sideways", "horizontal", 2, -1, {},
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboPosMouseXCommand"); }), "S5"},
      {"a Mouse Y list lights the axis that drives the mouse up and down", "horizontal", 2, -1, {},
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonMouseYNEGAlias"); }), "S4"},
      {"dead zone of the mouse axis", "horizontal", 2, -1, {}, Over([](frmMain& w) { return Ctl<QSlider>(w, "sldDeadzone", 5); }),
       "S5"},
      {"disabled dead zone puts the lights out", "horizontal", 2, -1,
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonAxisNEGAlias", 1); }),
       Over([](frmMain& w) { return Ctl<QSlider>(w, "sldDeadzone", 6); }),
       ""},

      {"axis list 3, vertical", "vertical", 1, -1, {}, Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboAxis", 3); }), "M53"},
      {"invert box 1, vertical", "vertical", 1, -1, {}, Over([](frmMain& w) { return Ctl<QCheckBox>(w, "cbxInvertAxis", 1); }), "M51"},
      {"button list E, vertical", "vertical", 1, -1, {}, Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButton", 5); }), "M61"},
      {"master gain slider, vertical", "vertical", 0, -1, {}, Over([](frmMain& w) { return Ctl<QSlider>(w, "sldGain", 7); }), "S57"},
      {"a Mouse X list, vertical", "vertical", 2, -1, {}, Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboNegMouseXCommand"); }),
       "S55"},

      {"chord None + C", "chording", 1, 0, {}, Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonChord", 1); }), "M9"},
      {"chord A + D, with modifier A marked", "chording", 1, 1, {},
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonChordAlias", 6); }), "M10 C0 C1"},
      {"chord B + E, with modifier B marked", "chording", 1, 2, {},
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonChord", 11); }), "M11 C2 C3"},
      {"chord A&B + F, with both marked", "chording", 1, 3, {},
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonChordAlias", 16); }), "M12 C4 C5"},
      {"a button list, disabled with chording on, puts the lights out", "chording", 1, 0,
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboAxis", 2); }), Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButton", 1); }), ""},
      {"the chord tabs are neutral ground", "chording", 1, 1, Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonChord", 5); }),
       OnGround([](frmMain& w) { return Ctl<QTabWidget>(w, "tabChording")->tabBar(); }), "C0 C1"},
      {"chord B + F, vertical", "chording vertical", 1, 2, {},
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonChord", 12); }), "M62 C52 C53"},
      {"chord None + D, vertical", "chording vertical", 1, 0, {},
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonChordAlias", 2); }), "M60"},
      {"a chord page's ground, vertical", "chording vertical", 1, 3,
       Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboButtonChord", 13); }),
       OnGround([](frmMain& w) { return Ctl<QTabWidget>(w, "tabChording")->widget(3); }), "C54 C55"},
  };
  // clang-format on
  for (const auto& [config, replacements] : Configs()) {
    EditorFolder folder;
    folder.Add("alpha.scg", "Alpha Game", replacements);
    Answers answers;
    LoadedWindow loaded(folder);
    frmMain& w = loaded.window;
    const config_store::TGameConfig loadedConfig = w.GameConfig;
    for (const HoverCase& c : cases) {
      if (c.config != config) continue;
      SCOPED_TRACE(c.what);
      Ctl<QTabWidget>(w, "tabSensitivity")->setCurrentIndex(c.page);
      if (c.chordTab >= 0) Ctl<QTabWidget>(w, "tabChording")->setCurrentIndex(c.chordTab);
      QTest::mouseMove(w.centralWidget(), Ground(w.centralWidget()));
      if (c.first.widget) {
        MoveOver(w, c.first);
        ASSERT_NE(Lit(w), "") << "the first move lit nothing";
      }
      MoveOver(w, c.move);
      EXPECT_EQ(Lit(w), c.lit);
      EXPECT_EQ(Unpainted(w), "");
    }
    // The whole controller of the configuration's orientation stays under the lights.
    const bool vertical = std::string(config).find("vertical") != std::string::npos;
    EXPECT_EQ(Ctl<QLabel>(w, "imgMotion", vertical ? 50 : 0)->isHidden(), false) << config;
    EXPECT_EQ(Ctl<QLabel>(w, "imgMotion", vertical ? 0 : 50)->isHidden(), true) << config;
    // Hovering only shows; it never edits the configuration.
    EXPECT_TRUE(w.GameConfig == loadedConfig) << config;
    EXPECT_EQ(w.Flags.ConfigModified, 0) << config;
    EXPECT_TRUE(answers.boxes.empty()) << config;
  }
}

TEST(MainWindowPictures, MovingOntoNeutralGroundPutsTheLightsOut) {
  struct GroundCase {
    const char* what;
    int page;
    Move first;
    Move ground;
  };
  const Move axis3 = Over([](frmMain& w) { return Ctl<QComboBox>(w, "cboAxis", 3); });
  const Move master = Over([](frmMain& w) { return Ctl<QSlider>(w, "sldSensitivity", 7); });
  // One row a case, laid out by hand.
  // clang-format off
  const GroundCase cases[] = {
      {"the window's background", 1, axis3, OnGround(Background)},
      {"the axes frame", 1, axis3, OnGround([](frmMain& w) { return Ctl<QWidget>(w, "frmMotions"); })},
      {"the controller picture", 1, axis3, Over([](frmMain& w) { return Ctl<QLabel>(w, "imgMotion", 0); })},
      {"the page", 1, axis3, OnGround([](frmMain& w) { return Ctl<QTabWidget>(w, "tabSensitivity")->widget(1); })},
      {"the page tabs", 1, axis3, OnGround([](frmMain& w) { return Ctl<QTabWidget>(w, "tabSensitivity")->tabBar(); })},
      {"the game frame", 1, axis3, OnGround([](frmMain& w) { return Ctl<QGroupBox>(w, "grpSelectGame"); })},
      {"the sensitivity pictures", 0, master, Over([](frmMain& w) { return Ctl<QLabel>(w, "imgSensitivity", 0); })},
      {"an axis's name", 0, master, Over([](frmMain& w) { return Ctl<QLabel>(w, "lblSensitivity", 1); })},
      {"the master frame", 0, master,
       OnGround([](frmMain& w) { return Ctl<QWidget>(w, "frmMasterSensitivity"); })},
  };
  // clang-format on
  EditorFolder folder;
  Answers answers;
  LoadedWindow loaded(folder);
  frmMain& w = loaded.window;
  for (const GroundCase& c : cases) {
    SCOPED_TRACE(c.what);
    Ctl<QTabWidget>(w, "tabSensitivity")->setCurrentIndex(c.page);
    MoveOver(w, c.first);
    ASSERT_NE(Lit(w), "");
    MoveOver(w, c.ground);
    EXPECT_EQ(Lit(w), "");
  }
}

TEST(MainWindowPictures, AnIndexWithoutAPictureSaysBooBooAndChangesNothing) {
  EditorFolder folder;
  Answers answers;
  LoadedWindow loaded(folder);
  frmMain& w = loaded.window;
  w.LightsOnMotion(4);
  w.LightsOnSens(0);
  w.LightsOnMotion(13);
  EXPECT_EQ(Lit(w), "M4");
  EXPECT_EQ(answers.Texts(),
            (std::vector<std::string>{"Heliryx 360 Customizer: BOO BOO", "Heliryx 360 Customizer: BOO BOO"}));
}

TEST(MainWindowPictures, Command2OpensThePlayground) {
  EditorFolder folder;
  Answers answers;
  LoadedWindow loaded(folder);
  frmMain& w = loaded.window;
  Ctl<QPushButton>(w, "Command2")->click();
  auto* playground = w.findChild<frmPlayground*>();
  ASSERT_NE(playground, nullptr);
  EXPECT_TRUE(playground->isVisible());
  EXPECT_FALSE(playground->isModal());
  playground->cmdExit_Click();
  // Closed windows are deleted at the next turn of the event loop.
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.findChild<frmPlayground*>() == nullptr; }, 5000));
}

TEST(MainWindowPictures, TheSensitivityPicturesFollowThePageAndTheChordPicturesTheOrientation) {
  EditorFolder folder;
  folder.Add("alpha.scg", "Alpha Game", {{"USE_CHORDING_USER=FALSE", "USE_CHORDING_USER=TRUE"}});
  Answers answers;
  LoadedWindow loaded(folder);
  frmMain& w = loaded.window;
  auto clickTab = [](QTabWidget* tabs, int tab) {
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(tab).center());
    ASSERT_EQ(tabs->currentIndex(), tab);
  };
  const QPoint place = Ctl<QGroupBox>(w, "frmSensitivityLights")->pos();
  EXPECT_FALSE(Ctl<QGroupBox>(w, "frmSensitivityLights")->isHidden());
  clickTab(Ctl<QTabWidget>(w, "tabSensitivity"), 1);
  EXPECT_TRUE(Ctl<QGroupBox>(w, "frmSensitivityLights")->isHidden());
  clickTab(Ctl<QTabWidget>(w, "tabSensitivity"), 2);
  EXPECT_FALSE(Ctl<QGroupBox>(w, "frmSensitivityLights")->isHidden());
  EXPECT_EQ(Ctl<QGroupBox>(w, "frmSensitivityLights")->pos(), place);
  clickTab(Ctl<QTabWidget>(w, "tabSensitivity"), 1);
  clickTab(Ctl<QTabWidget>(w, "tabSensitivity"), 0);
  EXPECT_FALSE(Ctl<QGroupBox>(w, "frmSensitivityLights")->isHidden());
  EXPECT_EQ(Ctl<QGroupBox>(w, "frmSensitivityLights")->pos(), place);

  clickTab(Ctl<QTabWidget>(w, "tabSensitivity"), 1);
  clickTab(Ctl<QTabWidget>(w, "tabChording"), 2);
  EXPECT_EQ(Lit(w), "C2 C3");
  w.Motions().UpdateOrientation(2);
  EXPECT_EQ(Lit(w), "C52 C53");
  EXPECT_EQ(Unpainted(w), "");
  for (const char* whole : {"imgSensitivity", "imgMotion"}) {
    EXPECT_TRUE(Ctl<QLabel>(w, whole, 0)->isHidden());
    EXPECT_FALSE(Ctl<QLabel>(w, whole, 50)->isHidden());
  }
  clickTab(Ctl<QTabWidget>(w, "tabChording"), 0);
  EXPECT_EQ(Lit(w), "");
  clickTab(Ctl<QTabWidget>(w, "tabChording"), 3);
  w.Motions().UpdateOrientation(1);
  EXPECT_EQ(Lit(w), "C4 C5");
  EXPECT_EQ(Unpainted(w), "");
  EXPECT_FALSE(Ctl<QLabel>(w, "imgMotion", 0)->isHidden());
}
