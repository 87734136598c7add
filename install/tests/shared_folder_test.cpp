// The installation folder the programs share, with each real program started
// in it: a folder the player may not write is said at once, with nothing
// written, and the hidden temporaries of writers that were killed are swept.
#include "config_store/profile_helpers.h"
#include "platform/registry.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace testing_support;

namespace {

const char* kGameScg =
    "[VERSION]\r\nVERSION=6.1\r\n\r\n[IDENTIFICATION]\r\nAPPLICATION_NAME=\"Test Game\"\r\n\r\n"
    "[CONFIGURATION]\r\nHIDE_FILE=FALSE\r\nEXECUTABLE=\"game.exe\"\r\n";
// A 6.0 file, which the editor's scan would rewrite.
const char* kOldScg =
    "[VERSION]\r\nVERSION=6.0\r\nAPPLICATION_NUMBER=5.0\r\nFILE_REVISION_NUMBER=2\r\n"
    "[IDENTIFICATION]\r\nAPPLICATION_NAME=\"Old "
    "Game\"\r\n[CONFIGURATION]\r\nHIDE_FILE=FALSE\r\nEXECUTABLE=\"old.exe\"\r\n";
const char* kActive = "[APPLICATION]\r\nMODE=ACTIVE\r\n";
const uid_t kNobody = 65534;

// The player the programs run as. The super-user may write any folder, so where
// the tests run as root the programs run as nobody (through setpriv) and a
// folder is denied by staying root's; otherwise they run as this user and a
// denied folder is made read-only.
class Player {
 public:
  static std::optional<Player> Find(std::string& whyNot) {
    if (::geteuid() != 0) return Player({});
    std::string setpriv = FindOnPath("setpriv");
    if (setpriv.empty()) {
      whyNot = "the tests run as root and setpriv, to run a program as an ordinary user, is not installed";
      return std::nullopt;
    }
    return Player(
        {setpriv, "--reuid=" + std::to_string(kNobody), "--regid=" + std::to_string(kNobody), "--clear-groups", "--"});
  }
  ~Player() {
    for (const std::string& folder : denied_) fs::permissions(folder, fs::perms(0755));
  }
  Player(Player&&) = default;

  // Gives one file or folder to the player.
  void Own(const std::string& path) const {
    if (!prefix_.empty()) ::lchown(path.c_str(), kNobody, kNobody);
  }
  // Gives a folder and everything in it to the player.
  void OwnTree(const std::string& folder) const {
    Own(folder);
    for (const auto& entry : fs::recursive_directory_iterator(folder)) Own(entry.path());
  }
  // Takes one folder (not what lies in it) out of the player's hands.
  void Deny(const std::string& folder) {
    if (!prefix_.empty()) {
      ::chown(folder.c_str(), 0, 0);
    } else {
      fs::permissions(folder, fs::perms(0555));
      denied_.push_back(folder);
    }
  }
  RunResult Run(const std::string& program, const std::map<std::string, std::string>& env) const {
    if (prefix_.empty()) return RunProgram(program, {}, env);
    std::vector<std::string> args(prefix_.begin() + 1, prefix_.end());
    args.push_back(program);
    return RunProgram(prefix_.front(), args, env);
  }

 private:
  explicit Player(std::vector<std::string> prefix) : prefix_(std::move(prefix)) {}
  std::vector<std::string> prefix_;
  std::vector<std::string> denied_;
};

// Every file below the folder with its bytes, to see that nothing was written.
std::map<std::string, std::string> Contents(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = ReadFile(entry.path());
  return files;
}

// An installation folder with the three programs that write it, its registry
// pointing at it, and the updater's copy `fl` in a private folder, as the
// updater's start leaves it.
struct SharedFolder {
  SharedFolder()
      : install({"watchpost", "tunedeck", "fetchling"}), configHome("XDG_CONFIG_HOME", install.ConfigHome()) {
    platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath",
                                  install.Folder());
    fs::copy_file(install / "fetchling", privateFolder / "fl");
    fs::permissions(privateFolder.Path(), fs::perms(0700));
    fs::permissions(runtime.Path(), fs::perms(0700));
  }
  std::string Program(const std::string& name) const { return name == "fl" ? privateFolder / "fl" : install / name; }
  std::map<std::string, std::string> Environment() const {
    auto env = install.Environment();
    env["XDG_RUNTIME_DIR"] = runtime.Path();
    env["HOME"] = home.Path();
    return env;
  }
  std::string Mode() const { return config_store::ReadIni(install / "watchpost.ini", "APPLICATION", "MODE"); }

