// The three "Reset to Default" buttons: each puts one page back to the
// configuration's _DFLT values, mostly by selecting in code, so that the
// handlers that store a player's choice store the defaults the same way.
#include "editor/main_window.h"

#include "editor/pages/page.h"
#include "editor/selection.h"

#include <QComboBox>

namespace editor {

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
