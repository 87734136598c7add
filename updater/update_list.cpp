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
    q_.MainEntries.push_back({f[1], number, f[3]});
    q_.lstAvailable.push_back(f[1] + " " + number);
    // The name as it will be installed counts too: "...exe" passes as a name
    // and is installed as "..".
    if (!IsPlainFileName(f[1]) || !IsPlainFileName(InstalledProgramName(f[1]))) {
      Skipped.push_back(f[1]);
      return std::nullopt;
    }
    std::string listed = IsControlTool(f[1]) ? RecordCompare(VersionNumber(f[2]))
                                             : "parts:" + PartsText(ParseVersion(f[2]));
    const InstalledItem* installed = installed_.Find("main_" + f[1]);
    if (!installed || installed->compare != listed) return QueueMainFile(f[1], *size);
    return std::nullopt;
  }
  if (line.rfind("CONFIG", 0) == 0) {
    std::vector<std::string> f = TrimmedFields(line);
    if (f.size() < 5) return kSubscript;
    q_.ConfigEntries.push_back({f[1], f[2], f[3], f[4]});
    q_.lstAvailable.push_back(f[1] + " " + f[2]);
    if (!IsPlainFileName(f[1])) {
      Skipped.push_back(f[1]);
      return std::nullopt;
    }
    const InstalledItem* installed = installed_.Find("scg_" + f[1]);
    if (!installed || installed->compare != f[2]) return QueueConfigFile(f[1], line, f[4]);
  }
  return std::nullopt;
}

std::optional<UpdateError> UpdateListReader::QueueMainFile(const std::string& n, double size) {
  if (!q_.QueuedMainSizes.Add("main_" + n, size)) return kDuplicateKey;
  ++q_.UpdateCount;
  q_.lstMain.push_back(n);
  q_.lstInfo.push_back(n);
  return std::nullopt;
}

std::optional<UpdateError> UpdateListReader::QueueConfigFile(const std::string& n, const std::string& line,
                                                            const std::string& info) {
  if (!q_.QueuedConfigLines.Add("scg_" + n, line)) return kDuplicateKey;
  ++q_.UpdateCount;
  std::vector<std::string> f = TrimmedFields(line);
  if (!q_.QueuedConfigSizes.Add("scg_" + f[1], f[3])) return kDuplicateKey;
  q_.lstScg.push_back(f[1]);
  q_.lstInfo.push_back(info);
  if (auto error = QueueSupportFiles(n)) return error;
  return QueueCurveFiles(n);
}

std::optional<UpdateError> UpdateListReader::QueueSupportFiles(const std::string& n) {
  return QueueGroup(n, "SUPPORT", "/SUPPORT", 10, "games_", q_.QueuedSupportSizes, q_.lstGames);
}

std::optional<UpdateError> UpdateListReader::QueueCurveFiles(const std::string& n) {
  return QueueGroup(n, "CURVE", "/CURVE", 20, "curves_", q_.QueuedCurveSizes, q_.lstCrv);
}

std::optional<UpdateError> UpdateListReader::QueueGroup(const std::string& n, const std::string& open,
                                                        const std::string& close, size_t limit,
                                                        const std::string& prefix,
                                                        KeyedCollection<std::string>& sizes,
                                                        std::vector<std::string>& list) {
  if (stopped_) return std::nullopt;
  const std::string* line = q_.QueuedConfigLines.Find("scg_" + n);
  if (!line) return kSubscript;
  std::vector<std::string> f = TrimmedFields(*line);
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] != open) continue;
    // Pairs of file and size follow the word, up to the closing word or the
    // field limit; a group that runs off the end of the line is an error.
    for (size_t at = i + 1; at <= limit; at += 2) {
      if (at >= f.size()) return kSubscript;
      if (f[at] == close) break;
      if (at + 1 >= f.size()) return kSubscript;
      const std::string& file = f[at];
      if (!IsSafeRelativePath(file)) {
        Skipped.push_back(file);
      } else if (sizes.Add(prefix + file, f[at + 1])) {
        list.push_back(file);
      }
      if (!KeepGoing()) return std::nullopt;
    }
  }
  return std::nullopt;
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
