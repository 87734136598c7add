// The binding editors of the key page: the command and key lists of the axes'
// two directions, and the instructions lock. Each list stores the player's
// choice into the USER half of its slot and runs the change check.
#include "editor/main_window.h"

#include "editor/pages/binding_lists.h"
#include "editor/selection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

namespace editor {

void frmMain::cboPosAxisCommand_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  GameConfig.MotionAlias.MotionPos(Index).GameCommand.USER = ChosenCommand(Lists, cboPosAxisCommand(Index));
  AnyChanges("cboPosAxisCommand_Change");
}

void frmMain::cboNegAxisCommand_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  GameConfig.MotionAlias.MotionNeg(Index).GameCommand.USER = ChosenCommand(Lists, cboNegAxisCommand(Index));
  AnyChanges("cboNegAxisCommand_Change");
}

void frmMain::cboButtonAxisPOSAlias_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  auto& slot = GameConfig.MotionAlias.MotionPos(Index);
  StoreAlias(Lists, cboButtonAxisPOSAlias(Index), "", "", slot.GameInput, slot.SendEvent);
  AnyChanges("cboButtonAxisPOSAlias_Change");
}

void frmMain::cboButtonAxisNEGAlias_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  auto& slot = GameConfig.MotionAlias.MotionNeg(Index);
  StoreAlias(Lists, cboButtonAxisNEGAlias(Index), "", "", slot.GameInput, slot.SendEvent);
  AnyChanges("cboButtonAxisNEGAlias_Change");
}

void frmMain::chkModifyInstructions_Click() {
  switch (chkModifyInstructions->checkState()) {
    case Qt::Checked: txtGameInstructions->setReadOnly(false); break;
    case Qt::Unchecked: txtGameInstructions->setReadOnly(true); break;
    default: break;  // greyed: the lock stays as it is
  }
}

void frmMain::ConnectBindingHandlers() {
  auto each = [](auto& array, auto handler) {
    for (auto& [index, control] : array.Members()) {
      const int i = index;
      OnClick(control, [handler, i] { handler(i); });
    }
  };
  each(cboPosAxisCommand, [this](int i) { cboPosAxisCommand_Click(i); });
  each(cboNegAxisCommand, [this](int i) { cboNegAxisCommand_Click(i); });
  each(cboButtonAxisPOSAlias, [this](int i) { cboButtonAxisPOSAlias_Click(i); });
  each(cboButtonAxisNEGAlias, [this](int i) { cboButtonAxisNEGAlias_Click(i); });
}

}  // namespace editor
