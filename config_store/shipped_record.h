// The installation folder's record of the files we put there, `.shipped`: the
// SHA-256 of each file as the install step laid it out or the updater last
// installed it, one line "<sum>  <path>" per file in the form of sha256sum,
// the path relative to the folder with "/" ("scg/quake3.scg"), lines sorted by
// path. A file whose bytes still give its recorded sum is as we left it; any
// other was changed by the player (or never came from us) and must not be
// replaced unseen. The install step (install/lay_out.cmake) reads and writes
// the same file.
#pragma once

#include <map>
#include <string>

namespace config_store {

class ShippedRecord {
 public:
  // The folder's record; empty when the folder has none (or it cannot be read).
  static ShippedRecord Read(const std::string& programFolder);

  // The sum recorded for `relative`, found exactly or else without regard to
  // case (files in the folder match that way); empty when none is recorded.
  std::string Sum(const std::string& relative) const;
  // Records `sum` for `relative`, in place of what was recorded for it (a
  // line for the same path in other case keeps its spelling).
  void Set(const std::string& relative, const std::string& sum);
  // Writes the record back, replacing the file at once; 0 or the errno value.
  int Write() const;

 private:
  std::string path_;
  std::map<std::string, std::string> sums_;  // by path: the record's order
};

}  // namespace config_store
