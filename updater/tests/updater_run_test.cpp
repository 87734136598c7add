// The updater's whole run without its window, against a real HTTP server on
// 127.0.0.1 and a temporary installation folder.
#include "updater/tests/updater_fixture.h"

#include "config_store/profile_helpers.h"
#include "platform/text.h"

#include <QTimer>

TEST_F(UpdaterRunTest, NothingToDoFetchesOnlyTheList) {
  StampedProgram(install / "watchpost", "5.1.0.12");
  WriteFile(install / "scg/quake3.scg", "[VERSION]\r\nFILE_REVISION_NUMBER=3\r\n");
  site.Put("/fetchling/ryxupdate.nfo",
           "MAIN, watchpost.exe, 5.1.0.12, 100\r\nCONFIG, quake3.scg, 3, 10, Quake III\r\n");
  auto u = Start();
  EXPECT_EQ(Run(*u), 90);
  EXPECT_EQ(u->View().lblDescription, "No updates available.");
  EXPECT_EQ(site.Requests(), std::vector<std::string>{"/fetchling/ryxupdate.nfo"});
  EXPECT_TRUE(answers.Texts().empty()) << answers.Texts().front();
}

TEST_F(UpdaterRunTest, AFullRunInstallsEveryFileWhole) {
  StampedProgram(install / "watchpost", "5.1.0.12");
  WriteFile(install / "scg/quake3.scg", "[VERSION]\r\nFILE_REVISION_NUMBER=3\r\n");
  RecordShipped({"scg/quake3.scg"});
  const std::string watchpost = Body("new monitor ", 70000), ryx = Body("driver tool ", 3000),
                    readme = Body("read me ", 500), quake = "[VERSION]\r\nFILE_REVISION_NUMBER=4\r\n",
                    doom = "[VERSION]\r\nFILE_REVISION_NUMBER=2\r\n", cfg = Body("seta ", 1500),
                    curve = Body("curve ", 800);
  site.Put("/fetchling/ryxupdate.nfo",
           "MAIN, watchpost.exe, 5.1.0.13, 70000\r\n"
           "MAIN, ryxcontrol.exe, 2.0.0.7, 3000\r\n"
           "MAIN, readme.txt, 1.0.0.0, 500\r\n"
           "CONFIG, quake3.scg, 4, 30, Quake III, SUPPORT, q3\\q3config.cfg, 1500, /SUPPORT, CURVE, soft.crv, 800, "
           "/CURVE\r\n"
           "CONFIG, doom.scg, 2, 30, Doom, SUPPORT, q3\\q3config.cfg, 1500, /SUPPORT\r\n");
  site.Put("/fetchling/watchpost.exe", watchpost);
  site.Put("/fetchling/ryxcontrol.exe", ryx);
  site.Put("/fetchling/readme.txt", readme);
  site.Put("/fetchling/scg/quake3.scg", quake);
  site.Put("/fetchling/scg/doom.scg", doom);
  site.Put("/fetchling/games/q3/q3config.cfg", cfg);
  site.Put("/fetchling/crv/soft.crv", curve);

  auto u = Start();
  EXPECT_EQ(Run(*u), 99);
  EXPECT_TRUE(answers.Texts().empty()) << answers.Texts().front();
  EXPECT_EQ(u->View().lblDescription, "The Kelvane updates were successfully installed.");
  EXPECT_EQ(ReadFile(install / "watchpost"), watchpost);
  EXPECT_EQ(ReadFile(install / "ryxcontrol"), ryx);
  EXPECT_EQ(ReadFile(install / "readme.txt"), readme);
  EXPECT_EQ(ReadFile(install / "scg/quake3.scg"), quake);
  EXPECT_EQ(ReadFile(install / "scg/doom.scg"), doom);
  EXPECT_EQ(ReadFile(install / "games/q3/q3config.cfg"), cfg);
  EXPECT_EQ(ReadFile(install / "crv/soft.crv"), curve);
  EXPECT_EQ(FileMode(install / "watchpost"), 0755u);
  EXPECT_EQ(FileMode(install / "ryxcontrol"), 0755u);
  EXPECT_EQ(FileMode(install / "readme.txt"), 0644u);
  EXPECT_EQ(FileMode(install / "scg/doom.scg"), 0644u);
  EXPECT_EQ(FileMode(install / "games/q3/q3config.cfg"), 0644u);
  // The shared support file was fetched once; the progress counted every byte.
  auto requests = site.Requests();
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "/fetchling/games/q3/q3config.cfg"), 1);
  EXPECT_EQ(u->Progress().BytesTotal, 70000 + 3000 + 500 + 1500 + 800 + (long long)(quake.size() + doom.size()));
  EXPECT_EQ(config_store::ReadIni(Ini(), "VERSION", "RyxControl"), "2.00000007");

  // The next check finds the control tool's recorded version and the new
  // revisions, and only the stand-in's stamp (the served bytes carry none) differs.
  answers.boxes.clear();
  auto again = Start();
  again->cmdCheck_Click();
  EXPECT_EQ(again->Queues().Names(FileKind::Program), (std::vector<std::string>{"watchpost.exe", "readme.txt"}));
  EXPECT_TRUE(again->Queues().Names(FileKind::Configuration).empty());
}

