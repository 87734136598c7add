// The curve files the sensitivity page's buttons work on, in the program's
// crv/ folder (made when it is missing). The window does this work for the
// page, which touches no file.
#pragma once

#include "config_store/game_config.h"
#include "platform/process/tool_runner.h"

#include <array>
#include <optional>
#include <string>

namespace editor {

// The device's curve in `slot` (1..6) saved by the control tool into a file
// the player chooses (the run is not awaited).
void DownloadCurve(const std::string& programFolder, int slot, platform::ToolRunner& runner);

// A curve file the player chooses: its path, or empty when that file does not
// exist; nothing when the player cancelled or the path was refused (one
// holding a double quote, said in a box).
std::optional<std::string> ChooseCurveFile(const std::string& programFolder);

// Where each slot's stored curve lies (index 1..6), as the page's tips show it.
std::array<std::string, 7> CurveFilesOf(const config_store::TGameConfig& config, const std::string& programFolder);

}  // namespace editor
