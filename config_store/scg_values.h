// The small value rules of the .scg format, one implementation each, shared by
// the editor's reader and writer and by the monitor: quoted lists and triples,
// flag truth, quoting.
#pragma once

#include "config_store/game_config.h"

#include <string>

namespace config_store {

// What a quoted list does with a value that holds no list ("ERROR", no comma,
// shorter than 8 characters): the editor splits a template of quotes (its
// fields then read "'", "" and "'"), the monitor leaves every field empty.
// `TemplateAnyLength` is the editor's rule without the length: a COPY_FILES
// row as short as `   "a", "b"` holds its two names.
enum class MissingList { Template, Empty, TemplateAnyLength };

// Splits a list of `Count` (2 or 3) quoted fields. `Skip` is 1 for a raw block
// line that still carries its opening quote, 0 when the profile read already
// removed it. `Out3` is left alone when `Count` is 2. A missing or too-short
// field gives an empty output; nothing is read past the end of the text.
void SplitAliasList(int Count, const std::string& Text, std::string& Out1, std::string& Out2, std::string& Out3,
                    int Skip, MissingList missing = MissingList::Template);

// The three fields of a binding or alias value, as the profile read returns it.
struct ActionTriple {
  std::string GameInput;
  std::string GameCommand;  // ListName for the alias keys
  std::string SendEvent;
  bool operator==(const ActionTriple&) const = default;
};
ActionTriple SplitTriple(const std::string& value, MissingList missing = MissingList::Template);
// `"a", "b", "c"`: each field quoted, a comma and a blank between them.
std::string JoinTriple(const std::string& a, const std::string& b, const std::string& c);

// Whether `alias` is the alias a binding's GameInput names. An alias without a
// GameInput names none: it would otherwise match every unbound binding and
// give each its key.
bool AliasNamedBy(const TCustomAlias& alias, const std::string& gameInput);

// A flag as the editor reads it: exactly "TRUE" (case-sensitive).
bool IsTrue(const std::string& flag);
// A flag as the monitor reads it: "TRUE" without regard to case.
bool IsTrueNoCase(const std::string& flag);
// A flag converted to a truth value: "TRUE" or "FALSE" in any case, or a
// number (true unless 0); anything else is false.
bool ConvertsToTrue(const std::string& flag);

// The text between a pair of double quotes added around it.
std::string Quoted(const std::string& text);

}  // namespace config_store