// A list that names the control tool twice records the version it installed,
// not the last one it names, or the next check would offer the same update again.
TEST_F(UpdaterRunTest, TheControlToolsRecordIsTheVersionInstalled) {
  WriteFile(Ini(), "[VERSION]\r\nRyxControl=2.00000007\r\n");
  const std::string ryx = Body("driver tool ", 3000);
  site.Put("/fetchling/ryxupdate.nfo",
           "MAIN, ryxcontrol.exe, 2.0.0.8, 3000\r\n"
           "MAIN, ryxcontrol.exe, 2.0.0.7, 3000\r\n");
  site.Put("/fetchling/ryxcontrol.exe", ryx);
  auto u = Start();
  EXPECT_EQ(Run(*u), 99);
  EXPECT_EQ(ReadFile(install / "ryxcontrol"), ryx);
  EXPECT_EQ(config_store::ReadIni(Ini(), "VERSION", "RyxControl"), "2.00000008");
}

// A configuration (or game file) the player changed is kept beside the new
// version, and the player is told where; one as we left it is simply replaced.
// The next update knows what this one installed: it replaces it unasked and
// never writes over the kept copy.
TEST_F(UpdaterRunTest, AConfigurationThePlayerChangedIsKeptAndThePlayerToldWhere) {
  auto revision = [](const std::string& game, int r) {
    return "[VERSION]\r\nFILE_REVISION_NUMBER=" + std::to_string(r) + "\r\n; " + game + "\r\n";
  };
  auto update = [&](int r) {
    UpdateSite own;  // a site serves a path as it was first put
    ServeFrom(own);
    const std::string n = std::to_string(r);
    own.Put("/fetchling/ryxupdate.nfo", "CONFIG, quake3.scg, " + n +
                                            ", 30, Quake III, SUPPORT, q3\\q3config.cfg, 20, "
                                            "/SUPPORT\r\nCONFIG, halflife.scg, " +
                                            n + ", 30, Half-Life\r\n");
    own.Put("/fetchling/scg/quake3.scg", revision("quake", r));
    own.Put("/fetchling/scg/halflife.scg", revision("halflife", r));
    own.Put("/fetchling/games/q3/q3config.cfg", "seta " + n + "\r\n");
    answers.boxes.clear();
    auto u = Start();
    return Run(*u);
  };
  WriteFile(install / "scg/quake3.scg", revision("quake", 3));
  WriteFile(install / "scg/halflife.scg", revision("halflife", 3));
  WriteFile(install / "games/q3/q3config.cfg", "seta 3\r\n");
  RecordShipped({"scg/quake3.scg", "scg/halflife.scg", "games/q3/q3config.cfg"});
  // The player tunes Half-Life in the editor and edits the game file by hand.
  const std::string tuned = revision("halflife", 3) + "SENS_BEG_USER= { 1/2/3/4/5/6/7 }\r\n";
  WriteFile(install / "scg/halflife.scg", tuned);
  WriteFile(install / "games/q3/q3config.cfg", "seta mine\r\n");

  ASSERT_EQ(update(4), 99) << (answers.Texts().empty() ? "" : answers.Texts().front());
  EXPECT_EQ(ReadFile(install / "scg/quake3.scg"), revision("quake", 4));
  EXPECT_FALSE(fs::exists(install / "scg/quake3.scg.yours"));
  EXPECT_EQ(ReadFile(install / "scg/halflife.scg"), revision("halflife", 4));
  EXPECT_EQ(ReadFile(install / "scg/halflife.scg.yours"), tuned);
  EXPECT_EQ(ReadFile(install / "games/q3/q3config.cfg"), "seta 4\r\n");
  EXPECT_EQ(ReadFile(install / "games/q3/q3config.cfg.yours"), "seta mine\r\n");
  EXPECT_EQ(answers.Texts(),
            std::vector<std::string>{"Freshline: The update replaced 2 files you had changed; your versions "
                                     "are kept:\nscg/halflife.scg as " +
                                     install / "scg/halflife.scg.yours" + "\ngames/q3/q3config.cfg as " +
                                     install / "games/q3/q3config.cfg.yours"});
  // Each file installed is recorded; the kept copy is no configuration.
  const std::string record = ReadFile(install / ".shipped");
  for (const auto& [file, bytes] : {std::pair<std::string, std::string>{"scg/quake3.scg", revision("quake", 4)},
                                    {"scg/halflife.scg", revision("halflife", 4)},
                                    {"games/q3/q3config.cfg", "seta 4\r\n"}})
    EXPECT_NE(record.find(Sum(bytes) + "  " + file + "\n"), std::string::npos) << file << "\n" << record;
  EXPECT_EQ(Start()->View().lstExisting, (std::vector<std::string>{"halflife.scg 4", "quake3.scg 4"}));

  // The player changes nothing: the next update replaces all and keeps the copies as they are.
  ASSERT_EQ(update(5), 99) << (answers.Texts().empty() ? "" : answers.Texts().front());
  EXPECT_EQ(answers.Texts(), std::vector<std::string>{});
  EXPECT_EQ(ReadFile(install / "scg/halflife.scg"), revision("halflife", 5));
  EXPECT_EQ(ReadFile(install / "scg/halflife.scg.yours"), tuned);
  EXPECT_EQ(ReadFile(install / "games/q3/q3config.cfg.yours"), "seta mine\r\n");
  EXPECT_FALSE(fs::exists(install / "scg/halflife.scg.yours-2"));

  // Tuned once more: the new tuning is kept under a name of its own, the first one stays.
  const std::string tunedAgain = revision("halflife", 5) + "SENS_BEG_USER= { 7/6/5/4/3/2/1 }\r\n";
  WriteFile(install / "scg/halflife.scg", tunedAgain);
  ASSERT_EQ(update(6), 99) << (answers.Texts().empty() ? "" : answers.Texts().front());
  EXPECT_EQ(ReadFile(install / "scg/halflife.scg"), revision("halflife", 6));
  EXPECT_EQ(ReadFile(install / "scg/halflife.scg.yours"), tuned);
  EXPECT_EQ(ReadFile(install / "scg/halflife.scg.yours-2"), tunedAgain);
  EXPECT_EQ(answers.Texts(),
            std::vector<std::string>{"Freshline: The update replaced a file you had changed; your version is "
                                     "kept:\nscg/halflife.scg as " +
                                     install / "scg/halflife.scg.yours-2"});
}

