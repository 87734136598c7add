#include "platform/profile.h"

#include "platform/file_system.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using platform::GetProfileString;
using platform::WriteProfileString;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

// The shape of a game configuration file: comments, key lines, brace blocks.
const std::string kScg =
    ";\r\n"
    ";  This file was created by tunedeck\r\n"
    ";\r\n"
    "\r\n"
    "[VERSION]\r\n"
    "VERSION=6.1\r\n"
    "FILE_REVISION_NUMBER=3\r\n"
    "\r\n"
    "[CONFIGURATION]\r\n"
    "HIDE_FILE=FALSE\r\n"
    "EXECUTABLE=\"\"quake3.exe\", \"q3.exe\"\"\r\n"
    "COPY_FILES=TRUE\r\n"
    "   {\r\n"
    "   \"q3.cfg\", \".\\baseq3\\q3.cfg\"\r\n"
    "   }\r\n"
    "\r\n"
    "CUSTOM=TRUE\r\n"
    "   {\r\n"
    "   \"1\"\\, \"MODIFY\"\\, \"a=b\"\r\n"
    "   }\r\n"
    "\r\n"
    "[TUNING]\r\n"
    "  Spaced Key  =   \"  padded  \"   \r\n"
    "EMPTY=\r\n"
    "STORED_ERROR=ERROR\r\n"
    "lower=x\r\n";

}  // namespace

TEST(Profile, ReadsValuesAsTheProfileFunctionsDo) {
  TempFolder dir;
  std::string file = dir / "game.scg";
  WriteFile(file, kScg);
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"VERSION", "VERSION", "6.1"},
      {"version", "file_revision_number", "3"},                       // names without regard to case
      {"CONFIGURATION", "EXECUTABLE", "\"quake3.exe\", \"q3.exe\""},  // one pair removed
      {"CONFIGURATION", "CUSTOM", "TRUE"},                            // found past a block
      {"TUNING", "Spaced Key", "  padded  "},                         // trimmed, then unquoted
      {"TUNING", "EMPTY", ""},
      {"TUNING", "STORED_ERROR", "ERROR"},
      {"TUNING", "LOWER", "x"},
      {"TUNING", "MISSING", "ERROR"},
      {"NOSECTION", "VERSION", "ERROR"},
      {"VERSION", "HIDE_FILE", "ERROR"},  // keys belong to their section
  };
  for (const Case& c : cases)
    EXPECT_EQ(GetProfileString(c.section, c.key, "ERROR", file), c.expected) << c.section << "/" << c.key;
  EXPECT_EQ(GetProfileString("VERSION", "VERSION", "ERROR", dir / "missing.ini"), "ERROR");
}

TEST(Profile, LongValuesAreCutTo254Characters) {
  TempFolder dir;
  std::string file = dir / "long.ini";
  WriteFile(file, "[S]\r\nK=" + std::string(300, 'v') + "\r\nQ=\"" + std::string(254, 'q') + "\"\r\n");
  EXPECT_EQ(GetProfileString("S", "K", "ERROR", file), std::string(254, 'v'));
  EXPECT_EQ(GetProfileString("S", "Q", "ERROR", file), std::string(254, 'q'));
}

TEST(Profile, FirstMatchWins) {
  TempFolder dir;
  std::string file = dir / "dup.ini";
  WriteFile(file, "[S]\nK=first\nK=second\n[S]\nK=third\n");
  EXPECT_EQ(GetProfileString("S", "K", "ERROR", file), "first");
}

TEST(Profile, WriteReplacesOneLineAndKeepsEveryOtherByte) {
  TempFolder dir;
  std::string file = dir / "game.scg";
  WriteFile(file, kScg);
  ASSERT_TRUE(WriteProfileString("configuration", "custom", "FALSE", file));
  std::string expected = kScg;
  expected.replace(expected.find("CUSTOM=TRUE"), 11, "CUSTOM=FALSE");
  EXPECT_EQ(ReadFile(file), expected);
}

TEST(Profile, MissingKeyGoesAfterTheSectionsLastLineNeverIntoABlock) {
  TempFolder dir;
  std::string file = dir / "game.scg";
  WriteFile(file, kScg);
  ASSERT_TRUE(WriteProfileString("CONFIGURATION", "USE_KEYS", "TRUE", file));
  std::string expected = kScg;
  std::string afterBlock = "\"1\"\\, \"MODIFY\"\\, \"a=b\"\r\n   }\r\n";
  expected.insert(expected.find(afterBlock) + afterBlock.size(), "USE_KEYS=TRUE\r\n");
  EXPECT_EQ(ReadFile(file), expected);
  EXPECT_EQ(GetProfileString("CONFIGURATION", "USE_KEYS", "ERROR", file), "TRUE");
}

