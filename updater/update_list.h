// What is installed, what the update list ryxupdate.nfo offers, and the queues
// of files that differ. Plain logic over files: no window, no network.
#pragma once

#include "updater/keyed_collection.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace updater {

// One installed file: the text shown in lstExisting and the value an update
// list entry is compared with.
struct InstalledItem {
  std::string shown;
  std::string compare;
};
using InstalledTable = KeyedCollection<InstalledItem>;

struct Inventory {
  InstalledTable InstalledVersions;  // "main_" & program name, "scg_" & configuration name
  std::vector<std::string> lstExisting;
};

// The programs of the installation folder (its executable files, by their
// Windows names: "watchpost" is "watchpost.exe") with the version stamped into
// each, "ryxcontrol.exe" with the version recorded in watchpost.ini, and the
// revision of every configuration in scg/. `InstallPath` ends with "/".
Inventory ReadInstalledVersions(const std::string& InstallPath);

// A failure of the list logic, shown as its description, a blank and its number.
struct UpdateError {
  std::string description;
  int number = 0;
  std::string Text() const { return description + " " + std::to_string(number); }
};

struct MainEntry {
  std::string name, version;  // version: the VersionNumber text
};

// The kinds of file the list queues; each is fetched into and installed in a
// folder of its own ("" for programs, scg, games, crv).
enum class FileKind { Program, Configuration, Support, Curve };

// One queued file: what the list says of it and where it lies, fetched and installed.
struct QueuedFile {
  FileKind kind = FileKind::Program;
  std::string name{};      // as the list gives it ("q3\\base.cfg" keeps its separator)
  long long size = 0;      // bytes; 0 where the list gives none
  std::string version{};   // a program's version number, a configuration's revision; empty for the others
  std::string info{};      // what lstInfo shows: a program's name, a configuration's description
  std::string line{};      // a configuration's whole line, whose groups name its support and curve files
  std::string tempPath{};  // where it is fetched to
  // The folder of its kind in the installation (no trailing "/"), and the file
  // there; the installation resolves the part below the folder without regard
  // to case when it writes.
  std::string installFolder{};
  std::string installPath{};
};

// The folders a queued file's paths lie in; both end with "/" (or are empty).
struct FileFolders {
  std::string temp;
  std::string install;
};

// The one place a queued file's paths come from: the temporary folder and the
// installation lay the files out alike, a program installed by its Linux name.
void PlaceFile(QueuedFile& file, const FileFolders& folders);
// The folder of a kind, in the installation and on the update site ("" for programs).
std::string_view KindFolder(FileKind kind);
// The key a file is queued under: its kind's prefix and its name.
std::string FileKey(FileKind kind, const std::string& name);

struct UpdateQueues {
  KeyedCollection<QueuedFile> Files;      // in the order queued; a key is queued once
  std::vector<std::string> lstAvailable;  // every entry of the list, queued or not
  std::vector<MainEntry> MainEntries;     // every program entry of the list
  int UpdateCount = 0;                    // programs and configurations queued

  // The names of one kind, in the order queued.
  std::vector<std::string> Names(FileKind kind) const;
  // What lstInfo shows: a line per queued program and configuration.
  std::vector<std::string> Infos() const;
};

// What the reading asks of its caller as it goes. A service the reader calls:
// the window implements it, a test or a bench its own.
class ReadingPace {
 public:
  virtual ~ReadingPace() = default;
  // Asked after each line and after each support or curve pair, so that the
  // window stays alive through a long list (it decides how often it really
  // runs); false stops the reading there, as a cancel does.
  virtual bool KeepReading() = 0;
};

class UpdateListReader {
 public:
  // Without a pace the reading runs to the end of the list.
  // `folders`: where the queued files are fetched to and installed.
  UpdateListReader(UpdateQueues& queues, const InstalledTable& installed, ReadingPace* pace = nullptr,
                   FileFolders folders = {})
      : q_(queues), installed_(installed), pace_(pace), folders_(std::move(folders)) {}

  // The names that would leave their folder, in the list's order: none of them
  // is queued, and the caller says so once the reading ends.
  std::vector<std::string> Skipped;

  // Reads one line; an error stops the reading of the list at that line.
  std::optional<UpdateError> ReadLine(const std::string& line);
  // The whole list; what was queued before an error or a stop stays queued.
  std::optional<UpdateError> ReadAll(const std::string& text);

  std::optional<UpdateError> QueueMainFile(const std::string& n, double size);
  std::optional<UpdateError> QueueConfigFile(const std::string& n, const std::string& line, const std::string& info);
  std::optional<UpdateError> QueueSupportFiles(const std::string& n);
  std::optional<UpdateError> QueueCurveFiles(const std::string& n);

 private:
  std::optional<UpdateError> QueueGroup(const std::string& n, const std::string& open, const std::string& close,
                                        size_t limit, FileKind kind);
  bool Queue(QueuedFile file);
  bool KeepGoing();

  UpdateQueues& q_;
  const InstalledTable& installed_;
  ReadingPace* pace_;
  FileFolders folders_;
  bool stopped_ = false;
};

// The largest update list that is read. A real one is a few hundred KB; the
// limit keeps a wrong or hostile file from stalling the run or filling memory.
inline constexpr std::uintmax_t kUpdateListSizeLimit = 16 * 1024 * 1024;
// The message of a list refused for its size.
std::string UpdateListTooLargeText();

// The one message for the names one list gave that lie outside their folders:
// every name up to a few, then how many more there were.
std::string SkippedNamesText(const std::vector<std::string>& names);

// A program or configuration name must be a plain file name.
bool IsPlainFileName(const std::string& name);
// A support or curve name may hold sub-folders ("q3\\base.cfg", "q3/base.cfg"),
// but no "..", no drive and no leading separator.
bool IsSafeRelativePath(const std::string& name);

// The file a program name of the update list is installed as: a Windows
// program of ours by its Linux name ("watchpost.exe" -> "watchpost"), any
// other file ("help.chm") by its own name.
std::string InstalledProgramName(const std::string& windowsName);
// True for the names that are installed as programs (executable).
bool IsProgramName(const std::string& windowsName);

}  // namespace updater
