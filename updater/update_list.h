// What is installed, what the update list ryxupdate.nfo offers, and the queues
// of files that differ. Plain logic over files: no window, no network.
#pragma once

#include "updater/keyed_collection.h"

#include <cstdint>
#include <optional>
#include <string>
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
  std::string name, version, size;  // version: the VersionNumber text
};
struct ConfigEntry {
  std::string name, revision, size, info;
};

struct UpdateQueues {
  KeyedCollection<double> QueuedMainSizes;  // "main_" & name
  KeyedCollection<std::string> QueuedConfigLines;   // "scg_" & name: the whole line
  KeyedCollection<std::string> QueuedConfigSizes;   // "scg_" & name
  KeyedCollection<std::string> QueuedSupportSizes;  // "games_" & name
  KeyedCollection<std::string> QueuedCurveSizes;    // "curves_" & name
  std::vector<std::string> lstMain, lstScg, lstGames, lstCrv, lstInfo, lstAvailable;
  std::vector<MainEntry> MainEntries;
  std::vector<ConfigEntry> ConfigEntries;
  int UpdateCount = 0;  // programs and configurations queued
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
  UpdateListReader(UpdateQueues& queues, const InstalledTable& installed, ReadingPace* pace = nullptr)
      : q_(queues), installed_(installed), pace_(pace) {}

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
                                        size_t limit, const std::string& prefix,
                                        KeyedCollection<std::string>& sizes, std::vector<std::string>& list);
  bool KeepGoing();

  UpdateQueues& q_;
  const InstalledTable& installed_;
  ReadingPace* pace_;
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