// A file in the installation that no record names may be the player's own: it is kept too.
TEST_F(UpdaterRunTest, AFileNoRecordNamesIsKeptBeforeItIsReplaced) {
  WriteFile(install / "crv/soft.crv", "my own curve");
  site.Put("/fetchling/ryxupdate.nfo", "CONFIG, a.scg, 1, 10, A, CURVE, soft.crv, 5, /CURVE\r\n");
  site.Put("/fetchling/scg/a.scg", "[VERSION]\r\n");
  site.Put("/fetchling/crv/soft.crv", "curve");
  auto u = Start();
  EXPECT_EQ(Run(*u), 99);
  EXPECT_EQ(ReadFile(install / "crv/soft.crv"), "curve");
  EXPECT_EQ(ReadFile(install / "crv/soft.crv.yours"), "my own curve");
  ASSERT_EQ(answers.Texts().size(), 1u);
  EXPECT_NE(answers.Texts()[0].find("crv/soft.crv as " + install / "crv/soft.crv.yours"), std::string::npos)
      << answers.Texts()[0];
}

TEST_F(UpdaterRunTest, AFailedDownloadInstallsNothingOfItAndEndsCancelled) {
  const std::string tool = Body("tool ", 4000), body = Body("monitor ", 60000);
  for (std::string fault : {"404", "truncated", "longer"}) {
    SCOPED_TRACE(fault);
    TempInstall target{{}};
    UpdateSite faulty;
    ScopedEnv targetHome("XDG_CONFIG_HOME", target.ConfigHome());
    platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath",
                                  target.Folder());
    platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "UpdateServer",
                                  faulty.Base());
    StampedProgram(target / "watchpost", "5.1.0.12");
    const std::string before = ReadFile(target / "watchpost");
    faulty.Put("/fetchling/ryxupdate.nfo",
               "MAIN, tool.exe, 1.0.0.1, 4000\r\nMAIN, watchpost.exe, 5.1.0.13, 60000\r\n"
               "CONFIG, doom.scg, 2, 30, Doom\r\n");
    faulty.Put("/fetchling/tool.exe", tool);
    faulty.Put("/fetchling/scg/doom.scg", "[VERSION]\r\n");
    if (fault == "truncated") faulty.PutTruncated("/fetchling/watchpost.exe", body.substr(0, 30000), body.size());
    if (fault == "longer") faulty.PutLonger("/fetchling/watchpost.exe", body, 50000);
    answers.boxes.clear();
    auto u = Start();
    EXPECT_EQ(Run(*u), 95);
    EXPECT_EQ(u->View().lblDescription, "Update cancelled.");
    EXPECT_TRUE(Contains(answers.Texts(), fault == "404" ? "404" : "bytes"))
        << (answers.Texts().empty() ? "" : answers.Texts().front());
    EXPECT_EQ(ReadFile(target / "watchpost"), before);
    EXPECT_EQ(ReadFile(target / "tool"), tool);  // whole before the failure: installed
    EXPECT_FALSE(fs::exists(target / "scg/doom.scg"));
    // No download was asked for after the failure.
    auto requests = faulty.Requests();
    EXPECT_EQ(std::count(requests.begin(), requests.end(), "/fetchling/scg/doom.scg"), 0);
  }
}

