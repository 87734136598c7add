// The game configuration the editor keeps in memory: one record holding every
// value of a .scg file as the text that stands in the file, the lists read from
// the file's brace blocks, and the state the editor's procedures share.
// Nothing here is converted to a number for storage.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace config_store {

// A fixed array indexed from 1, as the record's fields are numbered
// (MotionLabel(1..6), ButtonSlot(1..16)); an index outside throws.
template <typename T, std::size_t N>
struct Array1 {
  std::array<T, N> items{};
  T& operator()(std::size_t i) { return items.at(i - 1); }
  const T& operator()(std::size_t i) const { return items.at(i - 1); }
  static constexpr std::size_t size() { return N; }
  auto begin() { return items.begin(); }
  auto end() { return items.end(); }
  auto begin() const { return items.begin(); }
  auto end() const { return items.end(); }
  bool operator==(const Array1&) const = default;
};

// A levels-by-columns table indexed from 1 and stored with the first index
// varying fastest: (1,1), (2,1), (3,1), (1,2), ... the order of the snapshot.
template <typename T, std::size_t Levels, std::size_t Columns>
struct Table1 {
  std::array<T, Levels * Columns> items{};
  T& operator()(std::size_t level, std::size_t column) { return items.at(Index(level, column)); }
  const T& operator()(std::size_t level, std::size_t column) const { return items.at(Index(level, column)); }
  auto begin() { return items.begin(); }
  auto end() { return items.end(); }
  auto begin() const { return items.begin(); }
  auto end() const { return items.end(); }
  bool operator==(const Table1&) const = default;

 private:
  static std::size_t Index(std::size_t level, std::size_t column) {
    if (level < 1 || level > Levels || column < 1 || column > Columns) return Levels * Columns;  // at() throws
    return (column - 1) * Levels + (level - 1);
  }
};

// A key held twice: <KEY>_DFLT (as shipped) and <KEY>_USER (the player's choice).
struct TSettingPair {
  std::string DFLT;
  std::string USER;
  bool operator==(const TSettingPair&) const = default;
};

// The names of a motion's two directions; the motion text is POS & "/" & NEG.
struct TMotionLabel {
  std::string POS;
  std::string NEG;
  bool operator==(const TMotionLabel&) const = default;
};

// One axis direction: a triple "GameInput, GameCommand, SendEvent" per half.
struct TMotionSlot {
  TSettingPair GameInput;
  TSettingPair GameCommand;
  TSettingPair SendEvent;
  bool operator==(const TMotionSlot&) const = default;
};

// One key alias: the game's own word for the key, the list text, the event sent.
struct TCustomAlias {
  std::string GameInput;
  std::string ListName;
  std::string SendEvent;
  bool operator==(const TCustomAlias&) const = default;
};

struct TMotionAlias {
  Array1<TMotionSlot, 6> MotionPos;  // MOTION_ALIAS_<m-1>_POS_DFLT / _POS_USER
  Array1<TMotionSlot, 6> MotionNeg;  // MOTION_ALIAS_<m-1>_NEG_DFLT / _NEG_USER
  std::string X;                     // MOTION_ALIAS_X
  std::string Y;                     // MOTION_ALIAS_Y
  Array1<std::string, 6> UseKeys;    // MOTION_ALIAS_<m-1>_USE_KEYS
  bool operator==(const TMotionAlias&) const = default;
};

// One button or chord slot s (file index s-1): slots 1..6 are buttons A..F.
struct TButtonSlot {
  TCustomAlias ALIAS;  // BUTTON_<s-1>_ALIAS
  TSettingPair GameInput;
  TSettingPair GameCommand;
  TSettingPair SendEvent;
  bool operator==(const TButtonSlot&) const = default;
};

struct TPrecisionSettings {
  TSettingPair MODE;  // "PHYSICAL" or "LOGICAL"
  TSettingPair GAIN;
  TSettingPair SENS;
  TSettingPair BUTTON;  // 0-based button (PHYSICAL) or chord slot less one (LOGICAL)
  bool operator==(const TPrecisionSettings&) const = default;
};

