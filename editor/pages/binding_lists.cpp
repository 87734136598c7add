#include "editor/pages/binding_lists.h"

#include "editor/selection.h"

#include <QComboBox>

namespace editor {

std::string ChosenCommand(const config_store::ConfigLists& lists, const QComboBox* list) {
  const std::string text = Text(list);
  const int k = list->currentIndex();
  const auto& commands = lists.GameCommands;
  if (text.empty() || text == config_store::kButtonDefinedInGame || k < 1 || k > static_cast<int>(commands.size()))
    return "";
  return commands[k - 1].GameCommand;
}

void StoreAlias(const config_store::ConfigLists& lists, const QComboBox* list, const std::string& firstInput,
                const std::string& firstEvent, config_store::TSettingPair& gameInput,
                config_store::TSettingPair& sendEvent) {
  const int k = list->currentIndex();
  const auto& aliases = lists.CustomAliases;
  if (k == 0) {
    gameInput.USER = firstInput;
    sendEvent.USER = firstEvent;
    return;
  }
  if (k < 1 || k > static_cast<int>(aliases.size())) return;
  gameInput.USER = aliases[k - 1].GameInput;
  sendEvent.USER = aliases[k - 1].SendEvent;
}

}  // namespace editor
