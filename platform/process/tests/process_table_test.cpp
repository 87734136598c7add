#include "platform/process/process_table.h"
#include "platform/wine/wine_drives.h"

#include "testing/test_support.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

struct FakeProcess {
  int pid = 0;
  std::string exe = {};  // link target; empty: no link (unreadable)
  std::vector<std::string> cmdline = {};
  std::vector<std::string> environ = {};
  std::string maps = {};
  std::string cwd = {};
  char state = 'S';
  unsigned long long startTime = 1000;  // in clock ticks since boot: long ago
  int tgid = 0;                         // 0: its own (a process, not a thread)
};

std::string Nul(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += item + '\0';
  return out;
}

std::string StatLine(int pid, char state, unsigned long long startTime) {
  // A command name with blanks and a parenthesis, as /proc may show.
  return std::to_string(pid) + " (odd (name) x) " + state + " 1 1 1 0 -1 4194560 0 0 0 0 0 0 0 0 20 0 1 0 " +
         std::to_string(startTime) + " 1 2\n";
}

// A /proc-shaped tree, with a home folder holding a Wine prefix beside it.
class ProcFixture {
 public:
  std::string Root() const { return tmp_ / "proc"; }
  std::string Home() const { return tmp_ / "home"; }
  std::string Path(const std::string& relative) const { return tmp_ / relative; }

  void Add(const FakeProcess& p) {
    std::string dir = Root() + "/" + std::to_string(p.pid);
    fs::create_directories(dir);
    if (!p.exe.empty()) fs::create_symlink(p.exe, dir + "/exe");
    if (!p.cwd.empty()) fs::create_symlink(p.cwd, dir + "/cwd");
    WriteFile(dir + "/cmdline", Nul(p.cmdline));
    WriteFile(dir + "/environ", Nul(p.environ));
    WriteFile(dir + "/maps", p.maps);
    WriteFile(dir + "/status",
              "Name:\tx\nUmask:\t0022\nState:\tS (sleeping)\nTgid:\t" + std::to_string(p.tgid ? p.tgid : p.pid) + "\n");
    SetStat(p.pid, p.state, p.startTime);
  }
  // Replaces a process by a new one at the same pid: a new directory, as the system makes it.
  void Replace(const FakeProcess& p) {
    std::string dir = Root() + "/" + std::to_string(p.pid);
    fs::rename(dir, Root() + "/ended");
    Add(p);
    fs::remove_all(Root() + "/ended");
  }
  void SetLastPid(int pid) { WriteFile(Root() + "/loadavg", "0.10 0.20 0.30 2/300 " + std::to_string(pid) + "\n"); }
  void SetStat(int pid, char state, unsigned long long startTime) {
    WriteFile(Root() + "/" + std::to_string(pid) + "/stat", StatLine(pid, state, startTime));
  }

 private:
  TempFolder tmp_;
};

std::string ToWindows(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string MapsLine(const std::string& path) {
  return "7f0000000000-7f0000001000 r--p 00000000 08:01 131    " + path + "\n";
}

// Now, in clock ticks since boot: the start time a process started now has.
unsigned long long BootTicks() {
  timespec now{};
  ::clock_gettime(CLOCK_BOOTTIME, &now);
  auto ticksPerSecond = static_cast<unsigned long long>(::sysconf(_SC_CLK_TCK));
  return static_cast<unsigned long long>(now.tv_sec) * ticksPerSecond +
         static_cast<unsigned long long>(now.tv_nsec) * ticksPerSecond / 1000000000ull;
}

// Every process the table offers, in its order.
std::vector<platform::ProcessInfo> All(platform::ProcessTable& table) {
  std::vector<platform::ProcessInfo> all;
  table.First([&](const platform::ProcessInfo& p) {
    all.push_back(p);
    return false;
  });
  return all;
}

// The one named, as the monitor asks for it: the table may keep its answers
// for as long as the name asked for stays the same.
std::optional<platform::ProcessInfo> Named(platform::ProcessTable& table, const std::string& exeName) {
  return table.FirstKept([&](const platform::ProcessInfo& p) { return p.exeName == exeName; },
                         std::hash<std::string>()(exeName));
}

// Time since boot that passes as the test says.
class StepClock : public platform::BootClock {
 public:
  double Now() override { return now; }
  double now = 100000;  // long after the fixture's processes started
};

}  // namespace

