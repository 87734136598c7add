// The three "Reset to Default" buttons: each puts one page back to the
// configuration's _DFLT values, mostly by selecting in code, so that the
// handlers that store a player's choice store the defaults the same way.
#include "editor/main_window.h"

#include "config_store/ryx_command_file.h"
#include "editor/selection.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

namespace editor {

namespace {

std::optional<long long> Number(const std::string& text) { return platform::ParseWholeNumber(text); }

// Selects item `index` when the list has it; a missing item leaves the list as it is.
void SelectIfPresent(QComboBox* box, int index) {
  if (index >= 0 && index < box->count()) Select(box, index);
}

}  // namespace

bool frmMain::ConfirmReset() {
  if (Flags.ConfigModified != 1) return true;
  return platform::MsgBox("This configuration has been modified.  If you reset to the defaults, your\r\n"
                          "changes will be lost.   Would you still like to continue?",
                          platform::MsgButtons::YesNo, platform::MsgIcon::Question, "Reset") == platform::MsgResult::Yes;
}

void frmMain::cmdMotionReset_Click() {
  if (!ConfirmReset()) return;
  const config_store::TGameConfig& c = GameConfig;
  // The axis map. A motion is found by its number, never by its label: two
  // motions may carry the same text.
  for (int i = 1; i <= 6; ++i) {
    const int m = static_cast<int>(Number(c.AxisMap(i).DFLT).value_or(0));
    const std::string s = m >= 1 && m <= 6 ? c.Polarity(m).DFLT : "0";
    const int item = s == "+" || s == "-" ? AxisItemOfMotion(m) : -1;
    SetChecked(cbxInvertAxis(i), item > 0 && s == "-");
    Select(cboAxis(i), item > 0 ? item : 0);
    AxisInfo[i].ComboText = Text(cboAxis(i));
  }
  // Orientation has no default of its own: the current one is applied again.
  UpdateOrientation(c.ORIENTATION == "HORIZONTAL" ? 1 : 2);
  // Chording and the precision button's switch, from their defaults.
  UpdateChording(c.USE_CHORDING.DFLT == "TRUE" ? 1 : 2);
  SetOption(optPrecisionButton(c.USE_PRECISION.DFLT == "TRUE" ? 1 : 0));
  // A precision sensitivity missing from the file (read as 10) takes the
  // value a load gives a missing USER half, rather than locking a sound file.
  const long long sensitivity = Number(c.PRECISION.SENS.DFLT).value_or(-1);
  SetValue(sldPrecisionSensitivity, sensitivity >= 0 && sensitivity <= 5 ? static_cast<int>(sensitivity) : 3);
  const std::optional<long long> gain = Number(c.PRECISION.GAIN.DFLT);
  if (!gain || *gain < 0 || *gain > 1000)
    ControlsLock("");
  else
    SetValue(sldPrecisionGain, static_cast<int>(*gain));  // the slider keeps it within its range
  // Button commands; the last equal entry wins.
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
  // Button aliases, the first equal entry; a list without that entry (keys off) stays as it is.
  const auto& aliases = Lists.CustomAliases;
  for (int b = 1; b <= 16; ++b)
    for (size_t k = 0; k < aliases.size(); ++k)
      if (aliases[k].GameInput == GameConfig.ButtonSlot(b).GameInput.DFLT) {
        SelectIfPresent(b <= 6 ? cboButtonAlias(b) : cboButtonChordAlias(b), static_cast<int>(k) + 1);
        break;
      }
  // The precision button, counted from the default mode's own base.
  if (c.USE_PRECISION.DFLT == "TRUE" && (c.USE_CHORDING.DFLT == "TRUE" || c.USE_CHORDING.DFLT == "FALSE")) {
    const long long base = c.PRECISION.MODE.DFLT == "LOGICAL" ? 6 : 0;
    const long long item = Number(c.PRECISION.BUTTON.DFLT).value_or(0) + base;
    const int last = cboPrecisionButton->count() - 1;
    Select(cboPrecisionButton, item < 0 ? 0 : item > last ? last : static_cast<int>(item));
  } else {
    Select(cboPrecisionButton, 0);
    // The lone "Button A" of a list with precision off stands for no choice:
    // the default button is what comes back when precision is switched on.
    const bool logical = c.PRECISION.MODE.DFLT == "LOGICAL" && c.USE_CHORDING.DFLT == "TRUE";
    GameConfig.PRECISION.MODE.USER = logical ? "LOGICAL" : "PHYSICAL";
    const long long button = Number(c.PRECISION.BUTTON.DFLT).value_or(0);
    GameConfig.PRECISION.BUTTON.USER = std::to_string(std::clamp(button, 0LL, logical ? 15LL : 5LL));
    Flags.PrecisionButtonBase = logical ? 6 : 0;
  }
  AnyChanges("cmdMotionReset_Click");
}

void frmMain::cmdPointerlyReset_Click() {
  if (!ConfirmReset()) return;
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

void frmMain::cmdSensitivityReset_Click() {
  if (!ConfirmReset()) return;
  config_store::TGameConfig& c = GameConfig;
  Flags.LoadingControls = true;
  for (int j = 1; j <= 7; ++j) {
    auto& sensitivity = c.SensitivityTable(Flags.SkillLevel, j);
    auto& gain = c.GainTable(Flags.SkillLevel, j);
    SetValue(sldSensitivity(j), static_cast<int>(Number(sensitivity.DFLT).value_or(0)));
    SetValue(sldGain(j), static_cast<int>(Number(gain.DFLT).value_or(0)));
    sensitivity.USER = sensitivity.DFLT;
    gain.USER = gain.DFLT;
  }
  // The null region stays within what the slider and the device take, as a load keeps it.
  const long long null = Number(c.NULL_REGION.DFLT).value_or(-1);
  c.NULL_REGION.USER = null >= 0 && null <= 127 ? c.NULL_REGION.DFLT : "0";
  SetValue(sldNull, static_cast<int>(Number(c.NULL_REGION.USER).value_or(0)));
  // The master switch runs its handler once, also when the option is already
  // selected, so the USER value and the sliders always follow the default.
  const int master = c.USE_MASTER.DFLT == "TRUE" ? 1 : 0;
  {
    QSignalBlocker blocker(optMasterSettings(master));
    optMasterSettings(master)->setChecked(true);
  }
  optMasterSettings_Click(master);
  for (int slot = 1; slot <= 6; ++slot) {
    std::string p = c.Curve(slot).DFLT;
    if (p.size() >= 2 && p[0] == '.' && p[1] == '\\') p = ProgramFolder + p.substr(1);
    c.Curve(slot).USER = platform::FileExists(config_store::ryx::CurveFilePath(p, ProgramFolder)) ? p : "";
    ShowCurveSlot(slot);
  }
  Flags.LoadingControls = false;
  AnyChanges("cmdSensitivityReset_Click");
}

}  // namespace editor