TEST(Profile, MissingSectionAndFileAreCreated) {
  TempFolder dir;
  std::string file = dir / "new.ini";
  ASSERT_TRUE(WriteProfileString("Games", "Current", "", file));
  ASSERT_TRUE(WriteProfileString("Version", "Version", "5.1", file));
  EXPECT_EQ(ReadFile(file), "[Games]\r\nCurrent=\r\n[Version]\r\nVersion=5.1\r\n");
  std::string lf = dir / "lf.ini";
  WriteFile(lf, "[A]\nX=1");  // no final line end
  ASSERT_TRUE(WriteProfileString("A", "Y", "2", lf));
  ASSERT_TRUE(WriteProfileString("A", "X", "3", lf));
  EXPECT_EQ(ReadFile(lf), "[A]\nX=3\r\nY=2\r\n");
}

TEST(Profile, RefusesEntriesTheFileCannotHold) {
  TempFolder dir;
  std::string file = dir / "a.ini";
  WriteFile(file, "[A]\r\nX=1\r\n");
  // Each would write a line that reads back as something else (a new section,
  // a comment, a forged line), and one more at every later write.
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"A", "X", "2\r\n[B]"}, {"A", "K=V", "2"}, {"A", "[Video]", "1"}, {"A", "  [x", "1"}, {"A", ";x", "1"},
      {"A", " ;x", "1"},      {"A]", "X", "1"},  {"Vid]eo", "X", "1"},  {"A", "", "1"},     {"A\n[B", "X", "1"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(platform::ProfileEntryWritable(c.section, c.key, c.value)) << c.section << "/" << c.key;
    EXPECT_FALSE(WriteProfileString(c.section, c.key, c.value, file)) << c.section << "/" << c.key;
  }
  EXPECT_EQ(ReadFile(file), "[A]\r\nX=1\r\n");
  // Brackets and semicolons elsewhere read back and are written.
  ASSERT_TRUE(WriteProfileString("[A", "x[1];y", "[v];", file));
  EXPECT_EQ(GetProfileString("[A", "x[1];y", "ERROR", file), "[v];");
}

TEST(Profile, AReadOnlyFileIsNotWritten) {
  TempFolder dir;
  std::string file = dir / "tunedeck.ini";
  WriteFile(file, "[Games]\r\nCurrent=quake3.scg\r\n");
  ::chmod(file.c_str(), 0444);
  EXPECT_FALSE(WriteProfileString("Games", "Current", "halflife.scg", file));
  EXPECT_FALSE(WriteProfileString("Version", "Version", "5.1", file));
  EXPECT_EQ(ReadFile(file), "[Games]\r\nCurrent=quake3.scg\r\n");
}

// A huge file of empty lines (a hostile configuration) costs about its own
// size to read, not a record per line.
TEST(Profile, ALargeFileCostsAboutItsOwnSizeToRead) {
  TempFolder dir;
  const std::string file = dir / "large.ini";
  const size_t size = 40u << 20;
  std::string text;
  text.reserve(size + 64);
  text += "[Game]\r\n";
  while (text.size() < size) text += "\r\n";
  text += "Late=found\r\n";
  WriteFile(file, text);
  text.clear();
  text.shrink_to_fit();

  testing_support::RunResult small = testing_support::RunProgram(PROFILE_READER, {dir / "missing.ini", "Game", "Late"});
  testing_support::RunResult large = testing_support::RunProgram(PROFILE_READER, {file, "Game", "Late"});
  ASSERT_EQ(large.exitCode, 0) << large.err;
  ASSERT_EQ(small.exitCode, 0) << small.err;
  EXPECT_EQ(large.out.substr(0, large.out.find('\n')), "found");
#if !defined(__SANITIZE_ADDRESS__)
  // Peak memory above a read of nothing, in KiB: the bytes once, with room for one copy.
  long grown =
      std::stol(large.out.substr(large.out.find('\n') + 1)) - std::stol(small.out.substr(small.out.find('\n') + 1));
  EXPECT_LT(grown, static_cast<long>(2 * size / 1024)) << "KiB for a file of " << size / 1024 << " KiB";
#endif
}

TEST(Profile, ReplaceWritesOnlyOverTheExpectedValue) {
  struct Case {
    const char* before;  // file content; nullptr: no file
    const char* expected;
    bool written;
    const char* after;
  } cases[] = {
      {"[APPLICATION]\r\nMODE=ACTIVE\r\n", "ACTIVE", true, "SUSPEND"},
      {"[APPLICATION]\r\nMODE=active\r\n", "ACTIVE", false, "active"},  // exact text only
      {"[APPLICATION]\r\nMODE=KILL\r\n", "ACTIVE", false, "KILL"},
      {"[VERSION]\r\nVERSION=5.1\r\n", "ERROR", true, "SUSPEND"},  // missing key reads as the default
      {nullptr, "ERROR", false, "ERROR"},                          // no file: none is made
  };
  for (const Case& c : cases) {
    TempFolder dir;
    std::string file = dir / "watchpost.ini";
    if (c.before) WriteFile(file, c.before);
    EXPECT_EQ(platform::ReplaceProfileString("APPLICATION", "MODE", c.expected, "SUSPEND", "ERROR", file), c.written)
        << (c.before ? c.before : "(no file)");
    EXPECT_EQ(GetProfileString("APPLICATION", "MODE", "ERROR", file), c.after);
  }
}

