#include "platform/file_system.h"
#include "platform/program_files.h"
#include "platform/win_path.h"

#include "testing/test_support.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testing_support::AgeFile;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

TEST(FileSystem, AtomicWriteKeepsPermissionsAndLeavesNoTemporaryFile) {
  TempFolder dir;
  std::string file = dir / "name.tmp";  // a name a game might use for its own file
  WriteFile(file, "old");
  ::chmod(file.c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomic(file, "new"));
  EXPECT_EQ(ReadFile(file), "new");
  struct stat st {};
  ::stat(file.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(ListFiles(dir.Path()), std::vector<std::string>{"name.tmp"});
  EXPECT_FALSE(WriteFileAtomic(dir / "no/such/folder/x", "y"));
}

TEST(FileSystem, AtomicWriteRemovesTemporariesOfItsTargetLeftByEndedWriters) {
  TempFolder dir;
  testing_support::ChildProcess ended("/bin/true", {});
  ASSERT_EQ(ended.Wait(), 0);
  testing_support::ChildProcess running("/bin/sleep", {"60"});
  const std::string gone = std::to_string(ended.Pid()), alive = std::to_string(running.Pid());
  const std::string ours = std::to_string(::getpid());
  struct Case {
    std::string name;
    bool kept;
    bool young = false;  // written to just now; the others an hour ago
  } cases[] = {
      {".game.ini.heliryx-" + gone + "-0", false},
      {".game.ini.heliryx-" + gone + "-17", false},
      {".game.ini.heliryx-" + alive + "-0", true},   // its writer may still rename it
      {".game.ini.heliryx-" + ours + "-999", true},  // one of our own writes
      {".other.ini.heliryx-" + gone + "-0", true},   // another file's
      {".game.ini.heliryx-" + gone, true},           // not our naming
      {".game.ini.heliryx-" + gone + "-0x", true},
      {"game.ini.heliryx-" + gone + "-0", true},
      // Its pid may be one of another pid namespace, whose writer still runs.
      {".game.ini.heliryx-" + gone + "-3", true, true},
  };
  for (const Case& c : cases) {
    WriteFile(dir / c.name, "partial");
    if (!c.young) {
      ASSERT_TRUE(AgeFile(dir / c.name));
    }
  }
  ASSERT_TRUE(WriteFileAtomic(dir / "game.ini", "whole"));
  for (const Case& c : cases) EXPECT_EQ(FileExists(dir / c.name), c.kept) << c.name;
  EXPECT_EQ(ReadFile(dir / "game.ini"), "whole");
}

TEST(FileSystem, TheStartUpSweepTakesOnlyThisUsersTemporariesOfEndedWriters) {
  testing_support::ChildProcess ended("/bin/true", {});
  ASSERT_EQ(ended.Wait(), 0);
  testing_support::ChildProcess running("/bin/sleep", {"60"});
  const std::string gone = std::to_string(ended.Pid()), alive = std::to_string(running.Pid());
  // Only the super-user can give a file to another user.
  const bool root = ::geteuid() == 0;
  struct Case {
    std::string path;
    bool otherUser;
    bool keptInFolder;   // after a sweep of the folder alone
    bool keptInSubTree;  // after a sweep with its sub-folders
    bool young = false;  // written to just now; the others an hour ago
  } cases[] = {
      {".quake3.scg.heliryx-" + gone + "-0", false, false, false},
      {".quake3.scg.heliryx-" + gone + "-1", false, true, true, true},  // another pid namespace's, maybe
      {".setup.exe.heliryx-" + gone + "-41", false, false, false},
      {".quake3.scg.heliryx-" + alive + "-0", false, true, true},  // its writer may still rename it
      {".doom.scg.heliryx-" + gone + "-0", true, true, true},      // another user's
      {"q3/.q3config.cfg.heliryx-" + gone + "-0", false, true, false},
      {"q3/maps/.a.bsp.heliryx-" + gone + "-2", false, true, false},
      {"linked/.b.cfg.heliryx-" + gone + "-0", false, true, true},  // behind a link: not followed
      {".heliryx-" + gone + "-0", false, true, true},               // no target name: not ours
      {".quake3.scg.heliryx-" + gone + "-0.part", false, true, true},
      {"quake3.scg", false, true, true},
  };
  for (Sweep sweep : {Sweep::Folder, Sweep::WithSubFolders}) {
    TempFolder outside;
    TempFolder dir;
    ASSERT_EQ(::symlink(outside.Path().c_str(), (dir / "linked").c_str()), 0);
    for (const Case& c : cases) {
      if (c.otherUser && !root) continue;
      WriteFile(dir / c.path, "partial");
      if (!c.young) {
        ASSERT_TRUE(AgeFile(dir / c.path));
      }
      if (c.otherUser) {
        ASSERT_EQ(::chown((dir / c.path).c_str(), 65534, 65534), 0);
      }
    }
    RemoveStaleTemporaries(dir.Path(), sweep);
    for (const Case& c : cases) {
      if (c.otherUser && !root) continue;
      bool kept = sweep == Sweep::Folder ? c.keptInFolder : c.keptInSubTree;
      EXPECT_EQ(EntryExists(dir / c.path), kept) << c.path << (sweep == Sweep::Folder ? " (folder)" : " (sub-folders)");
    }
  }
  if (!root) std::printf("Another user's temporary not tried: the tests do not run as the super-user.\n");
}

TEST(FileSystem, AWriteThatCannotBeMadeIsToldWithItsReason) {
  TempFolder dir;
  WriteFile(dir / "writable.ini", "x");
  WriteFile(dir / "readonly.ini", "x");
  ASSERT_EQ(::chmod((dir / "readonly.ini").c_str(), 0444), 0);
  struct Case {
    std::string path;
    int error;
  } cases[] = {
      {dir / "new.ini", 0},
      {dir / "writable.ini", 0},
      {dir / "readonly.ini", EACCES},  // refused also for the super-user, as on Windows
      {dir / "missing/new.ini", ENOENT},
      {dir / "writable.ini/new.ini", ENOTDIR},
  };
  for (const Case& c : cases) EXPECT_EQ(ReplaceError(c.path), c.error) << c.path;
  EXPECT_EQ(FolderWriteError(dir.Path()), 0);
  EXPECT_EQ(FolderWriteError(dir / "missing"), ENOENT);
  // The tries leave nothing behind.
  auto names = ListEntries(dir.Path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"readonly.ini", "writable.ini"}));
  EXPECT_EQ(CannotWriteText("/opt/heliryx360/watchpost.ini", EACCES),
            "Cannot write /opt/heliryx360/watchpost.ini: Permission denied");
}

