// The three "Reset to Default" buttons: each puts one page back to the
// configuration's _DFLT values, mostly by selecting in code, so that the
// handlers that store a player's choice store the defaults the same way.
#include "editor/main_window.h"

#include "editor/pages/sensitivity_page.h"
#include "editor/selection.h"
#include "platform/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

namespace editor {

namespace {

std::optional<long long> Number(const std::string& text) { return platform::ParseWholeNumber(text); }

}  // namespace

void frmMain::cmdMotionReset_Click() {
  if (!ConfirmReset(Flags)) return;
  const config_store::TGameConfig& c = GameConfig;
  // 1. The axis map. A motion is found by its number, never by its label: two
  // motions may carry the same text.
  for (int i = 1; i <= 6; ++i) {
    const int m = static_cast<int>(Number(c.AxisMap(i).DFLT).value_or(0));
    const std::string s = m >= 1 && m <= 6 ? c.Polarity(m).DFLT : "0";
    const int item = s == "+" || s == "-" ? AxisItemOfMotion(m) : -1;
    SetChecked(cbxInvertAxis(i), item > 0 && s == "-");
    Select(cboAxis(i), item > 0 ? item : 0);
    AxisInfo[i].ComboText = Text(cboAxis(i));
  }
  // 2. Orientation has no default of its own: the current one is applied again.
  UpdateOrientation(c.ORIENTATION == "HORIZONTAL" ? 1 : 2);
  // 3. Chording, then the precision button on its own page.
  UpdateChording(c.USE_CHORDING.DFLT == "TRUE" ? 1 : 2);
  sensitivity_->ResetPrecision();
  // 6. Button commands; the last equal entry wins.
  const auto& commands = Lists.GameCommands;
  if (platform::EqualsNoCase(GameConfig.USE_BUTTONS, "TRUE"))
    for (int b = 1; b <= 16; ++b) {
      const std::string& d = GameConfig.ButtonSlot(b).GameCommand.DFLT;
      if (d.empty()) {
        if (b <= 6) Select(cboButton(b), 0);
        Select(cboButtonChord(b), 0);
        continue;
      }
      for (size_t j = 0; j < commands.size(); ++j)
        if (commands[j].GameCommand == d) {
          if (b <= 6) SelectIfPresent(cboButton(b), static_cast<int>(j) + 1);
          SelectIfPresent(cboButtonChord(b), static_cast<int>(j) + 1);
        }
    }
  // 7. Button aliases, the first equal entry; a list without that entry (keys off) stays as it is.
  const auto& aliases = Lists.CustomAliases;
  for (int b = 1; b <= 16; ++b)
    for (size_t k = 0; k < aliases.size(); ++k)
      if (aliases[k].GameInput == GameConfig.ButtonSlot(b).GameInput.DFLT) {
        SelectIfPresent(b <= 6 ? cboButtonAlias(b) : cboButtonChordAlias(b), static_cast<int>(k) + 1);
        break;
      }
  AnyChanges("cmdMotionReset_Click");
}

void frmMain::cmdPointerlyReset_Click() {
  if (!ConfirmReset(Flags)) return;
  ShowDeadzones("Default");
  const auto& aliases = Lists.CustomAliases;
  const auto& commands = Lists.GameCommands;
  for (int a = 1; a <= 6; ++a) {
    const config_store::TMotionSlot* directions[2] = {&GameConfig.MotionAlias.MotionPos(a),
                                                 &GameConfig.MotionAlias.MotionNeg(a)};
    QComboBox* aliasLists[2] = {cboButtonAxisPOSAlias(a), cboButtonAxisNEGAlias(a)};
    QComboBox* commandLists[2] = {cboPosAxisCommand(a), cboNegAxisCommand(a)};
    for (int side = 0; side < 2; ++side) {
      const std::string& input = directions[side]->GameInput.DFLT;
      if (input.empty()) {
        Select(aliasLists[side], 0);
      } else {
        for (size_t k = 0; k < aliases.size(); ++k)
          if (aliases[k].GameInput == input) SelectIfPresent(aliasLists[side], static_cast<int>(k) + 1);
      }
      const std::string& command = directions[side]->GameCommand.DFLT;
      if (command.empty()) {
        Select(commandLists[side], 0);
      } else {
        // The trailing "(Button defined in game)" entry is not searched.
        for (size_t k = 0; k + 1 < commands.size(); ++k)
          if (commands[k].GameCommand == command) SelectIfPresent(commandLists[side], static_cast<int>(k) + 1);
      }
    }
  }
}

}  // namespace editor
