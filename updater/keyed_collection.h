// The keyed collections of the update logic: items in the order they were
// added, keys compared without regard to case, a key added only once.
#pragma once

#include "platform/text.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace updater {

template <typename T>
class KeyedCollection {
 public:
  // False (and nothing added) when the key is already there.
  bool Add(const std::string& key, T item) {
    if (!index_.try_emplace(platform::ToLower(key), items_.size()).second) return false;
    items_.emplace_back(key, std::move(item));
    return true;
  }
  bool Exists(const std::string& key) const { return Find(key) != nullptr; }
  // The item of a key; nullptr when there is none.
  const T* Find(const std::string& key) const {
    auto at = index_.find(platform::ToLower(key));
    return at == index_.end() ? nullptr : &items_[at->second].second;
  }
  size_t Count() const { return items_.size(); }
  void Clear() {
    items_.clear();
    index_.clear();
  }
  const std::vector<std::pair<std::string, T>>& Items() const { return items_; }

 private:
  // The order is the vector's; the look-up goes through the case-folded key,
  // so a list of many entries is read in time growing with its length.
  std::vector<std::pair<std::string, T>> items_;
  std::unordered_map<std::string, size_t> index_;  // folded key -> position in items_
};

}  // namespace updater