  TempInstall install;
  ScopedEnv configHome;  // the registry the programs read is the installation's own
  TempFolder privateFolder, runtime, home;
};

}  // namespace

TEST(SharedFolder, AFolderThePlayerMayNotWriteIsSaidBeforeAnythingIsWritten) {
  std::string whyNot;
  std::optional<Player> player = Player::Find(whyNot);
  if (!player) GTEST_SKIP() << whyNot;
  struct Case {
    std::string name;
    std::string program;
    std::map<std::string, std::string> files;
    std::vector<std::string> denied;    // folders the player may not write ("" the installation folder)
    std::vector<std::string> readOnly;  // files without write bits
    std::string named;                  // what the box names
  } cases[] = {
      {"the monitor cannot create its mailbox", "watchpost", {{"scg/game.scg", kGameScg}}, {""}, {}, "watchpost.ini"},
      {"the monitor cannot replace its mailbox",
       "watchpost",
       {{"scg/game.scg", kGameScg}, {"watchpost.ini", kActive}},
       {""},
       {},
       "watchpost.ini"},
      {"the monitor's mailbox is read-only",
       "watchpost",
       {{"scg/game.scg", kGameScg}, {"watchpost.ini", kActive}},
       {},
       {"watchpost.ini"},
       "watchpost.ini"},
      {"the editor cannot create its settings",
       "tunedeck",
       {{"scg/game.scg", kGameScg}, {"scg/old.scg", kOldScg}},
       {""},
       {},
       "tunedeck.ini"},
      {"the editor cannot write the mailbox",
       "tunedeck",
       {{"scg/old.scg", kOldScg}, {"tunedeck.ini", "[Games]\r\nCurrent=\r\n"}, {"watchpost.ini", kActive}},
       {},
       {"watchpost.ini"},
       "watchpost.ini"},
      {"the updater cannot write the mailbox", "fl", {{"watchpost.ini", kActive}}, {""}, {}, "watchpost.ini"},
      {"the updater cannot write the installation folder", "fl", {}, {""}, {}, ""},
      {"the updater cannot write scg",
       "fl",
       {{"scg/game.scg", kGameScg}, {"watchpost.ini", kActive}},
       {"scg"},
       {},
       "scg/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SharedFolder shared;
    // The programs in the folder are links to the build's own: they stay root's.
    player->Own(shared.install.Folder());
    for (const auto& [file, bytes] : c.files) {
      WriteFile(shared.install / file, bytes);
      player->Own(fs::path(shared.install / file).parent_path());
      player->Own(shared.install / file);
    }
    for (const std::string& dir :
         {shared.install.ConfigHome(), shared.privateFolder.Path(), shared.runtime.Path(), shared.home.Path()})
      player->OwnTree(dir);
    for (const std::string& file : c.readOnly) fs::permissions(shared.install / file, fs::perms(0444));
    for (const std::string& dir : c.denied) player->Deny(dir.empty() ? shared.install.Folder() : shared.install / dir);
    const auto before = Contents(shared.install.Folder());

    RunResult run = player->Run(shared.Program(c.program), shared.Environment());
    const std::string text = "Cannot write " + shared.install.Folder() + "/" + c.named + ": Permission denied";
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("[message box] Critical Error: " + text + "\n"), std::string::npos) << run.err;
    if (c.program == "watchpost") {
      EXPECT_NE(run.err.find("watchpost: Monitor ended: " + text + "\n"), std::string::npos) << run.err;
    }
    EXPECT_EQ(Contents(shared.install.Folder()), before);
  }
}

