// Snapshots of the record (kBeforeSnapshotName, kAfterSnapshotName in the program folder) and the
// change check over them. A snapshot is explicit bytes: per text field its
// length (16 bits, little-endian) and its characters, in the record's field
// order, pairs DFLT then USER, tables with the level varying fastest.
#pragma once

#include "config_store/game_config.h"

#include <string>
#include <string_view>

namespace config_store {

std::string SnapshotBytes(const TGameConfig& record);

// Writes the snapshot to programFolder/name, replacing any file of that name.
bool SaveSnapshot(const std::string& programFolder, std::string_view name, const TGameConfig& record);

// True when both files exist with the same length and, with StringentCheck,
// the same bytes.
bool AreTheyTheSame(std::string File1, std::string File2, bool StringentCheck = false);

// The change check without its display: writes after.scg and gives
// ConfigModified (1 when the record differs from before.scg or the instructions
// differ from their loaded copy, else 0). The caller skips it while loading.
int AnyChanges(const std::string& programFolder, const TGameConfig& record, const std::string& instructions,
               const std::string& instructionsCompare);

}  // namespace config_store
