#include "config_store/snapshot.h"

#include "config_store/install_folder.h"
#include "config_store/record_fields.h"
#include "platform/file_system.h"

namespace config_store {

std::string SnapshotBytes(const TGameConfig& record) {
  std::string bytes;
  ForEachRecordText(record, [&](const std::string& text) {
    // A text longer than the 16-bit length can say is cut there.
    std::size_t length = text.size() > 0xFFFF ? 0xFFFF : text.size();
    bytes += static_cast<char>(length & 0xFF);
    bytes += static_cast<char>((length >> 8) & 0xFF);
    bytes.append(text, 0, length);
  });
  return bytes;
}

bool SaveSnapshot(const std::string& programFolder, std::string_view name, const TGameConfig& record) {
  // A scratch file for the change check only: a torn one merely shows changes pending.
  if (programFolder.empty()) return false;  // never beside the root
  return platform::OverwriteFile(InFolder(programFolder, name), SnapshotBytes(record));
}

bool AreTheyTheSame(std::string File1, std::string File2, bool StringentCheck) {
  if (!platform::FileExists(File1) || !platform::FileExists(File2)) return false;
  auto a = platform::ReadFileBytes(File1);
  auto b = platform::ReadFileBytes(File2);
  if (!a || !b || a->size() != b->size()) return false;
  return !StringentCheck || *a == *b;
}

int AnyChanges(const std::string& programFolder, const TGameConfig& record, const std::string& instructions,
               const std::string& instructionsCompare) {
  SaveSnapshot(programFolder, kAfterSnapshotName, record);
  bool same =
      AreTheyTheSame(InFolder(programFolder, kBeforeSnapshotName), InFolder(programFolder, kAfterSnapshotName), true);
  return (same && instructions == instructionsCompare) ? 0 : 1;
}

}  // namespace config_store
