#include "updater/update_list.h"

#include "config_store/install_folder.h"
#include "config_store/profile_helpers.h"
#include "platform/file_system.h"
#include "platform/program_files.h"
#include "platform/text.h"
#include "platform/version_stamp.h"
#include "platform/win_path.h"
#include "updater/version_number.h"

#include <algorithm>
#include <string_view>

namespace updater {

namespace {

const UpdateError kSubscript{"Subscript out of range", 9};
const UpdateError kTypeMismatch{"Type mismatch", 13};
const UpdateError kDuplicateKey{"This key is already associated with an element of this collection", 457};

std::string PartsText(const VersionParts& p) {
  return std::to_string(p[0]) + "." + std::to_string(p[1]) + "." + std::to_string(p[2]) + "." + std::to_string(p[3]);
}

// The control tool goes by the version an earlier installation recorded.
bool IsControlTool(const std::string& windowsName) { return windowsName == "ryxcontrol.exe"; }

std::string RecordCompare(double number) { return "record:" + FormatVersionRecord(number); }

// No field past these counts: the last pair of a curve group lies at fields 20
// and 21, and a group word further on has no pair left before its limit. A
// line of millions of fields is split no further than this.
constexpr size_t kFieldsThatCount = 22;

// A size of the list: a positive number of bytes, else 0.
long long SizeOf(const std::string& text) {
  auto value = platform::ParseDecimal(text);
  return value && *value > 0 ? static_cast<long long>(*value) : 0;
}

std::vector<std::string> TrimmedFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (fields.size() < kFieldsThatCount) {
    size_t end = std::min(line.find(',', start), line.size());
    fields.push_back(platform::Trim(line.substr(start, end - start)));
    if (end == line.size()) break;
    start = end + 1;
  }
  return fields;
}

}  // namespace

Inventory ReadInstalledVersions(const std::string& InstallPath) {
  Inventory inv;
  if (platform::FolderExists(InstallPath)) {
    std::vector<std::string> names = platform::ListFiles(InstallPath);
    std::sort(names.begin(), names.end());
    for (const std::string& file : names) {
      if (!platform::IsExecutableFile(InstallPath + file)) continue;
      std::string n = file + ".exe";
      InstalledItem item;
      if (IsControlTool(n)) {
        std::string v = config_store::ReadIni(config_store::MonitorIniPath(InstallPath), "Version", "RyxControl");
        auto number = platform::ParseDecimal(v);
        double value = number ? *number : 0.0;
        item = {FormatVersionRecord(value), RecordCompare(value)};
      } else {
        std::string text;
        if (auto stamp = platform::ReadFileVersion(InstallPath + file))
          text = std::to_string(stamp->major) + "." + std::to_string(stamp->minor) + "." +
                 std::to_string(stamp->build) + "." + std::to_string(stamp->revision);
        item = {VersionNumberText(text), "parts:" + PartsText(ParseVersion(text))};
      }
      inv.lstExisting.push_back(n + " " + item.shown);
      inv.InstalledVersions.Add("main_" + n, item);
    }
  }
  std::string scg = config_store::ScgFolderPath(InstallPath);
  if (platform::FolderExists(scg)) {
    std::vector<std::string> names = platform::ListFiles(scg);
    std::sort(names.begin(), names.end());
    for (const std::string& n : names) {
      if (!platform::EndsWithNoCase(n, ".scg")) continue;
      std::string r = config_store::ReadIni(scg + n, "VERSION", "FILE_REVISION_NUMBER");
      if (!platform::ParseDecimal(r)) r = "0";
      inv.InstalledVersions.Add("scg_" + n, {r, r});
      inv.lstExisting.push_back(n + " " + r);
    }
  }
  return inv;
}

std::optional<UpdateError> UpdateListReader::ReadAll(const std::string& text) {
  // Lines end at LF or CR LF; a last line without an end is read too.
  size_t start = 0;
  while (start < text.size() && !stopped_) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t stop = (end > start && text[end - 1] == '\r') ? end - 1 : end;
    if (auto error = ReadLine(text.substr(start, stop - start))) return error;
    start = end + 1;
    KeepGoing();
  }
  return std::nullopt;
}