TEST_F(UpdaterRunTest, CancelDuringTheThirdOfFiveDownloadsInstallsTheFirstTwo) {
  std::string list;
  for (const char* name : {"a", "b", "c", "d", "e"}) {
    std::string file = std::string(name) + ".scg";
    list += "CONFIG, " + file + ", 1, 4000, " + name + "\r\n";
    if (file == "c.scg")
      site.PutSlow("/fetchling/scg/c.scg", Body("c", 4000));
    else
      site.Put("/fetchling/scg/" + file, Body(name, 4000));
  }
  site.Put("/fetchling/ryxupdate.nfo", list);
  // Left by an earlier run: never installed by this one.
  WriteFile(temp / "scg/c.scg", "stale c");
  WriteFile(temp / "scg/d.scg", "stale d");
  auto u = Start();
  u->cmdCheck_Click();
  ASSERT_EQ(u->CurrentStage(), 30);
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    if (site.SlowStarted() && u->CurrentStage() == 40) u->cmdCheck_Click();  // the button reads "Cancel"
  });
  cancel.start(5);
  u->cmdCheck_Click();
  cancel.stop();
  site.Release();
  EXPECT_EQ(u->CurrentStage(), 95);
  EXPECT_EQ(ReadFile(install / "scg/a.scg"), Body("a", 4000));
  EXPECT_EQ(ReadFile(install / "scg/b.scg"), Body("b", 4000));
  for (const char* name : {"c.scg", "d.scg", "e.scg"})
    EXPECT_FALSE(fs::exists(install / ("scg/" + std::string(name)))) << name;
  ASSERT_EQ(answers.Texts().size(), 1u);
  EXPECT_NE(answers.Texts()[0].find("c.scg 53"), std::string::npos) << answers.Texts()[0];
}