TEST(SharedFolder, EachStartSweepsTheTemporariesOfEndedWritersFromTheFoldersItWrites) {
  ChildProcess ended("/bin/true", {});
  ASSERT_EQ(ended.Wait(), 0);
  ChildProcess running("/bin/sleep", {"600"});
  const std::string gone = std::to_string(ended.Pid()), alive = std::to_string(running.Pid());
  // Only the super-user can give a file to another user.
  const bool root = ::geteuid() == 0;
  struct Case {
    std::string program;
    std::string modeBefore, modeOnceStarted;  // the mailbox shows the start got past the sweep
    std::vector<std::string> swept, notSwept;
  } cases[] = {
      {"watchpost", "SUSPEND", "ACTIVE", {"", "scg"}, {"scg/old", "crv", "games"}},
      {"tunedeck", "ACTIVE", "SUSPEND", {"", "scg"}, {"scg/old", "crv", "games"}},
      {"fl", "ACTIVE", "SUSPEND", {"", "scg", "crv", "games", "games/q3/maps"}, {"ryx"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    SharedFolder shared;
    WriteFile(shared.install / "scg/game.scg", kGameScg);
    WriteFile(shared.install / "watchpost.ini", "[APPLICATION]\r\nMODE=" + c.modeBefore + "\r\n");
    struct Left {
      std::string path;
      bool staleAndOurs;
    };
    std::vector<Left> left;
    auto place = [&](const std::string& folder, bool swept) {
      std::string base = shared.install.Folder() + (folder.empty() ? "" : "/" + folder);
      std::vector<Left> here{{base + "/.game.scg.heliryx-" + gone + "-0", swept},
                             {base + "/.setup.exe.heliryx-" + alive + "-3", false}};
      if (root) here.push_back({base + "/.game.crv.heliryx-" + gone + "-1", false});  // another user's
      for (const Left& l : here) {
        WriteFile(l.path, "partial");
        ASSERT_TRUE(AgeFile(l.path));
      }
      if (root) ::chown(here.back().path.c_str(), kNobody, kNobody);
      // Written to just now: its writer may run in another pid namespace.
      here.push_back({base + "/.game.ini.heliryx-" + gone + "-2", false});
      WriteFile(here.back().path, "partial");
      left.insert(left.end(), here.begin(), here.end());
    };
    for (const std::string& folder : c.swept) place(folder, true);
    for (const std::string& folder : c.notSwept) place(folder, false);
    for (const Left& l : left) ASSERT_TRUE(fs::exists(l.path)) << l.path;

    ChildProcess program(shared.Program(c.program), {}, shared.Environment());
    ASSERT_TRUE(WaitUntil([&] { return shared.Mode() == c.modeOnceStarted; }, 30000)) << program.Stderr();
    for (const Left& l : left) EXPECT_EQ(fs::exists(l.path), !l.staleAndOurs) << l.path;
    program.Terminate();
    EXPECT_EQ(program.Wait(30000), 0) << program.Stderr();
  }
  if (!root) std::printf("Another user's temporaries not tried: the tests do not run as the super-user.\n");
}

TEST(SharedFolder, WithoutADisplayTheEditorAndTheUpdaterSaySoAndTheOthersRun) {
  SharedFolder shared;
  WriteFile(shared.install / "scg/game.scg", kGameScg);
  WriteFile(shared.install / "watchpost.ini", kActive);
  fs::copy_file(std::string(HELIRYX_INSTALL_DIR) + "/pointerly", shared.install / "pointerly");
  auto env = shared.Environment();
  env["QT_QPA_PLATFORM"] = "";
  env["DISPLAY"] = "";
  env["WAYLAND_DISPLAY"] = "";
  const std::string relaunched = shared.runtime / "fetchling/fl";

  // A person's window programs: one line, a failure, and the monitor left as it was.
  struct Case {
    std::string program;
    std::vector<std::string> args;
  };
  for (const Case& c : std::vector<Case>{
           {"tunedeck", {}}, {"tunedeck", {"-s"}}, {"fetchling", {}}, {"fetchling", {"--help"}}, {"fl", {}}}) {
    SCOPED_TRACE(c.program);
    RunResult run = RunProgram(shared.Program(c.program), c.args, env);
    EXPECT_EQ(run.exitCode, 1);
    const std::string name = fs::path(c.program).filename();
    EXPECT_EQ(run.err, name +
                           ": needs a display to show its window, and neither DISPLAY nor WAYLAND_DISPLAY is "
                           "set; start it from the desktop (QT_QPA_PLATFORM=offscreen runs it without a window)\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(shared.Mode(), "ACTIVE");
    EXPECT_FALSE(fs::exists(relaunched));
  }

  // The monitor and the emulator have no window to show: they run headless.
  ChildProcess monitor(shared.Program("watchpost"), {"-d"}, env);
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stdout().find("items to the watch list.") != std::string::npos; }))
      << monitor.Stderr();
  RunResult emulator = RunProgram(shared.Program("pointerly"), {}, env);
  EXPECT_EQ(emulator.err.find("needs a display"), std::string::npos) << emulator.err;
  EXPECT_NE(emulator.err.find("[message box] Joystick Input Error"), std::string::npos) << emulator.err;
  EXPECT_EQ(RunProgram(shared.Program("watchpost"), {"-k"}, env).exitCode, 0);
  EXPECT_EQ(monitor.Wait(), 0);
}
