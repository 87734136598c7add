#include "editor/pages/keyboard_page.h"

#include "config_store/scg_values.h"
#include "editor/pages/binding_lists.h"
#include "editor/pages/keyboard_controls.h"
#include "editor/selection.h"

#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <utility>

namespace editor {

KeyboardPage::KeyboardPage(QWidget* page, ControlRegistry& registry, config_store::ConfigSession& session,
                           QObject* parent)
    : Page(session, parent) {
  BuildControls(kKeyboardPage, page, registry);
  const ControlRegistry& c = registry;
  cboPosAxisCommand = ControlArray<QComboBox>(c, "cboPosAxisCommand");
  cboNegAxisCommand = ControlArray<QComboBox>(c, "cboNegAxisCommand");
  cboButtonAxisPOSAlias = ControlArray<QComboBox>(c, "cboButtonAxisPOSAlias");
  cboButtonAxisNEGAlias = ControlArray<QComboBox>(c, "cboButtonAxisNEGAlias");
  sldDeadzone = ControlArray<QSlider>(c, "sldDeadzone");
  cboPosMouseXCommand = c.Get<QComboBox>("cboPosMouseXCommand");
  cboNegMouseXCommand = c.Get<QComboBox>("cboNegMouseXCommand");
  cboButtonMouseXPOSAlias = c.Get<QComboBox>("cboButtonMouseXPOSAlias");
  cboButtonMouseXNEGAlias = c.Get<QComboBox>("cboButtonMouseXNEGAlias");
  cboPosMouseYCommand = c.Get<QComboBox>("cboPosMouseYCommand");
  cboNegMouseYCommand = c.Get<QComboBox>("cboNegMouseYCommand");
  cboButtonMouseYPOSAlias = c.Get<QComboBox>("cboButtonMouseYPOSAlias");
  cboButtonMouseYNEGAlias = c.Get<QComboBox>("cboButtonMouseYNEGAlias");
  cmdPointerlyReset = c.Get<QPushButton>("cmdPointerlyReset");
  // The mouse lists show only on the row of the axis that drives the mouse.
  for (QComboBox* box : {cboPosMouseXCommand, cboNegMouseXCommand, cboButtonMouseXPOSAlias, cboButtonMouseXNEGAlias,
                         cboPosMouseYCommand, cboNegMouseYCommand, cboButtonMouseYPOSAlias, cboButtonMouseYNEGAlias})
    box->hide();
  ConnectHandlers();
}

void KeyboardPage::ConnectHandlers() {
  // Each member of an array runs the handler with its own index.
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
  for (auto& [index, slider] : sldDeadzone.Members()) {
    const int i = index;
    OnChange(slider, [this, i] { sldDeadzone_Change(i); });
  }
  OnClick(cmdPointerlyReset, [this] { cmdPointerlyReset_Click(); });
}

// ------------------------------------------------------------------ handlers

void KeyboardPage::cboPosAxisCommand_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  GameConfig.MotionAlias.MotionPos(Index).GameCommand.USER = ChosenCommand(Lists, cboPosAxisCommand(Index));
  AnyChanges("cboPosAxisCommand_Change");
}

void KeyboardPage::cboNegAxisCommand_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  GameConfig.MotionAlias.MotionNeg(Index).GameCommand.USER = ChosenCommand(Lists, cboNegAxisCommand(Index));
  AnyChanges("cboNegAxisCommand_Change");
}

void KeyboardPage::cboButtonAxisPOSAlias_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  auto& slot = GameConfig.MotionAlias.MotionPos(Index);
  StoreAlias(Lists, cboButtonAxisPOSAlias(Index), "", "", slot.GameInput, slot.SendEvent);
  AnyChanges("cboButtonAxisPOSAlias_Change");
}