TEST_F(UpdaterRunTest, DownloadsLeaveThePrivateFolderOnceInstalledOrWithTheRunsEnd) {
  const std::string readme = Body("read me ", 500), curve = Body("curve ", 800);
  struct Case {
    std::string name;
    bool gamesIsAFile;       // the support file cannot be installed
    bool endDuringDownload;  // the run ends while the curve arrives
    int stage;
  } cases[] = {
      {"all installed", false, false, 99},
      {"the installation stops at a file it cannot place", true, false, 95},
      {"the run ends during a download", false, true, 0},
  };
  auto left = [&] {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(temp.Path()))
      if (!entry.is_directory()) files.push_back(entry.path().string());
    return files;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempInstall target{{}};
    platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath",
                                  target.Folder());
    if (c.gamesIsAFile) WriteFile(target / "games", "not a folder");
    UpdateSite server;
    ServeFrom(server);
    server.Put("/fetchling/ryxupdate.nfo",
               "MAIN, readme.txt, 1.0.0.0, 500\r\nCONFIG, quake3.scg, 4, 30, Quake III, SUPPORT, q3\\q3config.cfg, "
               "1500, /SUPPORT, CURVE, soft.crv, 800, /CURVE\r\n");
    server.Put("/fetchling/readme.txt", readme);
    server.Put("/fetchling/scg/quake3.scg", "[VERSION]\r\nFILE_REVISION_NUMBER=4\r\n");
    server.Put("/fetchling/games/q3/q3config.cfg", Body("seta ", 1500));
    if (c.endDuringDownload)
      server.PutSlow("/fetchling/crv/soft.crv", curve);
    else
      server.Put("/fetchling/crv/soft.crv", curve);
    auto u = Start();
    u->cmdCheck_Click();
    ASSERT_EQ(u->CurrentStage(), 30);
    size_t fetchedBeforeEnd = 0;
    QTimer end;
    QObject::connect(&end, &QTimer::timeout, [&] {
      if (!c.endDuringDownload || !server.SlowStarted() || u->Ended()) return;
      fetchedBeforeEnd = left().size();
      u->Form_Unload();
    });
    end.start(5);
    u->cmdCheck_Click();
    end.stop();
    if (!c.endDuringDownload) {
      EXPECT_EQ(u->CurrentStage(), c.stage);
      EXPECT_EQ(left(), std::vector<std::string>{});  // once installed, before the run's end
      u->Form_Unload();
    } else {
      EXPECT_GT(fetchedBeforeEnd, 0u);
    }
    EXPECT_TRUE(u->Ended());
    EXPECT_EQ(left(), std::vector<std::string>{});
    EXPECT_EQ(ReadFile(target / "readme.txt"), c.endDuringDownload ? "" : readme);
  }
}

