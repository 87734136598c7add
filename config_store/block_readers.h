// The five brace blocks of a .scg file (COPY_FILES, CUSTOM, SHOW_INSTRUCTIONS,
// USE_BUTTONS, CUSTOM_ALIAS), read by one scanner over the file's lines, and the
// built-in alias table that stands in for a missing CUSTOM_ALIAS block.
#pragma once

#include "config_store/game_config.h"

#include <optional>
#include <string>
#include <vector>

namespace config_store {

// The text that locks the editor after a failed read ("USE_BUTTONS= not found");
// empty when the read went well.
using LockText = std::optional<std::string>;

// A block's key line, the row lines up to its "   }" line, and how the scan
// ended. The key is searched to the end of the file; at most `rowLimit` rows
// (0 = no limit) are taken.
struct BlockScan {
  enum class End { Terminator, KeyNotFound, RowLimit, EndOfFile };
  End end = End::KeyNotFound;
  std::vector<std::string> rows;  // raw lines, empty lines left out
  std::vector<std::string> rawLines;  // every line between "   {" and the end, empty ones too
};
inline constexpr int kBlockRowLimit = 500;
BlockScan ScanBlock(const std::vector<std::string>& lines, const std::string& keyWord, int rowLimit);

// Each reader fills its list (reset first to its flag-off shape) and returns the
// lock text of a failure.
LockText ReadCopyFilesBlock(const std::vector<std::string>& lines, const std::string& COPY_FILES,
                            std::vector<TCopyFile>& CopyFiles);
LockText ReadCustomBlock(const std::vector<std::string>& lines, const std::string& CUSTOM,
                         std::vector<TCustomAction>& CustomActions);
// The text, each line followed by CR LF; empty unless the flag is other than "FALSE".
void ReadInstructionsBlock(const std::vector<std::string>& lines, const std::string& SHOW_INSTRUCTIONS,
                           std::string& Instructions);
LockText ReadUseButtonsBlock(const std::vector<std::string>& lines, const std::string& USE_BUTTONS,
                             std::vector<TGameCommand>& GameCommands);
LockText ReadCustomAliasBlock(const std::vector<std::string>& lines, const std::string& CUSTOM_ALIAS,
                              std::vector<TCustomAlias>& CustomAliases);

// The fields of a CUSTOM row (three to six), split at each backslash-comma pair;
// empty when the row has more than six fields or a field too short for its quotes.
std::optional<TCustomAction> SplitCustomRow(const std::string& row);
// The two fields of a COPY_FILES row.
TCopyFile SplitCopyRow(const std::string& row);

void LoadDefaultKeyAliases(std::vector<TCustomAlias>& CustomAliases);
void AddCustomAlias(std::vector<TCustomAlias>& CustomAliases, const std::string& GameInput,
                    const std::string& ListName, const std::string& SendEvent, bool First);

}  // namespace config_store