bool UpdateListReader::KeepGoing() {
  if (!stopped_ && pace_ && !pace_->KeepReading()) stopped_ = true;
  return !stopped_;
}

std::optional<UpdateError> UpdateListReader::ReadLine(const std::string& line) {
  if (line.rfind("MAIN", 0) == 0) {
    std::vector<std::string> f = TrimmedFields(line);
    if (f.size() < 4) return kSubscript;
    auto size = platform::ParseDecimal(f[3]);
    if (!size) return kTypeMismatch;
    std::string number = VersionNumberText(f[2]);
    q_.MainEntries.push_back({f[1], number});
    q_.lstAvailable.push_back(f[1] + " " + number);
    // The name as it will be installed counts too: "...exe" passes as a name
    // and is installed as "..".
    if (!IsPlainFileName(f[1]) || !IsPlainFileName(InstalledProgramName(f[1]))) {
      Skipped.push_back(f[1]);
      return std::nullopt;
    }
    std::string listed =
        IsControlTool(f[1]) ? RecordCompare(VersionNumber(f[2])) : "parts:" + PartsText(ParseVersion(f[2]));
    const InstalledItem* installed = installed_.Find(FileKey(FileKind::Program, f[1]));
    if (!installed || installed->compare != listed) return QueueMainFile(f[1], *size);
    return std::nullopt;
  }
  if (line.rfind("CONFIG", 0) == 0) {
    std::vector<std::string> f = TrimmedFields(line);
    if (f.size() < 5) return kSubscript;
    q_.lstAvailable.push_back(f[1] + " " + f[2]);
    if (!IsPlainFileName(f[1])) {
      Skipped.push_back(f[1]);
      return std::nullopt;
    }
    const InstalledItem* installed = installed_.Find(FileKey(FileKind::Configuration, f[1]));
    if (!installed || installed->compare != f[2]) return QueueConfigFile(f[1], line, f[4]);
  }
  return std::nullopt;
}

bool UpdateListReader::Queue(QueuedFile file) {
  PlaceFile(file, folders_);
  std::string key = FileKey(file.kind, file.name);
  return q_.Files.Add(key, std::move(file));
}

std::optional<UpdateError> UpdateListReader::QueueMainFile(const std::string& n, double size) {
  QueuedFile file{.kind = FileKind::Program, .name = n, .size = size > 0 ? static_cast<long long>(size) : 0};
  file.info = n;
  // The entry just read, when the reading queues it.
  if (!q_.MainEntries.empty() && q_.MainEntries.back().name == n) file.version = q_.MainEntries.back().version;
  if (!Queue(std::move(file))) return kDuplicateKey;
  ++q_.UpdateCount;
  return std::nullopt;
}

std::optional<UpdateError> UpdateListReader::QueueConfigFile(const std::string& n, const std::string& line,
                                                             const std::string& info) {
  std::vector<std::string> f = TrimmedFields(line);
  QueuedFile file{.kind = FileKind::Configuration, .name = n, .size = SizeOf(f[3])};
  file.version = f[2];
  file.info = info;
  file.line = line;
  if (!Queue(std::move(file))) return kDuplicateKey;
  ++q_.UpdateCount;
  if (auto error = QueueSupportFiles(n)) return error;
  return QueueCurveFiles(n);
}

std::optional<UpdateError> UpdateListReader::QueueSupportFiles(const std::string& n) {
  return QueueGroup(n, "SUPPORT", "/SUPPORT", 10, FileKind::Support);
}

std::optional<UpdateError> UpdateListReader::QueueCurveFiles(const std::string& n) {
  return QueueGroup(n, "CURVE", "/CURVE", 20, FileKind::Curve);
}