TEST(ProcProcessTable, ListsNativeAndWineProcessesByTheirExecutables) {
  ProcFixture f;
  std::string prefix = f.Home() + "/.wine";
  fs::create_directories(prefix + "/dosdevices");
  fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
  WriteFile(prefix + "/drive_c/Games/Unreal/System/UnrealTournament.exe", "MZ");
  WriteFile(prefix + "/drive_c/windows/system32/services.exe", "MZ");
  WriteFile(f.Path("games/x/game.exe"), "MZ");
  std::string other = f.Path("other prefix");
  std::string hover = other + "/drive_c/Program Files/Hover Race/HoverRace.EXE";
  fs::create_directories(f.Root() + "/self");  // not a process

  f.Add({9, "/usr/games/Quake3/quake3", {"quake3"}, {}, "", "/"});
  // Under Wine: the mapped .exe that is not Wine's own, in a prefix named by WINEPREFIX.
  f.Add({20,
         "/usr/lib/wine/wine64",
         {"C:\\Program Files\\Hover Race\\HoverRace.EXE"},
         {"PATH=/bin", "HOME=/nowhere", "WINEPREFIX=" + other + "/", "TMPDIR=/tmp/game", "WINEDEBUG=-all"},
         MapsLine("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/start.exe") +
             MapsLine(other + "/drive_c/windows/system32/conhost.exe") + MapsLine(hover) +
             MapsLine("/usr/lib/x86_64-linux-gnu/wine/x86_64-unix/ntdll.so")});
  // A prefix named through a link: the kernel shows mapped files by their real paths.
  std::string linked = f.Path("linked prefix");
  fs::create_directories(other + "/drive_c/windows");
  fs::create_directory_symlink(other, linked);
  f.Add({25,
         "/usr/lib/wine/wine64",
         {"C:\\Program Files\\Hover Race\\HoverRace.EXE"},
         {"WINEPREFIX=" + linked},
         MapsLine(other + "/drive_c/windows/system32/conhost.exe") + MapsLine(hover)});
  // The game's .exe after many lines, one of them longer than any path.
  std::string manyLines;
  for (int i = 0; i < 2000; ++i) manyLines += MapsLine("/usr/lib/x86_64-linux-gnu/lib" + std::to_string(i) + ".so");
  manyLines += MapsLine("/" + std::string(20000, 'x') + ".exe");
  f.Add({26, "/usr/lib/wine/wine64", {}, {"WINEPREFIX=" + other}, manyLines + MapsLine(hover) + manyLines});
  // Nothing mapped yet: the Windows path of the command line through the prefix in HOME.
  f.Add({30,
         "/usr/lib/wine/wine64-preloader",
         {"c:\\games\\unreal\\system\\unrealtournament.exe", "", ""},
         {"HOME=" + f.Home()}});
  // A bare name, relative to the folder it was started in.
  f.Add({40, "/usr/lib/wine/wine", {"GAME.EXE"}, {}, "", f.Path("games/x")});
  // Wine's own helper (prefix from our own home): listed as the loader, never as a game.
  f.Add({50, "/usr/lib/wine/wine64", {"C:\\windows\\system32\\services.exe"}});
  f.Add({60, "/usr/games/Quake3/quake3", {}, {}, "", "", 'Z'});  // ended, not yet reaped
  f.Add({70, "", {"kthreadd"}});                                 // no readable executable
  f.Add({100, "/opt/game/run.x86 (deleted)", {"run.x86"}});

  platform::ProcProcessTable table(f.Root(), f.Home());
  struct Row {
    std::string name;
    int pid;
    std::string folder;
    std::string prefix;
    std::string loader = {};
    std::vector<std::string> environment = {};
  } expected[] = {
      {"quake3", 9, "/usr/games/Quake3", ""},
      {"HoverRace.EXE",
       20,
       other + "/drive_c/Program Files/Hover Race",
       other,
       "/usr/lib/wine/wine64",
       {"WINEPREFIX=" + other + "/", "TMPDIR=/tmp/game", "HOME=/nowhere"}},
      {"HoverRace.EXE",
       25,
       other + "/drive_c/Program Files/Hover Race",
       linked,
       "/usr/lib/wine/wine64",
       {"WINEPREFIX=" + linked}},
      {"HoverRace.EXE",
       26,
       other + "/drive_c/Program Files/Hover Race",
       other,
       "/usr/lib/wine/wine64",
       {"WINEPREFIX=" + other}},
      {"UnrealTournament.exe",
       30,
       prefix + "/drive_c/Games/Unreal/System",
       prefix,
       "/usr/lib/wine/wine64",
       {"HOME=" + f.Home()}},
      {"game.exe", 40, f.Path("games/x"), prefix, "/usr/lib/wine/wine"},
      {"wine64", 50, "/usr/lib/wine", ""},
      {"run.x86", 100, "/opt/game", ""},
  };
  std::vector<platform::ProcessInfo> list = All(table);
  ASSERT_EQ(list.size(), std::size(expected));
  for (size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].exeName, expected[i].name) << i;
    EXPECT_EQ(list[i].pid, expected[i].pid) << i;
    EXPECT_EQ(list[i].exeFolder, expected[i].folder) << i;
    EXPECT_EQ(list[i].winePrefix, expected[i].prefix) << i;
    EXPECT_EQ(list[i].wineLoader, expected[i].loader) << i;
    EXPECT_EQ(list[i].wineEnvironment, expected[i].environment) << i;
    EXPECT_EQ(list[i].startTime, 1000u) << i;
  }
}