TEST(Profile, BinaryJunkNeitherCrashesNorIsLost) {
  TempFolder dir;
  std::string file = dir / "junk.scg";
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 131 + 7) % 256));
  WriteFile(file, junk);
  EXPECT_EQ(GetProfileString("VERSION", "VERSION", "ERROR", file), "ERROR");
  ASSERT_TRUE(WriteProfileString("VERSION", "VERSION", "6.1", file));
  std::string after = ReadFile(file);
  EXPECT_EQ(after.substr(0, junk.size()), junk);
  EXPECT_EQ(GetProfileString("VERSION", "VERSION", "ERROR", file), "6.1");
}

// The parsed form answers every key as the line-by-line search does.
TEST(ProfileIndex, AnswersLikeTheSearchOfTheText) {
  std::string longValue(300, 'v');
  const std::string text =
      "orphan=before any section\r\n"
      "[Game]\r\n"
      "  Name = \"Quoted Name\"  \r\n"
      "name=second spelling\r\n"
      "; comment=not a key\r\n"
      "Empty=\r\n"
      "Inner=\"a\", \"b\"\r\n"
      "Long=" +
      longValue +
      "\r\n"
      "   {\r\n"
      "   \"row=like a key\"\r\n"
      "   }\r\n"
      "[ other ]\n"
      "Key=lf line\n"
      "[GAME]\r\n"
      "Late=in the second Game section\r\n"
      "Name=not the first\r\n"
      "[Broken\r\n"
      "Key=in a section without its bracket\r\n";
  const platform::ProfileIndex index(text);
  const std::pair<const char*, const char*> queries[] = {
      {"Game", "orphan"}, {"game", "NAME"},      {" Game ", " Name "}, {"Game", "Empty"},   {"Game", "Inner"},
      {"Game", "Long"},   {"Game", "; comment"}, {"Game", "\"row"},    {"other", "key"},    {"OTHER", "Key"},
      {"Game", "Late"},   {"Broken", "Key"},     {"Missing", "Key"},   {"Game", "Missing"}, {"", "Key"},
  };
  for (const auto& [section, key] : queries)
    EXPECT_EQ(index.Find(section, key), platform::FindProfileValue(text, section, key)) << section << " / " << key;
  EXPECT_EQ(index.Find("Game", "Name"), "Quoted Name");
  EXPECT_EQ(index.Find("Game", "Long")->size(), platform::kProfileValueLimit);
}

TEST(Profile, TwoProgramsWritingOneFileLoseNoWrite) {
  const int writes = 400;
  struct Case {
    const char* sectionA;
    const char* sectionB;
    bool bThroughLink;  // the second program names the file through a link
  } cases[] = {{"APPLICATION", "APPLICATION", false}, {"A", "B", false}, {"Games", "games", true}};
  for (const Case& c : cases) {
    TempFolder dir;
    std::string file = dir / "shared.ini";
    WriteFile(file, "[VERSION]\r\nVERSION=5.1\r\n");
    testing_support::MakeFolders(dir / "elsewhere");
    ASSERT_EQ(::symlink(file.c_str(), (dir / "elsewhere/link.ini").c_str()), 0);
    testing_support::ChildProcess a(PROFILE_WRITER, {file, c.sectionA, "a", std::to_string(writes)});
    testing_support::ChildProcess b(
        PROFILE_WRITER, {c.bThroughLink ? dir / "elsewhere/link.ini" : file, c.sectionB, "b", std::to_string(writes)});
    EXPECT_EQ(a.Wait(60000), 0);
    EXPECT_EQ(b.Wait(60000), 0);
    int kept = 0;
    for (int i = 0; i < writes; ++i) {
      kept += GetProfileString(c.sectionA, "a" + std::to_string(i), "ERROR", file) == std::to_string(i);
      kept += GetProfileString(c.sectionB, "b" + std::to_string(i), "ERROR", file) == std::to_string(i);
    }
    EXPECT_EQ(kept, 2 * writes) << c.sectionA << "/" << c.sectionB;
    EXPECT_EQ(GetProfileString("VERSION", "VERSION", "ERROR", file), "5.1");
    // Nothing but the file itself is left in its folder.
    EXPECT_EQ(platform::ListFiles(dir.Path()), std::vector<std::string>{"shared.ini"});
  }
}