TEST_F(UpdaterRunTest, APlainHttpServerElsewhereIsRefused) {
  platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "UpdateServer",
                                "http://updates.example.org/");
  auto u = Start();
  u->cmdCheck_Click();
  EXPECT_TRUE(u->Ended());
  ASSERT_FALSE(answers.Texts().empty());
  EXPECT_NE(answers.Texts()[0].find("only over HTTPS"), std::string::npos) << answers.Texts()[0];
  EXPECT_TRUE(Contains(answers.Texts(), "Update information file not found."));
  EXPECT_FALSE(fs::exists(install / "ryxupdate.nfo"));
}

TEST_F(UpdaterRunTest, StartAndEndHandTheMonitorOver) {
  struct Case {
    std::string atStart, afterLoad, atEnd;
  } cases[] = {
      {"ACTIVE", "SUSPEND", "ACTIVE"},
      {"SUSPEND", "SUSPEND", "ACTIVE"},
      {"active", "active", "active"},
      {"KILL", "KILL", "KILL"},  // the monitor never answered: left alone, nothing started
  };
  for (const Case& c : cases) {
    WriteFile(Ini(), "[APPLICATION]\r\nMODE=" + c.atStart + "\r\n");
    auto u = Start();
    EXPECT_EQ(Mode(), c.afterLoad) << c.atStart;
    u->Form_Unload();
    EXPECT_TRUE(u->Ended());
    EXPECT_EQ(Mode(), c.atEnd) << c.atStart;
  }
  // Without watchpost.ini nothing is created.
  fs::remove(Ini());
  Start()->Form_Unload();
  EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(UpdaterRunTest, AnInstallationFolderItCannotFindEndsTheRun) {
  for (std::string appPath : {std::string(), install / "gone"}) {
    platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath", appPath);
    answers.boxes.clear();
    auto u = Start();
    EXPECT_TRUE(u->Ended());
    ASSERT_EQ(answers.Texts().size(), 1u);
    EXPECT_EQ(answers.Texts()[0],
              "Path not found: Kelvane software installation path could not be determined.  Please reinstall the "
              "Kelvane software.");
  }
  platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath",
                                install.Folder() + "/");
  EXPECT_EQ(Start()->InstallPath(), install.Folder() + "/");

  // A folder handed over by the starting copy is used instead of AppPath, and
  // is held to the same test.
  TempInstall own{{}};
  answers.boxes.clear();
  Updater given(UpdaterSettings{temp.Path(), 200, own.Folder()}, connected);
  given.Form_Load();
  EXPECT_EQ(given.InstallPath(), own.Folder() + "/");
  EXPECT_EQ(answers.Texts(), std::vector<std::string>{});
  given.Form_Unload();
  Updater gone(UpdaterSettings{temp.Path(), 200, own / "gone"}, connected);
  gone.Form_Load();
  EXPECT_TRUE(gone.Ended());
  ASSERT_EQ(answers.Texts().size(), 1u);
  EXPECT_EQ(answers.Texts()[0].rfind("Path not found: ", 0), 0u);
}

