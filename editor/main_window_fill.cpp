// Showing a loaded configuration: every list gets its items and the stored
// selection, the sliders their values, the options their state. The load has
// already corrected the record, so these procedures only show it.
#include "editor/main_window.h"

#include "config_store/ryx_command_file.h"
#include "editor/pages/motions_page.h"
#include "editor/pages/sensitivity_page.h"
#include "editor/selection.h"
#include "platform/text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>

namespace editor {

void frmMain::ClearGameControls() {
  motions_->ClearGameControls();
  for (int i = 1; i <= 6; ++i)
    for (auto* list : {&cboNegAxisCommand, &cboPosAxisCommand, &cboButtonAxisNEGAlias, &cboButtonAxisPOSAlias})
      Clear((*list)(i));
  for (QComboBox* box : {cboPosMouseXCommand, cboNegMouseXCommand, cboPosMouseYCommand, cboNegMouseYCommand}) Clear(box);
  QSignalBlocker blocker(txtGameInstructions);
  txtGameInstructions->clear();
}

void frmMain::ShowConfiguration() {
  FillScope filling;
  motions_->UpdateOrientation(GameConfig.ORIENTATION == "HORIZONTAL" ? 1 : 2);
  ShowInstructionsOptions();
  sensitivity_->SetSkill(GameConfig.LEVEL);
  sensitivity_->ShowSkillSliders(Flags.SkillLevel);
  motions_->ShowChording(GameConfig.USE_CHORDING.USER == "TRUE" ? 1 : 2);
  sensitivity_->ShowPrecision(GameConfig.USE_PRECISION.USER == "TRUE" ? 1 : 0);
  sensitivity_->ShowNullRegion();
  motions_->ShowAliasLists();
  ShowAliasLists();
  motions_->ShowAxisMap();
  sensitivity_->ShowAxisNames();
  motions_->ShowButtonCommands();
  ShowButtonCommands();
  sensitivity_->ShowMasterSettings(GameConfig.USE_MASTER.USER == "FALSE" ? 0 : 1);
  sensitivity_->ShowCurves();
  ShowDeadzones("User");
}

void frmMain::ShowInstructionsOptions() {
  SetChecked(chkModifyInstructions, false);
  chkModifyInstructions->setEnabled(GameConfig.SHOW_INSTRUCTIONS == "TRUE" && GameConfig.OWNER == "USER");
  txtGameInstructions->setReadOnly(true);
  // The text as loaded, and the copy the change check compares it with.
  QString text = platform::FromAnsi(Session.Instructions);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  for (QPlainTextEdit* box : {txtGameInstructions, txtGameInstructionsCompare}) {
    QSignalBlocker blocker(box);
    box->setPlainText(text);
  }
}

void frmMain::ShowAliasLists() {
  const auto& aliases = Lists.CustomAliases;
  const bool useKeys = GameConfig.USE_KEYS == "TRUE";
  for (int i = 1; i <= 6; ++i)
    for (QComboBox* box : {cboButtonAxisPOSAlias(i), cboButtonAxisNEGAlias(i)}) {
      AddItem(box, "(None)");
      Select(box, 0);
    }
  if (useKeys) {
    for (int i = 1; i <= 6; ++i)
      for (const auto& alias : aliases)
        for (QComboBox* box : {cboButtonAxisPOSAlias(i), cboButtonAxisNEGAlias(i)}) AddItem(box, alias.ListName);
    auto mouseLists = [&](const std::string& value, QComboBox* pos, QComboBox* neg) {
      int motion = ToInt(value, -1);
      if (motion < 0 || motion > 5) return;
      AddItem(pos, GameConfig.MotionLabel(motion + 1).POS);
      AddItem(neg, GameConfig.MotionLabel(motion + 1).NEG);
      Select(pos, 0);
      Select(neg, 0);
    };
    mouseLists(GameConfig.MotionAlias.X, cboPosMouseXCommand, cboNegMouseXCommand);
    mouseLists(GameConfig.MotionAlias.Y, cboPosMouseYCommand, cboNegMouseYCommand);
  }
}

void frmMain::ShowButtonCommands() {
  const auto& commands = Lists.GameCommands;
  const int rows = static_cast<int>(commands.size()) - 1;  // the last entry is "(Button defined in game)"
  for (int i = 1; i <= 6; ++i)
    for (QComboBox* box : {cboPosAxisCommand(i), cboNegAxisCommand(i)}) {
      AddItem(box, config_store::kButtonDefinedInGame);
      Select(box, 0);
      box->setEnabled(false);
    }
  if (GameConfig.USE_BUTTONS != "FALSE")
    for (int i = 1; i <= 6; ++i)
      for (int k = 1; k <= rows; ++k)
        for (QComboBox* box : {cboPosAxisCommand(i), cboNegAxisCommand(i)}) {
          box->setEnabled(true);
          AddItem(box, commands[k - 1].ListName);
        }
  for (int i = 1; i <= 6; ++i) {
    for (int k = 1; k <= rows; ++k) {
      if (commands[k - 1].GameCommand == GameConfig.MotionAlias.MotionPos(i).GameCommand.USER &&
          k < cboPosAxisCommand(i)->count())
        Select(cboPosAxisCommand(i), k);
      if (commands[k - 1].GameCommand == GameConfig.MotionAlias.MotionNeg(i).GameCommand.USER &&
          k < cboNegAxisCommand(i)->count())
        Select(cboNegAxisCommand(i), k);
    }
    // An alias the lists do not hold (keys off) leaves "(None)" selected.
    for (size_t k = 0; k < Lists.CustomAliases.size(); ++k) {
      const std::string& input = Lists.CustomAliases[k].GameInput;
      int item = static_cast<int>(k) + 1;
      if (input == GameConfig.MotionAlias.MotionPos(i).GameInput.USER && item < cboButtonAxisPOSAlias(i)->count())
        Select(cboButtonAxisPOSAlias(i), item);
      if (input == GameConfig.MotionAlias.MotionNeg(i).GameInput.USER && item < cboButtonAxisNEGAlias(i)->count())
        Select(cboButtonAxisNEGAlias(i), item);
    }
  }
}

void frmMain::ShowDeadzones(const std::string& Kind) {
  for (int i = 1; i <= 6; ++i) {
    const auto& value = GameConfig.DeadzoneValues(i);
    SetValue(sldDeadzone(i), ToInt(Kind == "User" ? value.USER : value.DFLT));
  }
}

void frmMain::PlaceMouseCommands(bool& MousePlaced) {
  MousePlaced = false;
  const ShownMotions shown = motions_->Shown();
  QComboBox* mouse[2][4] = {
      {cboPosMouseXCommand, cboNegMouseXCommand, cboButtonMouseXPOSAlias, cboButtonMouseXNEGAlias},
      {cboPosMouseYCommand, cboNegMouseYCommand, cboButtonMouseYPOSAlias, cboButtonMouseYNEGAlias}};
  for (auto& lists : mouse)
    for (QComboBox* box : lists) box->hide();
  for (int i = 1; i <= 6; ++i) {
    const std::string values[2] = {GameConfig.MotionAlias.X, GameConfig.MotionAlias.Y};
    for (int which = 0; which < 2; ++which) {
      int motion = ToInt(values[which], -1);
      if (motion < 0 || motion > 5) continue;  // above 5 names no motion
      // By number: another motion may carry the same label.
      if (shown[i] != motion + 1) continue;
      MousePlaced = true;
      sldDeadzone(i)->setEnabled(true);
      QComboBox* rows[4] = {cboPosAxisCommand(i), cboNegAxisCommand(i), cboButtonAxisPOSAlias(i),
                            cboButtonAxisNEGAlias(i)};
      for (int k = 0; k < 4; ++k) {
        mouse[which][k]->move(rows[k]->pos());
        mouse[which][k]->show();
        mouse[which][k]->raise();
      }
    }
  }
}

}  // namespace editor
