// Every text of the record in its declared field order: pairs DFLT then USER,
// arrays element by element, tables with the level varying fastest. The
// snapshot is written in this order.
#pragma once

#include "config_store/game_config.h"

#include <functional>
#include <string>

namespace config_store {

void ForEachRecordText(const TGameConfig& record, const std::function<void(const std::string&)>& visit);

}  // namespace config_store
