// The controller pictures' hover lights on the window: which control's mouse
// movement lights which picture, and the neutral ground that puts the lights
// out. The lights themselves are plain functions (editor/picture_lights.h);
// here they meet the window's controls.
#include "editor/main_window.h"

#include "editor/pages/motions_page.h"
#include "editor/playground.h"
#include "editor/selection.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <functional>

namespace editor {

namespace {

// Runs `onMove` when the mouse moves over a widget's own surface. Qt passes a
// move that a child under the pointer did not take on to its parents; such a
// move belongs to the child (a list, a slider with a hover of its own), so it
// is not the parent's. Also sees the moves of a disabled widget, which its
// own handlers never get.
class SurfaceMouseWatch : public QObject {
 public:
  SurfaceMouseWatch(QWidget* widget, std::function<void()> onMove) : QObject(widget), onMove_(std::move(onMove)) {
    // Without tracking, Qt sends no moves while no button is held.
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseMove) {
      auto* widget = static_cast<QWidget*>(watched);
      if (!widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint())) onMove_();
    }
    return false;
  }

 private:
  std::function<void()> onMove_;
};

void NoSuchPicture() { platform::MsgBox("BOO BOO", platform::MsgButtons::Ok, platform::MsgIcon::None, kEditorTitle); }

void WatchSurface(QWidget* widget, std::function<void()> onMove) { new SurfaceMouseWatch(widget, std::move(onMove)); }

// A tab strip's ground: the strip itself, its tabs and the background of each page.
void WatchTabs(QTabWidget* tabs, const std::function<void()>& onMove) {
  WatchSurface(tabs, onMove);
  WatchSurface(tabs->tabBar(), onMove);
  for (int page = 0; page < tabs->count(); ++page) WatchSurface(tabs->widget(page), onMove);
}

}  // namespace

void frmMain::ConnectPictureHandlers() {
  // The binding lists, through their watches (member "mcboAxis3" is cboAxis(3)).
  struct ListFamily {
    const char* name;
    void (frmMain::*handler)(int);
  };
  const ListFamily families[] = {
      {"cboAxis", &frmMain::mcboAxis_MouseMove},
      {"cboButton", &frmMain::mcboButton_MouseMove},
      {"cboButtonAlias", &frmMain::mcboButtonAlias_MouseMove},
      {"cboButtonChord", &frmMain::mcboButtonChord_MouseMove},
      {"cboButtonChordAlias", &frmMain::mcboButtonChordAlias_MouseMove},
      {"cboPosAxisCommand", &frmMain::mcboPosAxisCommand_MouseMove},
      {"cboNegAxisCommand", &frmMain::mcboNegAxisCommand_MouseMove},
      {"cboButtonAxisPOSAlias", &frmMain::mcboButtonAxisPOSAlias_MouseMove},
      {"cboButtonAxisNEGAlias", &frmMain::mcboButtonAxisNEGAlias_MouseMove},
  };
  auto onWatch = [this](const std::string& member, std::function<void()> handler) {
    connect(comboHooks_.at(member).get(), &clsComboMouse::MouseMove, this,
            [handler = std::move(handler)](short, short, float, float) { handler(); });
  };
  for (const ListFamily& family : families)
    for (const auto& [index, list] : controls_.Members(family.name)) {
      int k = index;
      auto handler = family.handler;
      onWatch(std::string("m") + family.name + std::to_string(k), [this, handler, k] { (this->*handler)(k); });
    }
  for (const char* member :
       {"mcboPosMouseXCommand", "mcboNegMouseXCommand", "mcboButtonMouseXPOSAlias", "mcboButtonMouseXNEGAlias"})
    onWatch(member, [this] { mcboMouseX_MouseMove(); });
  for (const char* member :
       {"mcboPosMouseYCommand", "mcboNegMouseYCommand", "mcboButtonMouseYPOSAlias", "mcboButtonMouseYNEGAlias"})
    onWatch(member, [this] { mcboMouseY_MouseMove(); });

  // The sliders and the invert boxes light their axis; disabled, they put the lights out.
  for (const auto& [index, slider] : controls_.Members("sldSensitivity"))
    WatchSurface(slider, [this, k = index] { sldSensitivity_MouseMove(k); });
  for (const auto& [index, slider] : controls_.Members("sldGain"))
    WatchSurface(slider, [this, k = index] { sldGain_MouseMove(k); });
  for (const auto& [index, slider] : controls_.Members("sldDeadzone"))
    WatchSurface(slider, [this, k = index] { sldDeadzone_MouseMove(k); });
  for (const auto& [index, box] : controls_.Members("cbxInvertAxis"))
    WatchSurface(box, [this, k = index] { cbxInvertAxis_MouseMove(k); });

  // Neutral ground: frames, labels, the pictures and the tab strips.
  auto reset = [this] { ResetImage(); };
  for (const char* ground : {"frmChording", "frmMasterSensitivity", "frmOrientation", "frmPrecision", "frmSkill",
                             "grpSelectGame", "imgStix", "lblChanges", "frmMotions", "frmSensitivityLights", "frmTabs",
                             // The pages' own grouping frames lie on the page and are its ground.
                             "frmButtons", "frmKeys", "frmCurves", "frmNullRegion"})
    WatchSurface(controls_.Get<QWidget>(ground), reset);
  for (const char* array : {"imgMotion", "imgSensitivity", "lblSensitivity"})
    for (const auto& [index, widget] : controls_.Members(array)) WatchSurface(widget, reset);
  WatchTabs(tabSensitivity, reset);
  WatchTabs(controls_.Get<QTabWidget>("tabChording"), [this] { tabChording_MouseMove(); });

  OnClick(Command2, [this] { Command2_Click(); });
}

