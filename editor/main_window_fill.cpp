// Showing a loaded configuration: every list gets its items and the stored
// selection, the sliders their values, the options their state. The load has
// already corrected the record, so these procedures only show it.
#include "editor/main_window.h"

#include "config_store/ryx_command_file.h"
#include "editor/pages/sensitivity_page.h"
#include "editor/selection.h"
#include "platform/dialogs.h"
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
  for (int i = 1; i <= 6; ++i)
    for (auto* list : {&cboAxis, &cboButton, &cboButtonAlias, &cboButtonChord, &cboButtonChordAlias,
                       &cboNegAxisCommand, &cboPosAxisCommand, &cboButtonAxisNEGAlias, &cboButtonAxisPOSAlias})
      Clear((*list)(i));
  for (int i = 7; i <= 16; ++i) {
    Clear(cboButtonChord(i));
    Clear(cboButtonChordAlias(i));
  }
  for (QComboBox* box : {cboPosMouseXCommand, cboNegMouseXCommand, cboPosMouseYCommand, cboNegMouseYCommand}) Clear(box);
  {
    QSignalBlocker blocker(tabChording);
    tabChording->setCurrentIndex(0);
  }
  QSignalBlocker blocker(txtGameInstructions);
  txtGameInstructions->clear();
}

void frmMain::ShowConfiguration() {
  FillScope filling;
  UpdateOrientation(GameConfig.ORIENTATION == "HORIZONTAL" ? 1 : 2);
  ShowInstructionsOptions();
  sensitivity_->SetSkill(GameConfig.LEVEL);
  sensitivity_->ShowSkillSliders(Flags.SkillLevel);
  ShowChording(GameConfig.USE_CHORDING.USER == "TRUE" ? 1 : 2);
  sensitivity_->ShowPrecision(GameConfig.USE_PRECISION.USER == "TRUE" ? 1 : 0);
  sensitivity_->ShowNullRegion();
  ShowAliasLists();
  ShowAxisMap();
  sensitivity_->ShowAxisNames();
  ShowButtonCommands();
  sensitivity_->ShowMasterSettings(GameConfig.USE_MASTER.USER == "FALSE" ? 0 : 1);
  sensitivity_->ShowCurves();
  ShowDeadzones("User");
}