// The record, fields in the order the snapshot writes them.
struct TGameConfig {
  std::string VERSION;
  std::string APPLICATION_NUMBER;
  std::string FILE_REVISION_NUMBER;
  std::string APPLICATION_NAME;
  std::string OWNER;
  std::string PLATFORM;
  std::string LEVEL;
  std::string ORIENTATION;
  std::string DRIVER_TYPE;
  std::string HIDE_FILE;
  std::string EXECUTABLE;
  std::string COPY_FILES;
  std::string COMMAND_LINE;
  std::string CUSTOM;
  std::string SHOW_INSTRUCTIONS;
  TSettingPair USE_MASTER;
  TSettingPair USE_CHORDING;
  std::string USE_KEYS;
  Array1<TMotionLabel, 6> MotionLabel;
  TMotionAlias MotionAlias;
  std::string USE_BUTTONS;
  std::string CUSTOM_ALIAS;
  Array1<TButtonSlot, 16> ButtonSlot;
  TSettingPair USE_PRECISION;
  TPrecisionSettings PRECISION;
  TSettingPair NULL_REGION;
  Array1<TSettingPair, 6> AxisMap;              // physical axis a -> motion 1..6 (1-based here)
  Array1<TSettingPair, 6> Polarity;             // motion m -> "+", "-" or "0"
  Table1<TSettingPair, 3, 7> GainTable;         // (level 1..3, column 1..7)
  Table1<TSettingPair, 3, 7> SensitivityTable;  // same indexing
  Array1<TSettingPair, 6> Curve;
  Array1<TSettingPair, 6> DeadzoneValues;
  bool operator==(const TGameConfig&) const = default;
};
using GameConfig = TGameConfig;

// A USE_BUTTONS row: the game's command and the text the editor's lists show.
struct TGameCommand {
  std::string GameCommand;
  std::string ListName;
  bool operator==(const TGameCommand&) const = default;
};

// A COPY_FILES row: a file of the program's games folder and its destination
// relative to the game's folder.
struct TCopyFile {
  std::string Source;       // CopyFiles(1, r)
  std::string Destination;  // CopyFiles(2, r)
  bool operator==(const TCopyFile&) const = default;
};

// A CUSTOM row: fields 1..6 (field 2 is the verb); fields a row lacks are empty.
using TCustomAction = Array1<std::string, 6>;

inline const std::string kButtonDefinedInGame = "(Button defined in game)";

// The lines of each block whose flag kept it from being read (USE_BUTTONS=FALSE
// with rows below it, SHOW_INSTRUCTIONS=FALSE, ...), as they stand between
// "   {" and "   }", empty lines too. The save writes them back unchanged, so
// a block turned off by hand gets its rows back when it is turned on again.
struct TUnreadRows {
  std::vector<std::string> CopyFiles, Custom, Instructions, UseButtons, CustomAlias;
  bool operator==(const TUnreadRows&) const = default;
};

// The companion lists of the record, replaced at every load.
struct ConfigLists {
  // USE_BUTTONS rows in file order, and always a last entry ("", "(Button defined in game)").
  std::vector<TGameCommand> GameCommands{{"", kButtonDefinedInGame}};
  // CUSTOM_ALIAS rows, or the 83 default aliases.
  std::vector<TCustomAlias> CustomAliases;
  // COPY_FILES rows; with the flag off, one row of two empty texts.
  std::vector<TCopyFile> CopyFiles{TCopyFile{}};
  // CUSTOM rows and always one spare empty row at the end.
  std::vector<TCustomAction> CustomActions{TCustomAction{}};
  TUnreadRows UnreadRows;
  bool operator==(const ConfigLists&) const = default;
};

// The state the editor's procedures share besides the record.
struct EditorFlags {
  bool LoadingControls = false;   // a load is filling the window; handlers do nothing
  int ConfigModified = 0;         // 1 when the change check found a difference
  std::string CurrentConfigFile;  // the .scg being edited (full path)
  int SkillLevel = 2;             // 1 BEGINNER, 2 INTERMEDIATE, 3 EXPERT
  int PrecisionButtonBase = 0;    // 6 when PRECISION_MODE_USER is "LOGICAL", else 0
};

// Everything a load fills: the record, its lists, the instructions text (each
// line followed by CR LF) and the shared state.
struct ConfigSession {
  TGameConfig GameConfig;
  ConfigLists Lists;
  std::string Instructions;  // txtGameInstructions as loaded
  EditorFlags Flags;
  std::string ProgramFolder;  // Linux folder of the programs, without a trailing "/"
};

}  // namespace config_store