TEST(WinePathToLinux, MapsDrivesThroughDosdevices) {
  ProcFixture f;
  std::string prefix = f.Home() + "/.wine";
  fs::create_directories(prefix + "/dosdevices");
  fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
  fs::create_directory_symlink(f.Path("cdrom"), prefix + "/dosdevices/d:");
  fs::create_directory_symlink("/", prefix + "/dosdevices/z:");
  WriteFile(prefix + "/drive_c/Games/Foo/Foo.exe", "MZ");
  WriteFile(f.Path("cdrom/SETUP.EXE"), "MZ");
  struct Case {
    std::string windows, linux;
  } cases[] = {
      {"C:\\GAMES\\foo\\foo.EXE", prefix + "/drive_c/Games/Foo/Foo.exe"},
      {"c:/Games/Foo/Foo.exe", prefix + "/drive_c/Games/Foo/Foo.exe"},
      {"D:\\setup.exe", f.Path("cdrom/SETUP.EXE")},
      // Z: is the whole file system.
      {"Z:" + ToWindows(f.Path("CDROM/setup.exe")), f.Path("cdrom/SETUP.EXE")},
      // Parts that do not exist keep their spelling.
      {"C:\\Games\\New\\x.exe", prefix + "/drive_c/Games/New/x.exe"},
      {"E:\\x.exe", ""},  // no such drive
      {"x.exe", ""},      // not a drive path
  };
  for (const Case& c : cases) EXPECT_EQ(platform::WinePathToLinux(prefix, c.windows), c.linux) << c.windows;
}

TEST(ProcProcessTable, AWatchEndsWithTheProcessAndIsNotFooledByAReusedPid) {
  ProcFixture f;
  f.Add({9, "/usr/games/q3", {"q3"}});
  platform::ProcProcessTable table(f.Root(), f.Home());
  std::vector<platform::ProcessInfo> list = All(table);
  ASSERT_EQ(list.size(), 1u);
  auto watch = table.Watch(list[0]);
  ASSERT_TRUE(watch);
  EXPECT_TRUE(watch->Running());
  f.SetStat(9, 'S', 2000);  // the pid now belongs to a newer process
  EXPECT_FALSE(watch->Running());
  EXPECT_FALSE(table.Watch(list[0]));
  f.SetStat(9, 'Z', 1000);
  EXPECT_FALSE(table.Watch(list[0]));
  fs::remove_all(f.Root() + "/9");
  EXPECT_FALSE(table.Watch(list[0]));
}

TEST(ProcProcessTable, SeesARealProcessStartAndEnd) {
  testing_support::ChildProcess child(PROCESS_PROBE, {}, {{"PROBE_SLEEP_MS", "30000"}});
  platform::ProcProcessTable table;
  platform::ProcessInfo found;
  ASSERT_TRUE(testing_support::WaitUntil([&] {
    for (const auto& p : All(table))
      if (p.pid == child.Pid() && p.exeName == "process_probe") found = p;
    return found.pid != 0;
  }));
  EXPECT_EQ(found.exeFolder + "/process_probe", fs::path(PROCESS_PROBE).lexically_normal().string());
  auto watch = table.Watch(found);
  ASSERT_TRUE(watch);
  EXPECT_TRUE(watch->Running());
  ::kill(child.Pid(), SIGKILL);  // left unreaped: a zombie still counts as ended
  EXPECT_TRUE(testing_support::WaitUntil([&] { return !watch->Running(); }));
  EXPECT_FALSE(table.First([&](const platform::ProcessInfo& p) { return p.pid == child.Pid(); }));
}

