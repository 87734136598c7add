// The axis map: which motion each physical axis drives. A motion is driven by
// at most one axis; internally the six axes always hold the six motions in
// some order (an axis showing "(None)" silently keeps a freed one with
// polarity "0"), which is what the axis-map vector stores.
#include "editor/main_window.h"

#include "editor/pages/sensitivity_page.h"
#include "editor/selection.h"
#include "platform/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

namespace editor {

std::string frmMain::AxisMotionText(int Motion) const {
  return GameConfig.MotionLabel(Motion).POS + "/" + GameConfig.MotionLabel(Motion).NEG;
}

// The lists hold "(None)" and then the motions whose default polarity is not
// "0", in motion order; the defaults do not change after a load.
int frmMain::AxisMotionOfItem(int item) const {
  int k = 0;
  for (int m = 1; m <= 6 && item >= 1; ++m)
    if (GameConfig.Polarity(m).DFLT != "0" && ++k == item) return m;
  return 0;
}

int frmMain::AxisItemOfMotion(int Motion) const {
  if (Motion < 1 || Motion > 6 || GameConfig.Polarity(Motion).DFLT == "0") return -1;
  int item = 0;
  for (int m = 1; m <= Motion; ++m)
    if (GameConfig.Polarity(m).DFLT != "0") ++item;
  return item;
}

void frmMain::cboAxis_Click(int Index) {
  if (mbBusy) return;
  mbBusy = true;
  UpdateAxis(Index);
  AnyChanges("cboAxis_Click");
  mbBusy = false;
}

void frmMain::UpdateAxis(int Index) {
  if (Flags.LoadingControls) return;
  AxisUpdating = true;
  for (int i = 1; i <= 6; ++i) cbxInvertAxis(i)->setEnabled(true);

  // The motion chosen leaves the axis that drove it. Motions are compared by
  // number: two motions may carry the same label.
  auto motionShown = [this](int axis) { return AxisMotionOfItem(cboAxis(axis)->currentIndex()); };
  const int chosen = motionShown(Index);
  if (chosen != 0)
    for (int k = 1; k <= 6; ++k)
      if (k != Index && motionShown(k) == chosen) {
        Select(cboAxis(k), 0);  // its handler returns: a binding handler is at work
        AxisInfo[k].MotionText = "(None)";
        AxisInfo[k].Motion = 0;
        AxisInfo[k].Polarity = "0";
      }

  for (int a = 1; a <= 6; ++a) {
    const int m = motionShown(a);
    TAxisInfo& info = AxisInfo[a];
    if (m != 0) {
      info.MotionText = AxisMotionText(m);
      info.Motion = m;
      // A newly assigned axis starts normal; an assigned one keeps its sign.
      if (info.Polarity != "+" && info.Polarity != "-") info.Polarity = "+";
    } else {
      info.MotionText = "(None)";
      info.Polarity = "0";
    }
  }
  for (int r = 1; r <= 6; ++r)
    if (AxisInfo[r].MotionText == "(None)") {
      AxisInfo[r].Motion = 0;
      AxisInfo[r].Polarity = "0";
      cbxInvertAxis(r)->setEnabled(false);
    }
  for (int s = 1; s <= 6; ++s) {
    TAxisInfo& info = AxisInfo[s];
    SetChecked(cbxInvertAxis(s), info.Polarity == "-");  // its handler returns while the page is rewritten
    if (info.Polarity != "-" && info.Polarity != "+") {
      info.Polarity = "0";
      cbxInvertAxis(s)->setEnabled(false);
    }
  }
  // The rows of the sensitivity page follow the axes.
  sensitivity_->ShowAxisRows();

  // Free motions go to the axes without one, lowest first.
  bool held[7] = {};
  for (int a = 1; a <= 6; ++a)
    if (AxisInfo[a].Motion >= 1 && AxisInfo[a].Motion <= 6) held[AxisInfo[a].Motion] = true;
  int freeMotion = 1;
  for (int a = 1; a <= 6; ++a) {
    if (AxisInfo[a].Motion != 0) continue;
    while (freeMotion <= 6 && held[freeMotion]) ++freeMotion;
    if (freeMotion > 6) break;
    AxisInfo[a].Motion = freeMotion;
    held[freeMotion] = true;
  }

  bool anyKeys = false;
  for (int i = 1; i <= 6; ++i) {
    const bool usesKeys = GameConfig.MotionAlias.UseKeys(i) == "TRUE" && GameConfig.USE_KEYS == "TRUE";
    const bool commands = usesKeys && GameConfig.USE_BUTTONS == "TRUE";
    cboPosAxisCommand(i)->setEnabled(commands);
    cboNegAxisCommand(i)->setEnabled(commands);
    cboButtonAxisPOSAlias(i)->setEnabled(usesKeys);
    cboButtonAxisNEGAlias(i)->setEnabled(usesKeys);
    sldDeadzone(i)->setEnabled(usesKeys);
    anyKeys = anyKeys || usesKeys;
    GameConfig.AxisMap(i).USER = std::to_string(AxisInfo[i].Motion);
    bool mousePlaced = false;
    PlaceMouseCommands(mousePlaced);
    anyKeys = anyKeys || mousePlaced;
  }
  if (tabSensitivity->currentIndex() == 2 && !anyKeys) tabSensitivity->setCurrentIndex(1);
  tabSensitivity->setTabEnabled(2, anyKeys);
  AxisUpdating = false;
}

}  // namespace editor