TEST_F(UpdaterRunTest, TheUnsafeNamesOfAListMakeOneBoxAtTheEnd) {
  std::string unsafe =
      "CONFIG, ok.scg, 1, 10, OK, SUPPORT, ..\\a.cfg, 1, /etc/b, 1, good.cfg, 1, /SUPPORT, CURVE, "
      "c:\\x.crv, 1, /CURVE\r\n";
  for (int i = 0; i < 12; ++i) unsafe += "MAIN, ../tool" + std::to_string(i) + ".exe, 1.0.0.0, 1\r\n";
  unsafe += "MAIN, fine.exe, 1.0.0.0, 1\r\n";
  struct Case {
    std::string list;
    std::vector<std::string> boxes;  // the start of each, in order
  } cases[] = {
      {unsafe, {"Freshline: The update list names 15 files that lie outside their folders"}},
      // A faulty line ends the reading: the names seen so far, then the fault.
      {unsafe + "MAIN, short.exe\r\nMAIN, ../late.exe, 1.0.0.0, 1\r\n",
       {"Freshline: The update list names 15 files", "Freshline: Subscript out of range 9"}},
  };
  for (const Case& c : cases) {
    UpdateSite own;  // a path is served as first put
    ServeFrom(own);
    own.Put("/fetchling/ryxupdate.nfo", c.list);
    answers.boxes.clear();
    auto u = Start();
    u->cmdCheck_Click();
    EXPECT_EQ(u->CurrentStage(), 30);
    ASSERT_EQ(answers.Texts().size(), c.boxes.size()) << platform::Join(answers.Texts(), "\n---\n");
    for (size_t i = 0; i < answers.Texts().size(); ++i)
      EXPECT_EQ(answers.Texts()[i].rfind(c.boxes[i], 0), 0u) << answers.Texts()[i];
    EXPECT_NE(answers.Texts()[0].find("\"../tool6.exe\"\nand 5 more."), std::string::npos) << answers.Texts()[0];
    EXPECT_EQ(u->Queues().Names(FileKind::Program), std::vector<std::string>{"fine.exe"});
    EXPECT_EQ(u->Queues().Names(FileKind::Support), std::vector<std::string>{"good.cfg"});
  }
}

// "...exe" passes as a name and would be installed as "..": refused with the
// other unsafe names, and the files after it are installed.
TEST_F(UpdaterRunTest, AProgramNameThatInstallsAsADotFolderIsUnsafe) {
  const std::string tool = Body("tool ", 300), game = "[VERSION]\r\nFILE_REVISION_NUMBER=2\r\n";
  site.Put("/fetchling/ryxupdate.nfo",
           "MAIN, ...exe, 5.1.0.99, 15\r\nMAIN, ..exe, 5.1.0.99, 15\r\nMAIN, tool.exe, 1.0.0.1, 300\r\n"
           "CONFIG, game.scg, 2, 30, Game\r\n");
  site.Put("/fetchling/...exe", Body("x", 15));
  site.Put("/fetchling/..exe", Body("x", 15));
  site.Put("/fetchling/tool.exe", tool);
  site.Put("/fetchling/scg/game.scg", game);
  auto u = Start();
  EXPECT_EQ(Run(*u), 99);
  EXPECT_EQ(answers.Texts(), std::vector<std::string>{"Freshline: The update list names 2 files that lie outside their "
                                                      "folders; they were skipped:\n\"...exe\"\n\"..exe\""});
  EXPECT_EQ(ReadFile(install / "tool"), tool);
  EXPECT_EQ(ReadFile(install / "scg/game.scg"), game);
}

TEST_F(UpdaterRunTest, AListLargerThanTheLimitIsRefusedUnread) {
  struct Case {
    uintmax_t size;
    bool read;
  } cases[] = {{kUpdateListSizeLimit, true}, {kUpdateListSizeLimit + 1, false}};
  for (const Case& c : cases) {
    std::string list = "CONFIG, a.scg, 1, 10, A\r\n";
    list += std::string(c.size - list.size() - 2, '#') + "\r\n";
    UpdateSite own;
    ServeFrom(own);
    own.Put("/fetchling/ryxupdate.nfo", list);
    answers.boxes.clear();
    auto u = Start();
    u->cmdCheck_Click();
    EXPECT_FALSE(u->Ended()) << c.size;
    if (c.read) {
      EXPECT_EQ(u->CurrentStage(), 30);
      EXPECT_TRUE(answers.Texts().empty()) << answers.Texts().front();
      EXPECT_EQ(u->Queues().Names(FileKind::Configuration), std::vector<std::string>{"a.scg"});
    } else {
      EXPECT_EQ(u->CurrentStage(), 95);
      EXPECT_EQ(
          answers.Texts(),
          std::vector<std::string>{"Freshline: The update list ryxupdate.nfo is larger than 16 MB; it was not read."});
      EXPECT_EQ(u->Queues().UpdateCount, 0);
      EXPECT_TRUE(u->View().lstAvailable.empty());
    }
  }
}
