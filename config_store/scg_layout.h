// The layout of a .scg file as the editor writes it, and the one table of its
// keys (section, key, the reader's default, the record field) that the reader
// and the writer both walk.
#pragma once

#include "config_store/game_config.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace config_store {

// How a key's value is written.
enum class KeyKind {
  Plain,        // as stored
  Quoted,       // in double quotes
  Triple,       // three quoted fields
  MotionUser,   // a triple kept only for an axis that sends keys or moves the mouse
  ButtonAlias,  // a triple, all empty when the alias list shows "(None)"
  Curve,        // a quoted path, relative (".\") inside the program folder
};

// How the reader corrects a value it read.
enum class KeyCheck { None, MotionAxis, Deadzone };

// The record fields of a key: one text, or the three halves of a triple.
// FieldRefs to store into a record, ConstFieldRefs to read one.
template <class Text>
struct FieldRefsOf {
  std::array<Text*, 3> at{};
  int count = 0;
};
using FieldRefs = FieldRefsOf<std::string>;
using ConstFieldRefs = FieldRefsOf<const std::string>;

struct ScgKey {
  std::string section;
  std::string key;
  std::string missing;  // the reader's default; empty: a missing key reads "ERROR"
  KeyKind kind = KeyKind::Plain;
  KeyCheck check = KeyCheck::None;
  int readStep = 0;  // the reader's order: keys of a lower step are read first
  int axis = 0;      // MotionUser: the axis n of the key
  // The same fields, through `field` for the reader and `value` for the writer.
  std::function<FieldRefs(TGameConfig&)> field;
  std::function<ConstFieldRefs(const TGameConfig&)> value;
};

enum class ScgBlock { CopyFiles, Custom, Instructions, UseButtons, CustomAlias };

enum class VectorType { AxisMap, Polarity, Gain, Sensitivity };
struct ScgVector {
  std::string key;
  std::string missing;
  std::string lengthError;  // the lock text of a malformed value
  VectorType type;
  std::string kind;  // "DFLT" or "USER"
  int level = 0;     // gains and sensitivities: 1..3
};

struct LayoutItem {
  enum class Kind { Line, Header, Key, Block, Vector } kind;
  std::string text;  // Line
  int index = 0;     // Key: into keys; Block: ScgBlock; Vector: into vectors
};

struct ScgLayout {
  std::vector<ScgKey> keys;        // in the file's order
  std::vector<ScgVector> vectors;  // in the reader's order
  std::vector<LayoutItem> items;   // every line of a written file
};

const ScgLayout& Layout();

// The key of that name, or nothing.
const ScgKey* FindScgKey(const std::string& key);

inline const std::string kContactLine = ";  Heliryx 360 game configuration";

}  // namespace config_store
