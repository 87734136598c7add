#include "config_store/shipped_record.h"

#include "config_store/install_folder.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace config_store {

namespace {

bool IsSum(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

}  // namespace

ShippedRecord ShippedRecord::Read(const std::string& programFolder) {
  ShippedRecord record;
  record.path_ = ShippedRecordPath(programFolder);
  // Lines of another shape are not the record's: left out, as the install step does.
  for (const std::string& line : platform::SplitLines(platform::ReadFileBytes(record.path_).value_or(""))) {
    size_t gap = line.find("  ");
    if (gap == std::string::npos || gap + 2 >= line.size() || !IsSum(line.substr(0, gap))) continue;
    record.sums_[line.substr(gap + 2)] = line.substr(0, gap);
  }
  return record;
}

std::string ShippedRecord::Sum(const std::string& relative) const {
  if (auto exact = sums_.find(relative); exact != sums_.end()) return exact->second;
  for (const auto& [path, sum] : sums_)
    if (platform::EqualsNoCase(path, relative)) return sum;
  return {};
}

void ShippedRecord::Set(const std::string& relative, const std::string& sum) {
  if (auto exact = sums_.find(relative); exact != sums_.end()) {
    exact->second = sum;
    return;
  }
  // A line for the same file in other case keeps its spelling, which the install step looks for.
  for (auto& [path, recorded] : sums_)
    if (platform::EqualsNoCase(path, relative)) {
      recorded = sum;
      return;
    }
  sums_[relative] = sum;
}

int ShippedRecord::Write() const {
  std::string text;
  for (const auto& [path, sum] : sums_) text += sum + "  " + path + "\n";
  return platform::TryWriteFileAtomic(path_, text);
}

}  // namespace config_store
