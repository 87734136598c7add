// The five brace blocks of a .scg file (COPY_FILES, CUSTOM, SHOW_INSTRUCTIONS,
// USE_BUTTONS, CUSTOM_ALIAS), read by one scanner over the file's lines, and the
// built-in alias table that stands in for a missing CUSTOM_ALIAS block.
#pragma once

#include "config_store/game_config.h"
#include "config_store/scg_values.h"

#include <optional>
#include <string>
#include <vector>

namespace config_store {

// The text that locks the editor after a failed read ("USE_BUTTONS= not found");
// empty when the read went well.
using LockText = std::optional<std::string>;

// How a program scans a block; the editor and the monitor differ.
struct BlockRules {
  bool keyIgnoresCase = false;   // the monitor matches the key word without regard to case
  std::size_t keyLineLimit = 0;  // the key must stand within this many first lines; 0: anywhere
  int rowLimit = 0;              // more rows than this end the scan; 0: no limit
  bool emptyLineEnds = false;    // an empty line ends the block (else it is skipped)
};

// The rows of the block after the first line that begins with `keyWord`, up to
// its "   }" line, and how the scan ended. The line after the key line ("   {")
// is no row, but a "   }" there ends the block.
struct BlockScan {
  enum class End { Terminator, KeyNotFound, RowLimit, EndOfFile, EmptyLine };
  End end = End::KeyNotFound;
  std::vector<std::string> rows;      // non-empty row lines
  std::vector<std::string> rawLines;  // every line read as a row, empty ones too
};
inline constexpr int kBlockRowLimit = 500;
BlockScan ScanBlock(const std::vector<std::string>& lines, const std::string& keyWord, const BlockRules& rules);
// The editor's scan: the key anywhere, case-sensitive, empty lines skipped.
inline BlockRules EditorBlockRules(int rowLimit) { return BlockRules{false, 0, rowLimit, false}; }

// Each reader fills its list (reset first to its flag-off shape) and returns the
// lock text of a failure. With its flag off it reads no rows and gives the
// block's lines as they stand in `Unread` (see UnreadBlockLines); else `Unread`
// is emptied.
LockText ReadCopyFilesBlock(const std::vector<std::string>& lines, const std::string& COPY_FILES,
                            std::vector<TCopyFile>& CopyFiles, std::vector<std::string>& Unread);
LockText ReadCustomBlock(const std::vector<std::string>& lines, const std::string& CUSTOM,
                         std::vector<TCustomAction>& CustomActions, std::vector<std::string>& Unread);
// The text, each line followed by CR LF; empty unless the flag is other than "FALSE".
void ReadInstructionsBlock(const std::vector<std::string>& lines, const std::string& SHOW_INSTRUCTIONS,
                           std::string& Instructions, std::vector<std::string>& Unread);
LockText ReadUseButtonsBlock(const std::vector<std::string>& lines, const std::string& USE_BUTTONS,
                             std::vector<TGameCommand>& GameCommands, std::vector<std::string>& Unread);
LockText ReadCustomAliasBlock(const std::vector<std::string>& lines, const std::string& CUSTOM_ALIAS,
                              std::vector<TCustomAlias>& CustomAliases, std::vector<std::string>& Unread);

// The lines of the block after `keyWord` as they stand, for a block that is
// not read. Nothing when there is no such block, or when it runs into a line
// of the file's own (a key or a section, which begin at the line's start with
// a letter or "[") before its "   }": a block whose terminator is missing
// would take in the file's next keys, and writing those back as rows would
// give them twice.
std::vector<std::string> UnreadBlockLines(const std::vector<std::string>& lines, const std::string& keyWord);

// The fields of a CUSTOM row, split at each backslash-comma pair, each trimmed
// and stripped of its quotes; nothing when a field is too short for its quotes.
std::optional<std::vector<std::string>> SplitCustomFields(const std::string& row);
// The same as the editor holds a row: nothing for more than six fields too.
std::optional<TCustomAction> SplitCustomRow(const std::string& row);
// The two fields of a COPY_FILES row (a raw block line); by default as the
// editor reads it: a short row keeps its fields.
TCopyFile SplitCopyRow(const std::string& row, MissingList missing = MissingList::TemplateAnyLength);

void LoadDefaultKeyAliases(std::vector<TCustomAlias>& CustomAliases);
void AddCustomAlias(std::vector<TCustomAlias>& CustomAliases, const std::string& GameInput, const std::string& ListName,
                    const std::string& SendEvent, bool First);

}  // namespace config_store
