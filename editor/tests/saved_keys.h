// What a save changed: the keys whose lines differ between two saves of a
// configuration, with their new values.
#pragma once

#include "platform/file_system.h"
#include "testing/test_support.h"

#include <map>
#include <string>

namespace editor_testing {

inline std::map<std::string, std::string> KeyLines(const std::string& path) {
  std::map<std::string, std::string> keys;
  for (const std::string& line : platform::SplitLines(testing_support::ReadFile(path))) {
    auto eq = line.find('=');
    if (eq != std::string::npos && eq > 0) keys.emplace(line.substr(0, eq), line.substr(eq + 1));
  }
  return keys;
}

// Every key of `after` whose value differs from `before` (or is new there), and
// every key `after` lacks (with the value "<gone>").
inline std::map<std::string, std::string> ChangedKeys(const std::string& before, const std::string& after) {
  std::map<std::string, std::string> a = KeyLines(before), b = KeyLines(after), changed;
  for (const auto& [key, value] : b)
    if (!a.count(key) || a.at(key) != value) changed[key] = value;
  for (const auto& [key, value] : a)
    if (!b.count(key)) changed[key] = "<gone>";
  return changed;
}

}  // namespace editor_testing