TEST(FileSystem, AtomicWriteGoesThroughALinkAndKeepsIt) {
  TempFolder dir;
  WriteFile(dir / "real/settings.ini", "old");
  ASSERT_EQ(::symlink("real/settings.ini", (dir / "link.ini").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomic(dir / "link.ini", "new"));
  struct stat st {};
  ASSERT_EQ(::lstat((dir / "link.ini").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadFile(dir / "real/settings.ini"), "new");
  EXPECT_EQ(ListFiles(dir / "real"), std::vector<std::string>{"settings.ini"});
}

TEST(FileSystem, ANamedPipeIsRefusedNotWaitedOn) {
  TempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.ini").c_str(), 0644), 0);
  EXPECT_FALSE(ReadFileBytes(dir / "pipe.ini"));  // without a writer a blocking open never returns
}

TEST(FileSystem, OverwriteLeavesExactlyTheNewBytes) {
  TempFolder dir;
  std::string file = dir / "scratch";
  ASSERT_TRUE(OverwriteFile(file, "a longer first content"));
  ASSERT_TRUE(OverwriteFile(file, "short"));
  EXPECT_EQ(ReadFile(file), "short");
  EXPECT_FALSE(OverwriteFile(dir / "missing/scratch", "x"));
}

TEST(FileSystem, SplitsCrLfAndLfLines) {
  EXPECT_EQ(SplitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(FileSystem, ResolvesWindowsPathsWithoutRegardToCase) {
  TempFolder dir;
  WriteFile(dir / "BaseQ3/Q3Config.cfg", "x");
  EXPECT_EQ(ResolveNoCase(dir.Path(), ".\\baseq3\\q3config.CFG"), dir / "BaseQ3/Q3Config.cfg");
  EXPECT_EQ(ResolveNoCase(dir.Path(), "baseq3\\new.cfg"), dir / "BaseQ3/new.cfg");
  EXPECT_EQ(FileNamePart("a\\b/c.exe"), "c.exe");
  EXPECT_EQ(FolderPart("a\\b/c.exe"), "a\\b");
}

TEST(FileSystem, FailedReadsAndWritesSayWhy) {
  TempFolder dir;
  WriteFile(dir / "a.txt", "old");
  CreateFolder(dir / "folder");
  std::string bytes = "kept";
  struct Case {
    std::string path;
    int readError;
    int writeError;
  };
  const Case cases[] = {
      {dir / "a.txt", 0, 0},
      {dir / "missing.txt", ENOENT, 0},
      {dir / "no/such/x.txt", ENOENT, ENOENT},
      {dir / "folder", EIO, EISDIR},  // not a regular file: nothing to read, not replaced
      {dir / "a.txt/x", ENOTDIR, ENOTDIR},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TryReadFile(c.path, bytes), c.readError) << c.path;
    if (c.readError != 0) {
      EXPECT_EQ(bytes, "kept") << c.path;  // a failed read leaves the bytes alone
    }
    EXPECT_EQ(TryWriteFileAtomic(c.path, "new"), c.writeError) << c.path;
    bytes = "kept";
  }
  EXPECT_EQ(ReadFile(dir / "missing.txt"), "new");
}

TEST(FileSystem, NamesBelowAFolderNeverClimbOutOfIt) {
  TempFolder dir;
  WriteFile(dir / "Games/Data/File.cfg", "x");
  struct Case {
    std::string relative;
    std::string below;  // ResolveBelowNoCase; empty when refused
    std::string any;    // ResolveNoCase
  };
  const Case cases[] = {
      {"games\\data\\file.CFG", dir / "Games/Data/File.cfg", dir / "Games/Data/File.cfg"},
      {"./games//new\\", dir / "Games/new", dir / "Games/new"},
      {"games\\..\\x", "", dir / "Games/../x"},
      {"..", "", dir / ".."},
      {"", dir.Path(), dir.Path()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveBelowNoCase(dir.Path(), c.relative), c.below) << c.relative;
    EXPECT_EQ(ResolveNoCase(dir.Path(), c.relative), c.any) << c.relative;
  }
  EXPECT_EQ(ResolveBelowNoCase("/", ""), "/");
}

TEST(FileSystem, CreatesFoldersMatchingExistingOnesWithoutRegardToCase) {
  TempFolder dir;
  WriteFile(dir / "Games/file", "x");
  std::string reached;
  EXPECT_EQ(CreateFoldersNoCase(dir.Path(), "games\\a\\B", reached), 0);
  EXPECT_EQ(reached, dir / "Games/a/B");
  EXPECT_TRUE(FolderExists(dir / "Games/a/B"));
  EXPECT_EQ(CreateFoldersNoCase(dir.Path(), "GAMES\\A\\b\\", reached), 0);  // all there already
  EXPECT_EQ(reached, dir / "Games/a/B");
  EXPECT_EQ(CreateFoldersNoCase(dir.Path(), "games\\file\\sub", reached), EEXIST);
  EXPECT_EQ(reached, dir / "Games/file");
  EXPECT_EQ(CreateFoldersNoCase(dir.Path(), "games\\new\\..\\x", reached), EINVAL);
  EXPECT_EQ(reached, dir / "Games/new/..");
  EXPECT_TRUE(FolderExists(dir / "Games/new"));  // made before the refusal, and kept
}

TEST(FileSystem, SizesAndExecuteBitsOfRegularFilesOnly) {
  TempFolder dir;
  WriteFile(dir / "data", "12345");
  WriteFile(dir / "tool", "#!/bin/sh\n");
  ::chmod((dir / "tool").c_str(), 0755);
  ASSERT_EQ(::symlink((dir / "tool").c_str(), (dir / "link").c_str()), 0);
  ASSERT_EQ(::mkdir((dir / "folder").c_str(), 0755), 0);
  struct Row {
    std::string name;
    std::optional<std::uintmax_t> size;
    bool executable;
  };
  const Row rows[] = {
      {"data", 5, false},
      {"tool", 10, true},
      {"link", 10, true},
      {"folder", std::nullopt, false},
      {"missing", std::nullopt, false},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(FileSize(dir / r.name), r.size) << r.name;
    EXPECT_EQ(IsExecutableFile(dir / r.name), r.executable) << r.name;
  }
}

TEST(FileSystem, CreatesEveryMissingLevelOfAFolderPath) {
  TempFolder dir;
  WriteFile(dir / "file", "x");
  struct Row {
    std::string path;
    bool exists;
  };
  const Row rows[] = {
      {dir / "a/b/c", true}, {dir / "a/b/c", true},  // there already
      {dir / "d//e/", true}, {dir / "file/sub", false}, {dir / "file", false},
  };
  for (const Row& r : rows) EXPECT_EQ(CreateFolderPath(r.path), r.exists) << r.path;
  EXPECT_TRUE(FolderExists(dir / "d/e"));
  struct stat st {};
  ASSERT_EQ(::stat((dir / "a/b").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777 & ~0755u, 0u);
}

TEST(ProgramFiles, WindowsProgramNamesMapToTheLinuxFiles) {
  struct Case {
    const char* windows;
    const char* linux;
  } cases[] = {{"tunedeck.exe", "tunedeck"},
               {"watchpost.exe", "watchpost"},
               {"Pointerly.exe", "pointerly"},
               {"fetchling.exe", "fetchling"},
               {"Ryxcontrol.exe", "ryxcontrol"},
               {"ryxcontrol.exe", "ryxcontrol"},
               {"fl.exe", "fl"},
               {"FL.EXE", "fl"},
               {"watchpost", "watchpost"}};
  for (const Case& c : cases) EXPECT_EQ(ProgramFile(c.windows), c.linux) << c.windows;
  EXPECT_EQ(ProgramPath("Pointerly.exe"), ProgramFolder() + "/pointerly");
}
