// The action-name table: every name a button or axis direction can be bound
// to, with its code (the mouse_event flag of the VM_* names, the virtual-key
// code of the VK_* names). Look-up ignores letter case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace emulator {

class KeyTable {
 public:
  // False, and nothing added, when the name is already present.
  bool Add(const std::string& name, uint16_t code);
  std::optional<uint16_t> Find(const std::string& name) const;
  size_t Count() const { return entries_.size(); }
  // Name and code in the order they were added.
  const std::vector<std::pair<std::string, uint16_t>>& Entries() const { return entries_; }
  void Clear();

 private:
  std::vector<std::pair<std::string, uint16_t>> entries_;
  std::unordered_map<std::string, size_t> byLowerName_;
};

// The 139 names: the eight VM_* mouse actions, then the 131 VK_* keys.
KeyTable BuildKeyTable();

// True when `key` is a name of the table (any case); never for "".
bool KeyExists(const KeyTable& table, const std::string& key);

}  // namespace emulator