void frmMain::UpdateOrientation(int Index) {
  if (Index == 1 || Index == 2) {
    OrientationIndex = Index;
    ShowOrientationSet(Lights, Index);
    SyncPictures();
    SetOption(optOrientation(Index));
    GameConfig.ORIENTATION = Index == 1 ? "HORIZONTAL" : "VERTICAL";
  } else {
    platform::MsgBox("BOO BOO", platform::MsgButtons::Ok, platform::MsgIcon::None, "");
  }
  tabChording_Click();
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

void frmMain::ShowChording(int Index) {
  SetOption(optChording(Index));
  {
    QSignalBlocker blocker(tabChording);
    tabChording->setCurrentIndex(0);
  }
  if (Index == 2) {
    if (GameConfig.USE_BUTTONS == "TRUE")
      for (int i = 1; i <= 6; ++i) cboButton(i)->setEnabled(true);
    tabChording->hide();
  } else {
    tabChording->show();
    tabChording->setEnabled(true);
    for (int i = 1; i <= 6; ++i) cboButton(i)->setEnabled(false);
  }
  tabChording_Click();
}

void frmMain::ShowAliasLists() {
  const auto& aliases = Lists.CustomAliases;
  const bool useKeys = GameConfig.USE_KEYS == "TRUE";
  for (int i = 1; i <= 16; ++i) {
    const std::string& own = GameConfig.ButtonSlot(i).ALIAS.ListName;
    std::string first = own.empty() ? "(None)" : own;
    AddItem(cboButtonChordAlias(i), first);
    Select(cboButtonChordAlias(i), 0);
    if (i <= 6) {
      AddItem(cboButtonAlias(i), first);
      Select(cboButtonAlias(i), 0);
      for (QComboBox* box : {cboButtonAxisPOSAlias(i), cboButtonAxisNEGAlias(i)}) {
        AddItem(box, "(None)");
        Select(box, 0);
      }
    }
  }
  if (useKeys) {
    for (int i = 1; i <= 16; ++i)
      for (const auto& alias : aliases) {
        AddItem(cboButtonChordAlias(i), alias.ListName);
        if (i <= 6)
          for (QComboBox* box : {cboButtonAlias(i), cboButtonAxisPOSAlias(i), cboButtonAxisNEGAlias(i)})
            AddItem(box, alias.ListName);
      }
    for (int i = 1; i <= 16; ++i)
      for (size_t k = 0; k < aliases.size(); ++k)
        if (aliases[k].GameInput == GameConfig.ButtonSlot(i).GameInput.USER) {
          Select(cboButtonChordAlias(i), static_cast<int>(k) + 1);
          if (i <= 6) Select(cboButtonAlias(i), static_cast<int>(k) + 1);
          break;
        }
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
  for (int i = 1; i <= 16; ++i) {
    cboButtonChordAlias(i)->setEnabled(useKeys);
    if (i <= 6) cboButtonAlias(i)->setEnabled(useKeys);
  }
}

void frmMain::ShowAxisMap() {
  for (int i = 1; i <= 6; ++i) {
    AddItem(cboAxis(i), "(None)");
    for (int m = 1; m <= 6; ++m)
      if (GameConfig.Polarity(m).DFLT != "0") AddItem(cboAxis(i), AxisMotionText(m));
    int m = ToInt(GameConfig.AxisMap(i).USER);
    AxisInfo[i].Motion = m;
    // A motion outside 1..6 names none: the axis shows "(None)".
    AxisInfo[i].Polarity = (m >= 1 && m <= 6) ? GameConfig.Polarity(m).USER : "0";
    // The motion's own item (labels may repeat); one the list does not offer shows "(None)" too.
    int item = AxisInfo[i].Polarity != "0" ? std::max(AxisItemOfMotion(m), 0) : 0;
    std::string text = item > 0 ? AxisMotionText(m) : "(None)";
    AxisInfo[i].MotionText = text;
    Select(cboAxis(i), item);
    AxisInfo[i].ComboText = text;
    if (text == "(None)") cbxInvertAxis(i)->setEnabled(false);
    SetChecked(cbxInvertAxis(i), AxisInfo[i].Polarity == "-");
  }
}

void frmMain::ShowButtonCommands() {
  const auto& commands = Lists.GameCommands;
  const int rows = static_cast<int>(commands.size()) - 1;  // the last entry is "(Button defined in game)"
  const bool chording = GameConfig.USE_CHORDING.USER == "TRUE";
  // The command lists of slot i: its chord list, and for buttons A to F also the button and axis lists.
  auto commandLists = [&](int i) {
    return i <= 6 ? QList<QComboBox*>{cboButtonChord(i), cboButton(i), cboPosAxisCommand(i), cboNegAxisCommand(i)}
                  : QList<QComboBox*>{cboButtonChord(i)};
  };
  for (int i = 1; i <= 16; ++i)
    for (QComboBox* box : commandLists(i)) {
      AddItem(box, config_store::kButtonDefinedInGame);
      Select(box, 0);
      box->setEnabled(false);
    }
  if (GameConfig.USE_BUTTONS != "FALSE") {
    tabChording->setEnabled(true);
    for (int i = 1; i <= 16; ++i) {
      for (int k = 1; k <= rows; ++k)
        for (QComboBox* box : commandLists(i)) {
          // With chording on the six plain button lists stay off, as the chording switch leaves them.
          box->setEnabled(!(chording && i <= 6 && box == cboButton(i)));
          AddItem(box, commands[k - 1].ListName);
        }
      const std::string& stored = GameConfig.ButtonSlot(i).GameCommand.USER;
      for (int k = 1; k <= rows && !stored.empty(); ++k)
        if (commands[k - 1].GameCommand == stored) {
          Select(cboButtonChord(i), k);
          if (i <= 6) Select(cboButton(i), k);
        }
    }
  } else {
    tabChording->setEnabled(false);
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
      if (AxisMotionOfItem(cboAxis(i)->currentIndex()) != motion + 1) continue;
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