std::optional<UpdateError> UpdateListReader::QueueGroup(const std::string& n, const std::string& open,
                                                        const std::string& close, size_t limit, FileKind kind) {
  if (stopped_) return std::nullopt;
  const QueuedFile* config = q_.Files.Find(FileKey(FileKind::Configuration, n));
  if (!config) return kSubscript;
  std::vector<std::string> f = TrimmedFields(config->line);
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] != open) continue;
    // Pairs of file and size follow the word, up to the closing word or the
    // field limit; a group that runs off the end of the line is an error.
    for (size_t at = i + 1; at <= limit; at += 2) {
      if (at >= f.size()) return kSubscript;
      if (f[at] == close) break;
      if (at + 1 >= f.size()) return kSubscript;
      const std::string& file = f[at];
      if (!IsSafeRelativePath(file))
        Skipped.push_back(file);
      else
        Queue({.kind = kind, .name = file, .size = SizeOf(f[at + 1])});  // a file queued before keeps its size
      if (!KeepGoing()) return std::nullopt;
    }
  }
  return std::nullopt;
}

std::string_view KindFolder(FileKind kind) {
  switch (kind) {
    case FileKind::Configuration:
      return config_store::kScgFolderName;
    case FileKind::Support:
      return config_store::kGamesFolderName;
    case FileKind::Curve:
      return config_store::kCurveFolderName;
    case FileKind::Program:
      break;
  }
  return "";
}

std::string FileKey(FileKind kind, const std::string& name) {
  switch (kind) {
    case FileKind::Configuration:
      return "scg_" + name;
    case FileKind::Support:
      return "games_" + name;
    case FileKind::Curve:
      return "curves_" + name;
    case FileKind::Program:
      break;
  }
  return "main_" + name;
}

void PlaceFile(QueuedFile& file, const FileFolders& folders) {
  std::string sub(KindFolder(file.kind));
  std::string below = sub.empty() ? "" : sub + "/";
  file.tempPath = folders.temp + below + platform::SlashesForward(file.name);
  std::string installed = file.kind == FileKind::Program ? InstalledProgramName(file.name) : file.name;
  file.installFolder = folders.install + sub;
  if (!file.installFolder.empty() && file.installFolder.back() == '/') file.installFolder.pop_back();
  file.installPath = file.installFolder + "/" + platform::SlashesForward(installed);
}

std::vector<std::string> UpdateQueues::Names(FileKind kind) const {
  std::vector<std::string> names;
  for (const auto& [key, file] : Files.Items())
    if (file.kind == kind) names.push_back(file.name);
  return names;
}

std::vector<std::string> UpdateQueues::Infos() const {
  std::vector<std::string> infos;
  for (const auto& [key, file] : Files.Items())
    if (file.kind == FileKind::Program || file.kind == FileKind::Configuration) infos.push_back(file.info);
  return infos;
}

std::string UpdateListTooLargeText() {
  return "The update list " + std::string(config_store::kUpdateListName) + " is larger than 16 MB; it was not read.";
}

std::string SkippedNamesText(const std::vector<std::string>& names) {
  // A name may be as long as its line: each is cut, and only the first few are listed.
  const size_t shownNames = 10, shownLength = 100;
  auto quoted = [&](const std::string& name) {
    return "\"" + (name.size() > shownLength ? name.substr(0, shownLength) + "..." : name) + "\"";
  };
  if (names.empty()) return {};
  if (names.size() == 1)
    return "The update list names " + quoted(names[0]) + ", which lies outside its folder; it was skipped.";
  std::string text = "The update list names " + std::to_string(names.size()) +
                     " files that lie outside their folders; they were skipped:";
  for (size_t i = 0; i < names.size() && i < shownNames; ++i) text += "\n" + quoted(names[i]);
  if (names.size() > shownNames) text += "\nand " + std::to_string(names.size() - shownNames) + " more.";
  return text;
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos &&
         name.find('\0') == std::string::npos;
}

bool IsSafeRelativePath(const std::string& name) {
  if (name.empty() || name[0] == '/' || name[0] == '\\' || name.find(':') != std::string::npos ||
      name.find('\0') != std::string::npos)
    return false;
  for (const std::string& part : platform::SplitOn(platform::SlashesForward(name), '/'))
    if (part.empty() || part == "." || part == "..") return false;
  return true;
}

bool IsProgramName(const std::string& windowsName) {
  return windowsName.size() > 4 && platform::EqualsNoCase(windowsName.substr(windowsName.size() - 4), ".exe");
}

std::string InstalledProgramName(const std::string& windowsName) {
  return IsProgramName(windowsName) ? platform::ProgramFile(windowsName) : windowsName;
}

}  // namespace updater