TEST(ProcProcessTable, AReusedPidIsReadAgain) {
  struct Case {
    const char* how;
    bool newDirectory;  // as the system does it; the same directory only if its inode repeats
  } cases[] = {{"new directory", true}, {"same directory", false}};
  for (const Case& c : cases) {
    ProcFixture f;
    f.Add({9, "/usr/games/q3", {"q3"}});
    platform::ProcProcessTable table(f.Root(), f.Home());
    ASSERT_TRUE(Named(table, "q3")) << c.how;
    if (c.newDirectory) {
      f.Replace({9, "/usr/bin/bash", {"bash"}, {}, "", "", 'S', 2000});
    } else {
      fs::remove(f.Root() + "/9/exe");
      fs::create_symlink("/usr/bin/bash", f.Root() + "/9/exe");
      f.SetStat(9, 'S', 2000);
    }
    EXPECT_FALSE(Named(table, "q3")) << c.how;
    auto bash = Named(table, "bash");
    ASSERT_TRUE(bash) << c.how;
    EXPECT_EQ(bash->startTime, 2000u) << c.how;
  }
}

// The last pid given out tells which processes are new, so the tree need not be
// listed each scan; a thread's id, which also opens a directory, is no process.
TEST(ProcProcessTable, NewProcessesAreFoundFromTheLastPid) {
  struct Case {
    const char* what;
    std::vector<FakeProcess> added;
    int lastPid;
    int found;  // pid of the game found, 0: none
  } cases[] = {
      {"a few pids on", {{60, "/usr/games/q3"}}, 60, 60},
      {"a thread of a process", {{60, "/usr/bin/bash"}, {61, "/usr/games/q3", {}, {}, "", "", 'S', 1000, 60}}, 61, 0},
      {"after the pids wrapped", {{5, "/usr/games/q3"}}, 5, 5},
      {"many pids on", {{900, "/usr/games/q3"}}, 900, 900},
  };
  for (const Case& c : cases) {
    ProcFixture f;
    f.Add({9, "/usr/bin/bash"});
    f.SetLastPid(50);
    platform::ProcProcessTable table(f.Root(), f.Home());
    EXPECT_FALSE(Named(table, "q3")) << c.what;
    for (const FakeProcess& p : c.added) f.Add(p);
    f.SetLastPid(c.lastPid);
    auto game = Named(table, "q3");
    EXPECT_EQ(game ? game->pid : 0, c.found) << c.what;
    fs::remove_all(f.Root() + "/" + std::to_string(c.added.front().pid));
    EXPECT_FALSE(Named(table, "q3")) << c.what << ": ended";
  }
}

// A pid is given out a moment before its directory appears; meanwhile others
// may be given out after it.
TEST(ProcProcessTable, AProcessWhoseDirectoryAppearsAScanLateIsFound) {
  ProcFixture f;
  f.Add({9, "/usr/bin/bash"});
  f.SetLastPid(50);
  platform::ProcProcessTable table(f.Root(), f.Home());
  EXPECT_FALSE(Named(table, "q3"));
  for (int pid = 61; pid <= 80; ++pid) f.Add({pid, "/usr/bin/bash"});
  f.SetLastPid(80);  // 60 is given out, its directory not there yet
  EXPECT_FALSE(Named(table, "q3"));
  f.Add({60, "/usr/games/q3"});
  f.SetLastPid(82);
  auto game = Named(table, "q3");
  EXPECT_EQ(game ? game->pid : 0, 60);
}

// After the pids wrap, new processes have lower pids than older ones: the
// first by pid is still the one taken.
TEST(ProcProcessTable, NewProcessesAfterAWrapAreTakenInPidOrder) {
  ProcFixture f;
  f.Add({900, "/usr/games/q3"});
  f.SetLastPid(950);
  platform::ProcProcessTable table(f.Root(), f.Home());
  EXPECT_EQ(Named(table, "q3")->pid, 900);
  f.SetLastPid(5);
  EXPECT_EQ(Named(table, "q3")->pid, 900);
  f.Add({20, "/usr/games/q3"});
  f.Add({30, "/usr/bin/bash"});
  f.SetLastPid(30);
  auto game = Named(table, "q3");
  EXPECT_EQ(game ? game->pid : 0, 20);
  std::vector<int> pids;
  for (const auto& p : All(table)) pids.push_back(p.pid);
  EXPECT_EQ(pids, (std::vector<int>{20, 30, 900}));
}

