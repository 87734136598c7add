// The install step and the build, run for real: `cmake --install` of this build
// tree into temporary prefixes, the layout script on a small fixture, and a
// configure and build with HOME pointed at an empty folder.
#include "config_store/profile_helpers.h"
#include "config_store/shipped_record.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::RunProgram;
using testing_support::RunResult;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

const std::string kFolderInPrefix = "/lib/heliryx360";
const int kCmakeTimeoutMs = 240000;

std::set<std::string> BuiltPrograms() {
  std::set<std::string> programs;
  std::stringstream list(HELIRYX_PROGRAMS);
  for (std::string p; std::getline(list, p, ',');) programs.insert(p);
  return programs;
}

std::string Describe(const RunResult& r) { return "stdout:\n" + r.out + "\nstderr:\n" + r.err; }

RunResult Install(const std::string& prefix, const std::string& configHome) {
  return RunProgram(HELIRYX_CMAKE, {"--install", HELIRYX_BUILD_DIR, "--prefix", prefix},
                    {{"XDG_CONFIG_HOME", configHome}, {"DESTDIR", ""}}, kCmakeTimeoutMs);
}

std::string AppPathIn(const std::string& configHome) {
  testing_support::ScopedEnv home("XDG_CONFIG_HOME", configHome);
  auto value = platform::Registry::Query(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath");
  return value ? value->text : "(none)";
}

// The layout script alone, from a source folder into an installation folder.
RunResult LayOut(const std::string& source, const std::string& dest) {
  return RunProgram(HELIRYX_CMAKE, {"-DSOURCE=" + source, "-DDEST=" + dest, "-P",
                                    std::string(HELIRYX_SOURCE_DIR) + "/install/lay_out.cmake"});
}

// The shipped content as relative paths: what every installation folder must hold.
std::vector<std::string> ShippedFiles() {
  const fs::path source = fs::path(HELIRYX_SOURCE_DIR) / "install";
  std::vector<std::string> files;
  for (const char* sub : {"scg", "games", "crv", "ryx"}) {
    for (const auto& e : fs::recursive_directory_iterator(source / sub)) {
      if (e.is_regular_file()) files.push_back(fs::relative(e.path(), source).string());
    }
  }
  return files;
}

std::string EntryValue(const std::string& entry, const std::string& key) {
  std::stringstream lines(entry);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return "(missing)";
}

// Programs of ours that have a menu entry in the source, built or not.
std::vector<std::string> MenuPrograms() {
  std::vector<std::string> programs;
  for (const auto& e : fs::directory_iterator(fs::path(HELIRYX_SOURCE_DIR) / "install" / "menu")) {
    std::string name = e.path().filename().string();
    const std::string head = "heliryx360-", tail = ".desktop.in";
    if (name.rfind(head, 0) == 0 && name.size() > head.size() + tail.size())
      programs.push_back(name.substr(head.size(), name.size() - head.size() - tail.size()));
  }
  return programs;
}

TEST(Install, LaysOutTheFolderTheMenuEntriesAndAppPath) {
  TempFolder root, config;
  const std::string prefix = root / "a prefix";  // a blank, as a desktop entry must quote it
  const std::string folder = prefix + kFolderInPrefix;
  RunResult r = Install(prefix, config.Path());
  ASSERT_EQ(r.exitCode, 0) << Describe(r);

  for (const std::string& program : BuiltPrograms()) {
    EXPECT_EQ(::access((folder + "/" + program).c_str(), X_OK), 0) << program;
  }
  for (const std::string& file : ShippedFiles()) {
    EXPECT_EQ(ReadFile(folder + "/" + file), ReadFile(std::string(HELIRYX_SOURCE_DIR) + "/install/" + file)) << file;
  }
  EXPECT_EQ(AppPathIn(config.Path()), folder);
  EXPECT_TRUE(fs::is_regular_file(prefix + "/lib/udev/rules.d/60-heliryx360-uinput.rules"));

  // An installed program runs and takes the installed folder as its own.
  RunResult run = RunProgram(folder + "/ryxcontrol", {"--set-defaults"}, {{"XDG_CONFIG_HOME", config.Path()}});
  EXPECT_EQ(run.exitCode, 0) << Describe(run);
  EXPECT_TRUE(fs::exists(folder + "/ryxcontrol.state"));

  ASSERT_FALSE(std::string(DESKTOP_FILE_VALIDATE).empty()) << "desktop-file-validate is missing: run tools/deps.sh";
  const std::set<std::string> built = BuiltPrograms();
  for (const std::string& program : MenuPrograms()) {
    SCOPED_TRACE(program);
    const std::string path = prefix + "/share/applications/heliryx360-" + program + ".desktop";
    // The menu never offers a program that is not there.
    ASSERT_EQ(fs::exists(path), built.count(program) == 1);
    if (!built.count(program)) continue;
    RunResult valid = RunProgram(DESKTOP_FILE_VALIDATE, {path});
    EXPECT_EQ(valid.exitCode, 0) << Describe(valid);
    EXPECT_EQ(valid.out + valid.err, "");
    const std::string entry = ReadFile(path);
    EXPECT_EQ(EntryValue(entry, "TryExec"), folder + "/" + program);
    EXPECT_EQ(EntryValue(entry, "Exec"), "\"" + folder + "/" + program + "\"");
    EXPECT_TRUE(
        fs::is_regular_file(prefix + "/share/icons/hicolor/scalable/apps/" + EntryValue(entry, "Icon") + ".svg"));
  }
}

TEST(Install, AgainOverAnInstallationKeepsThePlayersFiles) {
  TempFolder prefix, config;
  const std::string folder = prefix.Path() + kFolderInPrefix;
  RunResult first = Install(prefix.Path(), config.Path());
  ASSERT_EQ(first.exitCode, 0) << Describe(first);

  const std::string settings = "[Games]\r\nCurrent=quake3.scg\r\n";
  const std::string edited = ReadFile(folder + "/scg/quake3.scg") + "; the player's own line\r\n";
  WriteFile(folder + "/tunedeck.ini", settings);
  WriteFile(folder + "/scg/quake3.scg", edited);
  fs::remove(folder + "/crv/smooth.crv");
  WriteFile(folder + "/ryxcontrol", "not a program");
  testing_support::ScopedEnv home("XDG_CONFIG_HOME", config.Path());
  ASSERT_TRUE(platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath",
                                            "/somewhere/else"));

  RunResult second = Install(prefix.Path(), config.Path());
  ASSERT_EQ(second.exitCode, 0) << Describe(second);
  EXPECT_EQ(ReadFile(folder + "/tunedeck.ini"), settings);
  EXPECT_EQ(ReadFile(folder + "/scg/quake3.scg"), edited);
  EXPECT_EQ(ReadFile(folder + "/crv/smooth.crv"),
            ReadFile(std::string(HELIRYX_SOURCE_DIR) + "/install/crv/smooth.crv"));
  EXPECT_EQ(ReadFile(folder + "/ryxcontrol"), ReadFile(std::string(HELIRYX_INSTALL_DIR) + "/ryxcontrol"));
  EXPECT_EQ(AppPathIn(config.Path()), folder);
}

