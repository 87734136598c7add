// The binding editors: the command and key lists of the buttons, the chord
// slots and the axes' two directions, the precision-button list, the invert
// boxes and the instructions lock. Each stores the player's choice into the
// USER half of its slot and runs the change check.
#include "editor/main_window.h"

#include "editor/selection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

namespace editor {

namespace {

using config_store::TSettingPair;

// One binding handler at work: the selections it makes in code (the twin
// list's mirror) run their handlers, which then return at once.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

// The game command of a command list's selection; "" for the game's own button.
std::string ChosenCommand(const frmMain& w, const QComboBox* list) {
  const std::string text = Text(list);
  const int k = list->currentIndex();
  const auto& commands = w.Lists.GameCommands;
  if (text.empty() || text == config_store::kButtonDefinedInGame || k < 1 || k > static_cast<int>(commands.size()))
    return "";
  return commands[k - 1].GameCommand;
}

// Shows in `twin` the entry `list` shows: the same item when the twin holds it
// with the same text (two commands may share a list text), else the equal text.
void Mirror(const QComboBox* list, QComboBox* twin) {
  const int k = list->currentIndex();
  if (k >= 0 && k < twin->count() && twin->itemText(k) == list->currentText())
    Select(twin, k);
  else
    SetText(twin, Text(list));
}

// Stores the key of an alias list's selection: item 0 is `first`, item k
// alias k; with nothing selected, nothing.
void StoreAlias(const frmMain& w, const QComboBox* list, const std::string& firstInput, const std::string& firstEvent,
                TSettingPair& gameInput, TSettingPair& sendEvent) {
  const int k = list->currentIndex();
  const auto& aliases = w.Lists.CustomAliases;
  if (k == 0) {
    gameInput.USER = firstInput;
    sendEvent.USER = firstEvent;
    return;
  }
  if (k < 1 || k > static_cast<int>(aliases.size())) return;
  gameInput.USER = aliases[k - 1].GameInput;
  sendEvent.USER = aliases[k - 1].SendEvent;
}

}  // namespace

void frmMain::cboButton_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  GameConfig.ButtonSlot(Index).GameCommand.USER = ChosenCommand(*this, cboButton(Index));
  Mirror(cboButton(Index), cboButtonChord(Index));
  AnyChanges("cboButton_Change");
}

void frmMain::cboButtonChord_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  GameConfig.ButtonSlot(Index).GameCommand.USER = ChosenCommand(*this, cboButtonChord(Index));
  if (Index <= 6) Mirror(cboButtonChord(Index), cboButton(Index));
  AnyChanges("cboButtonChord_Change");
}

void frmMain::cboButtonAlias_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  auto& slot = GameConfig.ButtonSlot(Index);
  StoreAlias(*this, cboButtonAlias(Index), slot.ALIAS.GameInput, slot.ALIAS.SendEvent, slot.GameInput, slot.SendEvent);
  Mirror(cboButtonAlias(Index), cboButtonChordAlias(Index));
  AnyChanges("cboButtonAlias_Change");
}

void frmMain::cboButtonChordAlias_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  auto& slot = GameConfig.ButtonSlot(Index);
  StoreAlias(*this, cboButtonChordAlias(Index), slot.ALIAS.GameInput, slot.ALIAS.SendEvent, slot.GameInput,
             slot.SendEvent);
  if (Index <= 6) Mirror(cboButtonChordAlias(Index), cboButtonAlias(Index));
  AnyChanges("cboButtonChordAlias_Change");
}

void frmMain::cboPosAxisCommand_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  GameConfig.MotionAlias.MotionPos(Index).GameCommand.USER = ChosenCommand(*this, cboPosAxisCommand(Index));
  AnyChanges("cboPosAxisCommand_Change");
}

void frmMain::cboNegAxisCommand_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  GameConfig.MotionAlias.MotionNeg(Index).GameCommand.USER = ChosenCommand(*this, cboNegAxisCommand(Index));
  AnyChanges("cboNegAxisCommand_Change");
}

void frmMain::cboButtonAxisPOSAlias_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  auto& slot = GameConfig.MotionAlias.MotionPos(Index);
  StoreAlias(*this, cboButtonAxisPOSAlias(Index), "", "", slot.GameInput, slot.SendEvent);
  AnyChanges("cboButtonAxisPOSAlias_Change");
}

void frmMain::cboButtonAxisNEGAlias_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  auto& slot = GameConfig.MotionAlias.MotionNeg(Index);
  StoreAlias(*this, cboButtonAxisNEGAlias(Index), "", "", slot.GameInput, slot.SendEvent);
  AnyChanges("cboButtonAxisNEGAlias_Change");
}

void frmMain::cbxInvertAxis_Click(int Index) {
  if (Flags.LoadingControls || AxisUpdating) return;
  AxisInfo[Index].Polarity = cbxInvertAxis(Index)->isChecked() ? "-" : "+";
  // The change check stores the sign into the polarity of the axis's motion first.
  AnyChanges("cbxInvertAxis_Click");
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
  each(cboButton, [this](int i) { cboButton_Click(i); });
  each(cboButtonChord, [this](int i) { cboButtonChord_Click(i); });
  each(cboButtonAlias, [this](int i) { cboButtonAlias_Click(i); });
  each(cboButtonChordAlias, [this](int i) { cboButtonChordAlias_Click(i); });
  each(cboPosAxisCommand, [this](int i) { cboPosAxisCommand_Click(i); });
  each(cboNegAxisCommand, [this](int i) { cboNegAxisCommand_Click(i); });
  each(cboButtonAxisPOSAlias, [this](int i) { cboButtonAxisPOSAlias_Click(i); });
  each(cboButtonAxisNEGAlias, [this](int i) { cboButtonAxisNEGAlias_Click(i); });
  each(cbxInvertAxis, [this](int i) { cbxInvertAxis_Click(i); });
  each(cboAxis, [this](int i) { cboAxis_Click(i); });
  OnClick(chkModifyInstructions, [this] { chkModifyInstructions_Click(); });
}

}  // namespace editor
