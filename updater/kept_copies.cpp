#include "updater/kept_copies.h"

#include "platform/file_system.h"

namespace updater {

namespace {

// Far more copies of one file than a player would keep: past it, the copy fails.
constexpr int kCopyNames = 1000;

std::string CopyName(const std::string& target, int n) {
  return target + ".yours" + (n == 1 ? std::string() : "-" + std::to_string(n));
}

}  // namespace

KeepResult KeepChangedFile(const std::string& target, const std::string& recordedSum, const std::string& incomingSum) {
  if (!platform::EntryExists(target)) return {};
  // A file that cannot be read counts as changed: its copy then fails, and it stays.
  std::optional<std::string> present = platform::FileSha256(target);
  if (present && (*present == recordedSum || *present == incomingSum)) return {};
  for (int n = 1; n <= kCopyNames; ++n) {
    std::string copy = CopyName(target, n);
    if (!platform::EntryExists(copy)) {
      if (!platform::CopyFileAtomic(target, copy, 0644)) return {false, copy};
      return {true, copy};
    }
    if (present && platform::FileSha256(copy) == present) return {true, copy};
  }
  return {false, CopyName(target, kCopyNames + 1)};
}

std::string KeptCopiesText(const std::vector<KeptCopy>& kept) {
  if (kept.empty()) return {};
  const size_t shown = 10;
  std::string text = kept.size() == 1 ? "The update replaced a file you had changed; your version is kept:"
                                      : "The update replaced " + std::to_string(kept.size()) +
                                            " files you had changed; your versions are kept:";
  for (size_t i = 0; i < kept.size() && i < shown; ++i) text += "\n" + kept[i].file + " as " + kept[i].copy;
  if (kept.size() > shown) text += "\nand " + std::to_string(kept.size() - shown) + " more beside their files.";
  return text;
}

}  // namespace updater
