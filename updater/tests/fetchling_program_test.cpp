// The real programs: fetchling relaunching itself as fl, and a real monitor
// handed over to its new version.
#include "updater/tests/updater_fixture.h"

#include <unistd.h>

namespace {

class FetchlingProgramTest : public UpdaterRunTest {};

}  // namespace

TEST_F(FetchlingProgramTest, StartsAFreshCopyAsFlOnItsOwnFolderAndASecondStartActivatesIt) {
  TempInstall programs({"fetchling"});
  ScopedEnv programsHome("XDG_CONFIG_HOME", programs.ConfigHome());
  // AppPath names another installation (the one recorded last): the copy
  // updates the folder it was started from, and leaves that one alone.
  platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath",
                                install.Folder());
  TempFolder runtime;
  fs::permissions(runtime.Path(), fs::perms(0700));
  auto env = programs.Environment();
  env["XDG_RUNTIME_DIR"] = runtime.Path();
  WriteFile(Ini(), "[APPLICATION]\r\nMODE=ACTIVE\r\n");
  const std::string ownIni = programs / "watchpost.ini";
  WriteFile(ownIni, "[APPLICATION]\r\nMODE=ACTIVE\r\n");
  auto ownMode = [&] { return config_store::ReadIni(ownIni, "APPLICATION", "MODE"); };
  const std::string fl = runtime / "fetchling/fl";
  WriteFile(fl, "#!/bin/sh\ntouch \"$0.ran\"\n");  // a stale copy from an earlier version
  fs::permissions(fl, fs::perms(0755));

  EXPECT_EQ(RunProgram(programs / "fetchling", {}, env).exitCode, 0);
  ASSERT_TRUE(WaitUntil([&] { return ProcessesOf(fl).size() == 1; }));
  EXPECT_EQ(ReadFile(fl), ReadFile(programs / "fetchling"));
  EXPECT_FALSE(fs::exists(fl + ".ran"));
  EXPECT_EQ(fs::status(runtime / "fetchling").permissions() & fs::perms::all, fs::perms::owner_all);
  ASSERT_TRUE(WaitUntil([&] { return ownMode() == "SUSPEND"; }));  // the copy's start-up ran
  EXPECT_EQ(Mode(), "ACTIVE");
  const int copy = ProcessesOf(fl).front();
  auto inode = [&] {
    struct stat info {};
    ::stat(fl.c_str(), &info);
    return info.st_ino;
  };
  const auto copied = inode();

  // A second start finds the running copy: nothing is copied or started.
  RunResult second = RunProgram(programs / "fetchling", {}, env);
  EXPECT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(ProcessesOf(fl), std::vector<int>{copy});
  EXPECT_EQ(inode(), copied);

  // A termination ends it through its unload: the monitor is resumed.
  ::kill(copy, SIGTERM);
  ASSERT_TRUE(WaitUntil([&] { return ProcessesOf(fl).empty(); }));
  EXPECT_EQ(ownMode(), "ACTIVE");
  EXPECT_EQ(Mode(), "ACTIVE");
}

// The monitor suspends itself before it starts the updater: a start that ends
// without a copy running (no private folder to be had) hands the monitor back.
TEST_F(FetchlingProgramTest, AStartThatCannotRelaunchHandsTheMonitorBack) {
  TempInstall programs({"fetchling"});
  TempFolder runtime;
  fs::permissions(runtime.Path(), fs::perms(0700));
  WriteFile(runtime / "fetchling", "a file where the private folder would be");
  auto env = programs.Environment();
  env["XDG_RUNTIME_DIR"] = runtime.Path();
  for (std::string mode : {"SUSPEND", "ACTIVE", "KILL"}) {
    SCOPED_TRACE(mode);
    WriteFile(programs / "watchpost.ini", "[APPLICATION]\r\nMODE=" + mode + "\r\n");
    RunResult run = RunProgram(programs / "fetchling", {}, env);
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find(runtime / "fetchling is not a folder."), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(programs / "watchpost.ini"),
              "[APPLICATION]\r\nMODE=" + (mode == "SUSPEND" ? std::string("ACTIVE") : mode) + "\r\n");
  }
}

TEST_F(FetchlingProgramTest, AMonitorUpdateStopsTheOldMonitorAndStartsTheNewOne) {
  TempInstall monitorInstall({"watchpost", "ryxcontrol"}, true);
  ScopedEnv monitorHome("XDG_CONFIG_HOME", monitorInstall.ConfigHome());
  platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath",
                                monitorInstall.Folder());
  platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "UpdateServer",
                                site.Base());
  const std::string ini = monitorInstall / "watchpost.ini";
  auto mode = [&] { return config_store::ReadIni(ini, "APPLICATION", "MODE"); };
  const std::string newMonitor = ReadFile(std::string(HELIRYX_INSTALL_DIR) + "/watchpost");
  site.Put("/fetchling/ryxupdate.nfo", "MAIN, watchpost.exe, 5.1.0.99, " + std::to_string(newMonitor.size()) + "\r\n");
  site.Put("/fetchling/watchpost.exe", newMonitor);

  ChildProcess oldMonitor(monitorInstall / "watchpost", {}, monitorInstall.Environment());
  ASSERT_TRUE(WaitUntil([&] { return mode() == "ACTIVE"; }, 20000)) << oldMonitor.Stderr();

  // Deadlines, not pauses: the old monitor's way out (its next tick, then the
  // driver's reset) can take many seconds on a loaded machine.
  Updater u(UpdaterSettings{temp.Path(), 60000, {}}, connected);
  u.Form_Load();
  EXPECT_EQ(mode(), "SUSPEND");
  u.cmdCheck_Click();
  ASSERT_EQ(u.CurrentStage(), 30);
  u.cmdCheck_Click();
  EXPECT_EQ(u.CurrentStage(), 99) << (answers.Texts().empty() ? "" : answers.Texts().front());
  EXPECT_EQ(ReadFile(monitorInstall / "watchpost"), newMonitor);

  // The end waits for the old monitor to leave, then starts the new one.
  u.Form_Unload();
  EXPECT_EQ(oldMonitor.Wait(60000), 0);
  ASSERT_TRUE(WaitUntil([&] { return mode() == "ACTIVE"; }, 60000));
  ASSERT_EQ(ProcessesOf(monitorInstall / "watchpost").size(), 1u);
  RunProgram(monitorInstall / "watchpost", {"-k"}, monitorInstall.Environment());
  EXPECT_TRUE(WaitUntil([&] { return ProcessesOf(monitorInstall / "watchpost").empty(); }, 20000));
}