void KeyboardPage::cboButtonAxisNEGAlias_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  auto& slot = GameConfig.MotionAlias.MotionNeg(Index);
  StoreAlias(Lists, cboButtonAxisNEGAlias(Index), "", "", slot.GameInput, slot.SendEvent);
  AnyChanges("cboButtonAxisNEGAlias_Change");
}

void KeyboardPage::sldDeadzone_Change(int Index) {
  if (Flags.LoadingControls) return;
  GameConfig.DeadzoneValues(Index).USER = std::to_string(sldDeadzone(Index)->value());
  AnyChanges("sldDeadzone_Change");
}

// The page back to the configuration's _DFLT values by selecting in code, so
// that the handlers that store a player's choice store the defaults. Each
// handler has run the change check; the mouse lists and the axes' key
// switches are not reset.
void KeyboardPage::cmdPointerlyReset_Click() {
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

// ------------------------------------------------------- showing the record

void KeyboardPage::ShowMouseAxisLabels() {
  for (auto [box, text] :
       {std::pair{cboButtonMouseXPOSAlias, "Mouse X"}, std::pair{cboButtonMouseXNEGAlias, "Mouse X"},
        std::pair{cboButtonMouseYPOSAlias, "Mouse Y"}, std::pair{cboButtonMouseYNEGAlias, "Mouse Y"}}) {
    AddItem(box, text);
    Select(box, 0);
  }
}

void KeyboardPage::Clear() {
  for (int i = 1; i <= 6; ++i)
    for (auto* list : {&cboNegAxisCommand, &cboPosAxisCommand, &cboButtonAxisNEGAlias, &cboButtonAxisPOSAlias})
      editor::Clear((*list)(i));
  for (QComboBox* box : {cboPosMouseXCommand, cboNegMouseXCommand, cboPosMouseYCommand, cboNegMouseYCommand})
    editor::Clear(box);
}

void KeyboardPage::ShowAliasLists() {
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

void KeyboardPage::ShowButtonCommands() {
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
      const config_store::TCustomAlias& alias = Lists.CustomAliases[k];
      int item = static_cast<int>(k) + 1;
      if (config_store::AliasNamedBy(alias, GameConfig.MotionAlias.MotionPos(i).GameInput.USER) &&
          item < cboButtonAxisPOSAlias(i)->count())
        Select(cboButtonAxisPOSAlias(i), item);
      if (config_store::AliasNamedBy(alias, GameConfig.MotionAlias.MotionNeg(i).GameInput.USER) &&
          item < cboButtonAxisNEGAlias(i)->count())
        Select(cboButtonAxisNEGAlias(i), item);
    }
  }
}

void KeyboardPage::ShowDeadzones(const std::string& Kind) {
  for (int i = 1; i <= 6; ++i) {
    const auto& value = GameConfig.DeadzoneValues(i);
    SetValue(sldDeadzone(i), ToInt(Kind == "User" ? value.USER : value.DFLT));
  }
}

void KeyboardPage::PlaceMouseCommands(const ShownMotions& shown, bool& MousePlaced) {
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

bool KeyboardPage::ShowKeyRows(const ShownMotions& shown) {
  bool anyKeys = false;
  for (int row = 1; row <= 6; ++row) {
    bool usesKeys = GameConfig.MotionAlias.UseKeys(row) == "TRUE" && GameConfig.USE_KEYS == "TRUE";
    bool commands = usesKeys && GameConfig.USE_BUTTONS == "TRUE";
    cboNegAxisCommand(row)->setEnabled(commands);
    cboPosAxisCommand(row)->setEnabled(commands);
    cboButtonAxisNEGAlias(row)->setEnabled(usesKeys);
    cboButtonAxisPOSAlias(row)->setEnabled(usesKeys);
    sldDeadzone(row)->setEnabled(usesKeys);
    anyKeys = anyKeys || usesKeys;
    bool placed = false;
    PlaceMouseCommands(shown, placed);
    anyKeys = anyKeys || placed;
  }
  return anyKeys;
}

}  // namespace editor