HoverContext frmMain::HoverState(const QWidget* control) const {
  HoverContext context;
  context.orientationIndex = motions_->Orientation();
  context.chordingOff = motions_->ChordingOff();
  context.useChordingUser = GameConfig.USE_CHORDING.USER;
  context.useButtons = GameConfig.USE_BUTTONS;
  context.motionAliasX = GameConfig.MotionAlias.X;
  context.motionAliasY = GameConfig.MotionAlias.Y;
  for (int axis = 1; axis <= 6; ++axis) context.axisMotion[axis] = motions_->Axes()[axis].Motion;
  context.controlEnabled = !control || control->isEnabled();
  return context;
}

void frmMain::HoverOver(HoverFamily family, int member, const QWidget* control) {
  PictureSetBase = editor::PictureSetBase(motions_->Orientation());
  Hover(Lights, family, member, HoverState(control));
  SyncPictures();
}

void frmMain::LightsOnSens(int Index) {
  PictureSetBase = editor::PictureSetBase(motions_->Orientation());
  if (!editor::LightsOnSens(Lights, motions_->Orientation(), Index)) return NoSuchPicture();
  SyncPictures();
  // Drawn now rather than at the next turn of the event loop.
  imgSensitivity(PictureSetBase + Index)->repaint();
}

void frmMain::LightsOnMotion(int Index) {
  PictureSetBase = editor::PictureSetBase(motions_->Orientation());
  if (!editor::LightsOnMotion(Lights, motions_->Orientation(), Index)) return NoSuchPicture();
  SyncPictures();
}

void frmMain::mcboAxis_MouseMove(int k) { HoverOver(HoverFamily::AxisCombo, k, controls_.Get<QWidget>("cboAxis", k)); }
void frmMain::mcboButton_MouseMove(int k) {
  HoverOver(HoverFamily::ButtonCombo, k, controls_.Get<QWidget>("cboButton", k));
}
void frmMain::mcboButtonAlias_MouseMove(int k) {
  HoverOver(HoverFamily::ButtonCombo, k, controls_.Get<QWidget>("cboButtonAlias", k));
}
void frmMain::mcboButtonChord_MouseMove(int k) {
  HoverOver(HoverFamily::ChordCombo, k, controls_.Get<QWidget>("cboButtonChord", k));
}
void frmMain::mcboButtonChordAlias_MouseMove(int k) {
  HoverOver(HoverFamily::ChordCombo, k, controls_.Get<QWidget>("cboButtonChordAlias", k));
}
void frmMain::mcboPosAxisCommand_MouseMove(int k) {
  HoverOver(HoverFamily::AxisDirectionCombo, k, controls_.Get<QWidget>("cboPosAxisCommand", k));
}
void frmMain::mcboNegAxisCommand_MouseMove(int k) {
  HoverOver(HoverFamily::AxisDirectionCombo, k, controls_.Get<QWidget>("cboNegAxisCommand", k));
}
void frmMain::mcboButtonAxisPOSAlias_MouseMove(int k) {
  HoverOver(HoverFamily::AxisDirectionCombo, k, controls_.Get<QWidget>("cboButtonAxisPOSAlias", k));
}
void frmMain::mcboButtonAxisNEGAlias_MouseMove(int k) {
  HoverOver(HoverFamily::AxisDirectionCombo, k, controls_.Get<QWidget>("cboButtonAxisNEGAlias", k));
}
void frmMain::mcboMouseX_MouseMove() { HoverOver(HoverFamily::MouseXCombo, 0, nullptr); }
void frmMain::mcboMouseY_MouseMove() { HoverOver(HoverFamily::MouseYCombo, 0, nullptr); }
void frmMain::sldSensitivity_MouseMove(int Index) {
  HoverOver(HoverFamily::Slider, Index, controls_.Get<QWidget>("sldSensitivity", Index));
}
void frmMain::sldGain_MouseMove(int Index) {
  HoverOver(HoverFamily::Slider, Index, controls_.Get<QWidget>("sldGain", Index));
}
void frmMain::sldDeadzone_MouseMove(int Index) {
  HoverOver(HoverFamily::Slider, Index, controls_.Get<QWidget>("sldDeadzone", Index));
}

void frmMain::cbxInvertAxis_MouseMove(int Index) {
  if (!controls_.Get<QCheckBox>("cbxInvertAxis", Index)->isEnabled())
    ResetImage();
  else
    LightsOnMotion(Index);
}

void frmMain::Command2_Click() { (new frmPlayground(this))->show(); }

}  // namespace editor