// Wine maps the game's .exe a moment after the loader starts: it is looked for
// every scan at first, and by the slow sweep once the loader has waited long.
TEST(ProcProcessTable, AWineGameWhoseExeIsMappedLateIsFound) {
  struct Case {
    const char* when;
    platform::ScanPace pace;
  } cases[] = {
      {"while the loader is young", {}},
      {"after the loader's wait", {.youngSeconds = 0, .wineWaitSeconds = 0, .sweepSeconds = 1}},
  };
  for (const Case& c : cases) {
    ProcFixture f;
    std::string prefix = f.Home() + "/.wine";
    f.Add({30, "/usr/lib/wine/wine64", {"/usr/lib/wine/wine64"}, {"WINEPREFIX=" + prefix}, "", "", 'S', BootTicks()});
    f.SetLastPid(30);
    platform::ProcProcessTable table(f.Root(), f.Home(), c.pace);
    std::vector<platform::ProcessInfo> before = All(table);
    ASSERT_EQ(before.size(), 1u) << c.when;
    EXPECT_EQ(before[0].exeName, "wine64") << c.when;
    WriteFile(f.Root() + "/30/maps", MapsLine("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/start.exe") +
                                         MapsLine(prefix + "/drive_c/Games/Late/Late.exe"));
    std::optional<platform::ProcessInfo> game;
    ASSERT_TRUE(testing_support::WaitUntil([&] { return (game = Named(table, "Late.exe")).has_value(); })) << c.when;
    EXPECT_EQ(game->exeFolder, prefix + "/drive_c/Games/Late") << c.when;
    EXPECT_EQ(game->winePrefix, prefix) << c.when;
  }
}

// A wrapper that execs the game keeps its pid and start time. One that does so
// in its first seconds is seen at the next scan; one that does so later, by the
// slow sweep over known processes, slower still once it is old (all shortened
// here for the later ones).
TEST(ProcProcessTable, AWrapperThatExecsTheGameIsFollowed) {
  struct Case {
    const char* what;
    double execAtAge;  // seconds
    platform::ScanPace pace;
  } cases[] = {
      {"at once", 0, {}},
      {"late", 0.7, {.youngSeconds = 0.5, .sweepSeconds = 2}},
      {"when old", 2.5, {.youngSeconds = 0.5, .sweepSeconds = 1, .oldSeconds = 1.5, .oldSweepSeconds = 2}},
  };
  testing_support::TempFolder games;
  std::string game = games / "wrappedgame";
  fs::copy_file(PROCESS_PROBE, game);
  for (const Case& c : cases) {
    platform::ProcProcessTable table("/proc", "", c.pace);
    std::string go = games / (std::string("go-") + c.what);
    testing_support::ChildProcess wrapper(PROCESS_PROBE, {},
                                          {{"PROBE_EXEC", game}, {"PROBE_EXEC_WHEN", go}, {"PROBE_SLEEP_MS", "30000"}});
    auto isWrapper = [&](const platform::ProcessInfo& p) { return p.pid == wrapper.Pid(); };
    std::optional<platform::ProcessInfo> seen;
    ASSERT_TRUE(testing_support::WaitUntil([&] { return (seen = table.First(isWrapper)).has_value(); })) << c.what;
    EXPECT_EQ(seen->exeName, "process_probe") << c.what;
    ASSERT_TRUE(testing_support::WaitUntil(
        [&] { return BootTicks() >= seen->startTime + c.execAtAge * ::sysconf(_SC_CLK_TCK); }));
    WriteFile(go, "");
    ASSERT_TRUE(testing_support::WaitUntil([&] {
      seen = table.First(isWrapper);
      return seen && seen->exeName == "wrappedgame";
    })) << c.what;
    EXPECT_EQ(seen->exeFolder, fs::path(game).parent_path().lexically_normal().string());
  }
}