// The layout script on a fixture: our files follow the source unless the player changed them.
TEST(Install, LayingOutAgainReplacesOnlyFilesThePlayerLeftAlone) {
  TempFolder source, dest;
  auto layOut = [&] { return LayOut(source.Path(), dest.Path()); };
  WriteFile(source / "scg/same.scg", "ours 1");
  WriteFile(source / "scg/newer.scg", "ours 1");
  WriteFile(source / "scg/edited.scg", "ours 1");
  WriteFile(source / "crv/removed.crv", "ours 1");
  WriteFile(dest / "scg/unknown.scg", "there before any layout");  // no record: may be the player's
  RunResult first = layOut();
  ASSERT_EQ(first.exitCode, 0) << Describe(first);

  WriteFile(source / "scg/newer.scg", "ours 2");
  WriteFile(source / "scg/edited.scg", "ours 2");
  WriteFile(source / "scg/unknown.scg", "ours 2");
  WriteFile(source / "games/added.cfg", "ours 2");
  WriteFile(dest / "scg/edited.scg", "the player's");
  fs::remove(dest / "crv/removed.crv");
  WriteFile(dest / "scg/mine.scg", "the player's own");
  RunResult second = layOut();
  ASSERT_EQ(second.exitCode, 0) << Describe(second);

  const std::map<std::string, std::string> expected = {
      {"scg/same.scg", "ours 1"},
      {"scg/newer.scg", "ours 2"},
      {"scg/edited.scg", "the player's"},
      {"crv/removed.crv", "ours 1"},
      {"scg/unknown.scg", "there before any layout"},
      {"games/added.cfg", "ours 2"},
      {"scg/mine.scg", "the player's own"},
  };
  for (const auto& [file, bytes] : expected) EXPECT_EQ(ReadFile(dest / file), bytes) << file;
  EXPECT_TRUE(fs::is_directory(dest / "ryx"));
}

