// The keyed collections of the update logic: items in the order they were
// added, keys compared without regard to case, a key added only once.
#pragma once

#include "platform/text.h"

#include <string>
#include <utility>
#include <vector>

namespace updater {

template <typename T>
class KeyedCollection {
 public:
  // False (and nothing added) when the key is already there.
  bool Add(const std::string& key, T item) {
    if (Exists(key)) return false;
    items_.emplace_back(key, std::move(item));
    return true;
  }
  bool Exists(const std::string& key) const { return Find(key) != nullptr; }
  // The item of a key; nullptr when there is none.
  const T* Find(const std::string& key) const {
    for (const auto& [k, v] : items_)
      if (platform::EqualsNoCase(k, key)) return &v;
    return nullptr;
  }
  size_t Count() const { return items_.size(); }
  void Clear() { items_.clear(); }
  const std::vector<std::pair<std::string, T>>& Items() const { return items_; }

 private:
  std::vector<std::pair<std::string, T>> items_;
};

}  // namespace updater