// Probing the pids given out can miss a process: one whose directory appears
// a moment after its pid was looked for, or one whose pid came round again
// (the pids wrapped unseen, a long suspension) under the same executable. The
// tree is listed now and then, and on request, so that it is found all the same.
TEST(ProcProcessTable, AProcessTheProbeMissedIsFoundWithinAMinute) {
  struct Case {
    const char* what;
    bool lookAtAll;  // asked to look at every process (monitoring resumes)
    int within;      // scans a second apart
  } cases[] = {{"in time", false, 61}, {"when asked", true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      SCOPED_TRACE("a directory that appears after the burst's listing");
      ProcFixture f;
      StepClock clock;
      f.Add({100, "/usr/bin/bash"});
      f.SetLastPid(100);
      platform::ProcProcessTable table(f.Root(), f.Home(), {}, &clock);
      EXPECT_FALSE(Named(table, "q3"));
      for (int pid = 101; pid <= 499; ++pid)
        if (pid != 480) f.Add({pid, "/usr/bin/bash"});
      f.SetLastPid(500);  // more than probeLimit: listed
      EXPECT_FALSE(Named(table, "q3"));
      f.Add({480, "/games/q3"});
      if (c.lookAtAll) table.LookAtAllNextScan();
      std::optional<platform::ProcessInfo> game;
      for (int scan = 0; scan < c.within && !game; ++scan, clock.now += 1) game = Named(table, "q3");
      EXPECT_EQ(game ? game->pid : 0, 480);
    }
    {
      SCOPED_TRACE("a pid reused under the same Wine loader");
      ProcFixture f;
      StepClock clock;
      std::string prefix = f.Home() + "/.wine";
      std::vector<std::string> env = {"WINEPREFIX=" + prefix};
      f.Add({150, "/usr/lib/wine/wine64-preloader", {}, env, MapsLine(prefix + "/drive_c/setup/setup.exe")});
      f.SetLastPid(200);
      platform::ProcProcessTable table(f.Root(), f.Home(), {}, &clock);
      EXPECT_EQ(Named(table, "setup.exe")->pid, 150);
      f.Replace({150, "/usr/lib/wine/wine64-preloader", {}, env, MapsLine("/games/q3/quake3.exe"), "", 'S', 2000});
      f.SetLastPid(300);
      if (c.lookAtAll) table.LookAtAllNextScan();
      std::optional<platform::ProcessInfo> game;
      for (int scan = 0; scan < c.within && !game; ++scan, clock.now += 1) game = Named(table, "quake3.exe");
      EXPECT_EQ(game ? game->pid : 0, 150);
      EXPECT_EQ(game ? game->exeFolder : "", "/games/q3");
      EXPECT_EQ(game ? game->startTime : 0, 2000u);
      EXPECT_FALSE(Named(table, "setup.exe"));
    }
  }
}

// The monitor's scan keeps each process's answer: it must still see what it
// asks for change, whether the process changed (an exec, read again when due)
// or the question did (another watch list).
TEST(ProcProcessTable, AKeptAnswerIsAskedAgainWhenTheProcessOrTheQuestionChanges) {
  ProcFixture f;
  StepClock clock;
  f.Add({9, "/usr/bin/bash"});
  f.Add({12, "/usr/games/q3"});
  f.SetLastPid(20);
  platform::ScanPace pace{.youngSeconds = 0, .sweepSeconds = 2, .oldSeconds = 1, .oldSweepSeconds = 2};
  platform::ProcProcessTable table(f.Root(), f.Home(), pace, &clock);
  auto names = [](std::vector<std::string> list) {
    return
        [list](const platform::ProcessInfo& p) { return std::find(list.begin(), list.end(), p.exeName) != list.end(); };
  };
  auto first = [&](const std::vector<std::string>& list, unsigned long version) {
    auto found = table.FirstKept(names(list), version);
    return found ? found->exeName : std::string("none");
  };
  EXPECT_EQ(first({"q3"}, 1), "q3");
  EXPECT_EQ(first({"bash", "q3"}, 2), "bash");  // another question
  EXPECT_EQ(first({"ut"}, 3), "none");
  fs::remove(f.Root() + "/9/exe");  // pid 9 runs exec
  fs::create_symlink("/usr/games/ut", f.Root() + "/9/exe");
  std::string seen;
  for (int scan = 0; scan < 3 && seen != "ut"; ++scan, clock.now += 1) seen = first({"ut"}, 3);
  EXPECT_EQ(seen, "ut");
  fs::remove_all(f.Root() + "/9");
  EXPECT_EQ(first({"ut", "q3"}, 4), "q3");
  f.Add({10, "/usr/games/ut"});  // below the pids probed: found by the next listing
  f.SetLastPid(21);
  clock.now += 1;
  EXPECT_EQ(first({"ut", "q3"}, 4), "q3");
  clock.now += 60;
  EXPECT_EQ(first({"ut", "q3"}, 4), "ut");
}