// The updater keeps the same record: it reads what the layout wrote, and the
// next layout takes a file the updater installed and recorded as ours.
TEST(Install, TheLayoutAndTheUpdaterShareOneRecordOfWhatWasShipped) {
  TempFolder source, dest;
  auto layOut = [&] { return LayOut(source.Path(), dest.Path()); };
  WriteFile(source / "scg/game.scg", "ours 1");
  WriteFile(source / "games/q3/a.cfg", "ours 1");
  RunResult first = layOut();
  ASSERT_EQ(first.exitCode, 0) << Describe(first);
  config_store::ShippedRecord record = config_store::ShippedRecord::Read(dest.Path());
  for (const char* file : {"scg/game.scg", "games/q3/a.cfg"})
    EXPECT_EQ(record.Sum(file), platform::FileSha256(dest / file).value_or("(none)")) << file;
  EXPECT_EQ(record.Sum("SCG/Game.scg"), record.Sum("scg/game.scg"));

  // An update installs a newer game.scg and records it, as the updater does.
  WriteFile(dest / "scg/game.scg", "update 2");
  record.Set("SCG/game.scg", platform::FileSha256(dest / "scg/game.scg").value());  // found as the same file
  ASSERT_EQ(record.Write(), 0);
  WriteFile(source / "scg/game.scg", "ours 3");
  RunResult second = layOut();
  ASSERT_EQ(second.exitCode, 0) << Describe(second);
  EXPECT_EQ(ReadFile(dest / "scg/game.scg"), "ours 3");
  EXPECT_EQ(config_store::ShippedRecord::Read(dest.Path()).Sum("scg/game.scg"),
            platform::FileSha256(dest / "scg/game.scg").value_or("(none)"));
}

// Configuring a fresh tree and building this one (all built already, so only
// the steps every build runs) leave HOME and the XDG folders untouched.
TEST(Install, ConfigureAndBuildWriteNothingOutsideTheTree) {
  TempFolder home, fresh;
  const std::map<std::string, std::string> env = {
      {"HOME", home.Path()},           {"XDG_CONFIG_HOME", home.Path()}, {"XDG_DATA_HOME", home.Path()},
      {"XDG_CACHE_HOME", home.Path()}, {"XDG_STATE_HOME", home.Path()},
  };
  RunResult configure =
      RunProgram(HELIRYX_CMAKE,
                 {"-S", HELIRYX_SOURCE_DIR, "-B", fresh / "build", "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo"},
                 env, kCmakeTimeoutMs);
  ASSERT_EQ(configure.exitCode, 0) << Describe(configure);
  RunResult build = RunProgram(HELIRYX_CMAKE, {"--build", HELIRYX_BUILD_DIR}, env, kCmakeTimeoutMs);
  ASSERT_EQ(build.exitCode, 0) << Describe(build);

  std::vector<std::string> written;
  for (const auto& e : fs::recursive_directory_iterator(home.Path())) written.push_back(e.path().string());
  EXPECT_EQ(written, std::vector<std::string>{});
}

}  // namespace
