// What the binding lists of the motions page and the key page share: the
// entry a list's selection stands for, and the busy flag of a binding handler.
#pragma once

#include "config_store/game_config.h"

#include <string>

class QComboBox;

namespace editor {

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
std::string ChosenCommand(const config_store::ConfigLists& lists, const QComboBox* list);

// Stores the key of an alias list's selection: item 0 is `first`, item k
// alias k; with nothing selected, nothing.
void StoreAlias(const config_store::ConfigLists& lists, const QComboBox* list, const std::string& firstInput,
                const std::string& firstEvent, config_store::TSettingPair& gameInput,
                config_store::TSettingPair& sendEvent);

}  // namespace editor
