// What a save keeps: files whose unedited save used to lose or change what they
// held, and the round trip (load, save, load, save) over the configurations we
// ship, the full-layout fixture and a generated set of edge files.
#include "config_store/record_fields.h"
#include "config_store/scg_layout.h"
#include "config_store/scg_reader.h"
#include "config_store/scg_writer.h"
#include "config_store/tests/store_fixture.h"
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sys/stat.h>

using namespace config_store;
using store_test::FullLayoutText;
using store_test::WithValue;

namespace {

const std::string kHead = "[VERSION]\r\nVERSION=6.1\r\nAPPLICATION_NUMBER=5.1\r\n";

// A file that loads; saved unedited onto itself, or refused, or locked.
struct Case {
  const char* what;
  std::string text;
  enum class Expect { Kept, Locks, Refused } expect;
  std::string expected;  // Kept: bytes the save holds; Locks: the lock text; Refused: the reason
  bool readOnly = false;
};

TEST(ScgSave, KeepsWhatTheFileHeld) {
  using E = Case::Expect;
  const std::string tuning = kHead + "[CONFIGURATION]\r\nUSE_KEYS=TRUE\r\n[TUNING]\r\n";
  const std::vector<Case> cases = {
      {"axis keys of a game without a mouse axis",
       tuning + "MOTION_ALIAS_X=-1\r\nMOTION_ALIAS_Y=-1\r\nMOTION_ALIAS_2_USE_KEYS=TRUE\r\n"
                "MOTION_ALIAS_2_POS_USER=\"a\", \"+moveleft\", \"VK_A\"\r\n",
       E::Kept, "\r\nMOTION_ALIAS_2_POS_USER=\"a\", \"+moveleft\", \"VK_A\"\r\n"},
      {"axis keys of a game with only a mouse X axis",
       tuning + "MOTION_ALIAS_X=0\r\nMOTION_ALIAS_0_USE_KEYS=TRUE\r\n"
                "MOTION_ALIAS_0_NEG_USER=\"d\", \"+moveright\", \"VK_D\"\r\n",
       E::Kept, "\r\nMOTION_ALIAS_0_NEG_USER=\"d\", \"+moveright\", \"VK_D\"\r\n"},
      {"commands after a first row shorter than its template",
       kHead + "[TUNING]\r\nUSE_BUTTONS=TRUE\r\n   {\r\n   \"\"\r\n   \"+jump\", \"Jump\"\r\n   }\r\n", E::Kept,
       "\r\nUSE_BUTTONS=TRUE\r\n   {\r\n   \"\", \"\"\r\n   \"+jump\", \"Jump\"\r\n   }\r\n"},
      {"game-exit actions after a first row with an empty first field",
       kHead + "[CONFIGURATION]\r\nCUSTOM=TRUE\r\n   {\r\n   \"\"\\, \"DELETE\"\\, \"a.cfg\"\r\n"
               "   \".\\x.cfg\"\\, \"DELETE\"\\, \"b.cfg\"\r\n   }\r\n",
       E::Kept,
       "\r\nCUSTOM=TRUE\r\n   {\r\n   \"\"\\, \"DELETE\"\\, \"a.cfg\"\r\n   \".\\x.cfg\"\\, \"DELETE\"\\, "
       "\"b.cfg\"\r\n   }\r\n"},
      {"game-exit actions after a row with a field shorter than its quotes",
       kHead + "[CONFIGURATION]\r\nCUSTOM=TRUE\r\n   {\r\n   \"1\"\\, \"DELETE\"\\, \"a.cfg\"\r\n"
               "   \"2\"\\, \"DELETE\"\\, x\r\n   \"3\"\\, \"DELETE\"\\, \"c.cfg\"\r\n   }\r\n",
       E::Locks, "CUSTOM="},
      {"an unquoted value that holds its own quotes", kHead + "[TUNING]\r\nPRECISION_SENS_DFLT=\"\"3\"\"\r\n", E::Kept,
       "\r\nPRECISION_SENS_DFLT=\"\"3\"\"\r\n"},
      {"an empty alias block in force", kHead + "[TUNING]\r\nCUSTOM_ALIAS=TRUE\r\n   {\r\n   }\r\n", E::Kept,
       "\r\nCUSTOM_ALIAS=TRUE\r\n   {\r\n   }\r\n"},
      {"a carriage return inside a value", kHead + "[IDENTIFICATION]\r\nAPPLICATION_NAME=\"Half\rLife\"\r\n", E::Kept,
       "\r\nAPPLICATION_NAME=\"Half\rLife\"\r\n"},
      {"a carriage return inside a command row",
       kHead + "[TUNING]\r\nUSE_BUTTONS=TRUE\r\n   {\r\n   \"+at\rtack\", \"Fire\"\r\n   }\r\n", E::Kept,
       "\r\n   {\r\n   \"+at\rtack\", \"Fire\"\r\n   }\r\n"},
      {"a carriage return inside an instruction line",
       kHead + "[CONFIGURATION]\r\nSHOW_INSTRUCTIONS=TRUE\r\n   {\r\n   \"Press\rF1\"\r\n   }\r\n", E::Kept,
       "\r\nSHOW_INSTRUCTIONS=TRUE\r\n   {\r\n   \"Press\rF1\"\r\n   }\r\n"},
      // A block turned off by hand keeps its rows as they stand, empty lines and all.
      {"command rows under a block turned off",
       kHead +
           "[TUNING]\r\nUSE_BUTTONS=FALSE\r\n   {\r\n   \"+attack\", \"Fire\"\r\n\r\n   \"+jump\",\"Jump\"\r\n   }\r\n",
       E::Kept, "\r\nUSE_BUTTONS=FALSE\r\n   {\r\n   \"+attack\", \"Fire\"\r\n\r\n   \"+jump\",\"Jump\"\r\n   }\r\n"},
      {"game-exit actions under a block turned off",
       kHead + "[CONFIGURATION]\r\nCUSTOM=FALSE\r\n   {\r\n   \".\\x.cfg\"\\, \"DELETE\"\\, \"b.cfg\"\r\n   }\r\n",
       E::Kept, "\r\nCUSTOM=FALSE\r\n   {\r\n   \".\\x.cfg\"\\, \"DELETE\"\\, \"b.cfg\"\r\n   }\r\n"},
      {"copy rows under a block turned off",
       kHead + "[CONFIGURATION]\r\nCOPY_FILES=no\r\n   {\r\n   \"cfg\\a.cfg\", \"a.cfg\"\r\n   }\r\n", E::Kept,
       "\r\nCOPY_FILES=no\r\n   {\r\n   \"cfg\\a.cfg\", \"a.cfg\"\r\n   }\r\n"},
      {"instruction rows under a block turned off",
       kHead + "[CONFIGURATION]\r\nSHOW_INSTRUCTIONS=FALSE\r\n   {\r\n   \"Press F1\"\r\n   }\r\n", E::Kept,
       "\r\nSHOW_INSTRUCTIONS=FALSE\r\n   {\r\n   \"Press F1\"\r\n   }\r\n"},
      {"alias rows under a block turned off",
       kHead + "[TUNING]\r\nCUSTOM_ALIAS=true\r\n   {\r\n   \"q\", \"Quick\", \"VK_Q\"\r\n   }\r\n", E::Kept,
       "\r\nCUSTOM_ALIAS=true\r\n   {\r\n   \"q\", \"Quick\", \"VK_Q\"\r\n   }\r\n"},
      {"copy rows after a first row with an empty source",
       kHead + "[CONFIGURATION]\r\nCOPY_FILES=TRUE\r\n   {\r\n   \"\", \"a.cfg\"\r\n   \"cfg\\b.cfg\", \"b.cfg\"\r\n   "
               "}\r\n",
       E::Kept, "\r\nCOPY_FILES=TRUE\r\n   {\r\n   \"\", \"a.cfg\"\r\n   \"cfg\\b.cfg\", \"b.cfg\"\r\n   }\r\n"},
      {"a copy row shorter than an alias list",
       kHead + "[CONFIGURATION]\r\nCOPY_FILES=TRUE\r\n   {\r\n   \"a\", \"b\"\r\n   }\r\n", E::Kept,
       "\r\nCOPY_FILES=TRUE\r\n   {\r\n   \"a\", \"b\"\r\n   }\r\n"},
      // An alias without a GameInput names no binding: unbound ones keep their empty event.
      {"an alias with an empty GameInput and an unbound direction",
       kHead + "[CONFIGURATION]\r\nUSE_KEYS=TRUE\r\n[TUNING]\r\nMOTION_ALIAS_X=0\r\nMOTION_ALIAS_Y=1\r\n"
               "MOTION_ALIAS_0_POS_USER=\"\", \"\", \"\"\r\nCUSTOM_ALIAS=TRUE\r\n   {\r\n   \"\", \"'N' Key\", "
               "\"VK_N\"\r\n   }\r\n",
       E::Kept, "\r\nMOTION_ALIAS_0_POS_USER=\"\", \"\", \"\"\r\n"},
      {"an alias with an empty GameInput and an unbound button",
       kHead + "[CONFIGURATION]\r\nUSE_KEYS=TRUE\r\n[TUNING]\r\nBUTTON_0_USER=\"\", \"+attack\", \"\"\r\n"
               "CUSTOM_ALIAS=TRUE\r\n   {\r\n   \"\", \"'N' Key\", \"VK_N\"\r\n   }\r\n",
       E::Kept, "\r\nBUTTON_0_USER=\"\", \"+attack\", \"\"\r\n"},
      {"a file the player made read-only", kHead, E::Refused, "the file is read-only", true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    store_test::ProgramFolder program;
    std::string path = program.Scg("game.scg", k.text);
    ConfigSession s = program.Session();
    ScgReadResult read = ReadSCG(path, false, s);
    if (k.expect == E::Locks) {
      EXPECT_EQ(read.lock.value_or("(no lock)"), k.expected);
      continue;
    }
    if (!read.Loaded()) {
      ADD_FAILURE() << "locked: " << read.lock.value_or("");
      continue;
    }
    if (k.readOnly) ::chmod(path.c_str(), 0444);
    SaveResult saved = SaveChanges(path, s.GameConfig, s.Lists, s.Instructions, program.FixedContext());
    const std::string written = testing_support::ReadFile(path);
    if (k.expect == E::Refused) {
      EXPECT_FALSE(saved.ok);
      EXPECT_EQ(saved.error, k.expected);
      EXPECT_EQ(written, k.text);
      continue;
    }
    EXPECT_TRUE(saved.ok) << saved.error;
    EXPECT_NE(written.find(k.expected), std::string::npos) << written;
  }
}

// ------------------------------------------------------------ round trip

struct Loaded {
  ScgReadResult result;
  ConfigSession session;
};

Loaded LoadText(const store_test::ProgramFolder& program, const std::string& name, const std::string& text) {
  Loaded l{{}, program.Session()};
  l.result = ReadSCG(program.Scg(name, text), false, l.session);
  return l;
}

std::string SaveText(const store_test::ProgramFolder& program, const std::string& name, const ConfigSession& s) {
  std::string path = program.folder / ("scg/" + name);
  SaveContext context = program.FixedContext();
  context.TakeSnapshot = false;  // the loads take theirs
  SaveResult saved = SaveChanges(path, s.GameConfig, s.Lists, s.Instructions, context);
  EXPECT_TRUE(saved.ok) << saved.error;
  return testing_support::ReadFile(path);
}

// The first text of the record, or line of a file, where two differ; empty
// when they are the same.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    std::string x = i < a.size() ? a[i] : "(none)", y = i < b.size() ? b[i] : "(none)";
    if (x != y) return "#" + std::to_string(i) + ": \"" + x + "\" then \"" + y + "\"";
  }
  return "";
}

std::vector<std::string> Texts(const TGameConfig& config) {
  std::vector<std::string> texts;
  ForEachRecordText(config, [&](const std::string& text) { texts.push_back(text); });
  return texts;
}

std::vector<std::string> Texts(const ConfigLists& lists) {
  std::vector<std::string> texts;
  for (const TGameCommand& g : lists.GameCommands) texts.insert(texts.end(), {"command", g.GameCommand, g.ListName});
  for (const TCustomAlias& a : lists.CustomAliases)
    texts.insert(texts.end(), {"alias", a.GameInput, a.ListName, a.SendEvent});
  for (const TCopyFile& f : lists.CopyFiles) texts.insert(texts.end(), {"copy", f.Source, f.Destination});
  for (const TCustomAction& a : lists.CustomActions) {
    texts.push_back("action");
    texts.insert(texts.end(), a.begin(), a.end());
  }
  return texts;
}

// A file that loads without a lock, saved unedited and loaded again, gives the
// same record, and its second save the same bytes as the first.
void ExpectRoundTrip(const store_test::ProgramFolder& program, const std::string& text, const std::string& label) {
  SCOPED_TRACE(label);
  Loaded first = LoadText(program, "original.scg", text);
  ASSERT_TRUE(first.result.Loaded()) << first.result.lock.value_or("");
  std::string saved = SaveText(program, "first.scg", first.session);
  Loaded second = LoadText(program, "again.scg", saved);
  ASSERT_TRUE(second.result.Loaded()) << second.result.lock.value_or("");
  EXPECT_EQ(FirstDifference(Texts(first.session.GameConfig), Texts(second.session.GameConfig)), "") << "record";
  EXPECT_EQ(FirstDifference(Texts(first.session.Lists), Texts(second.session.Lists)), "") << "lists";
  EXPECT_EQ(FirstDifference(platform::SplitLines(first.session.Instructions),
                            platform::SplitLines(second.session.Instructions)),
            "")
      << "instructions";
  EXPECT_EQ(first.session.Instructions, second.session.Instructions);
  EXPECT_EQ(FirstDifference(platform::SplitLines(saved),
                            platform::SplitLines(SaveText(program, "second.scg", second.session))),
            "")
      << "second save";
}

// A program folder with the curves an installation ships.
struct InstalledFolder : store_test::ProgramFolder {
  InstalledFolder() {
    for (const auto& curve : std::filesystem::directory_iterator(std::string(HELIRYX_SOURCE_DIR) + "/install/crv"))
      std::filesystem::copy_file(curve.path(), folder / ("crv/" + curve.path().filename().string()),
                                 std::filesystem::copy_options::overwrite_existing);
  }
};

TEST(ScgRoundTrip, ShippedConfigurationsAndTheFullLayout) {
  InstalledFolder program;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(HELIRYX_SOURCE_DIR) + "/install/scg")) {
    if (entry.path().extension() != ".scg") continue;
    ++files;
    ExpectRoundTrip(program, testing_support::ReadFile(entry.path().string()), entry.path().filename().string());
  }
  EXPECT_GT(files, 0);
  ExpectRoundTrip(program, FullLayoutText(), "full layout");
}

// Edge files: every key, vector and block of the full layout given a value
// drawn from texts that once cost a value (empty fields, quotes, blanks, long
// texts, carriage returns) and blocks from empty to their limits.
class EdgeFiles {
 public:
  explicit EdgeFiles(unsigned seed) : random_(seed) {}

  std::string Next() {
    std::string text = FullLayoutText();
    // Half the files send keys on every axis, so each direction binding is
    // kept; the others bind no direction of their own, which a save keeps
    // only for an axis that sends keys or moves the mouse.
    const bool keysEverywhere = Chance(2);
    for (const ScgKey& key : Layout().keys) text = WithValue(text, key.key, KeyText(key, keysEverywhere));
    for (const ScgVector& vector : Layout().vectors) text = WithValue(text, vector.key, " " + VectorText(vector.type));
    text = WithRows(text, "COPY_FILES", CopyRows());
    text = WithRows(text, "CUSTOM", CustomRows());
    text = WithRows(text, "SHOW_INSTRUCTIONS", Rows(kInstructionRows, 2000));
    text = WithRows(text, "USE_BUTTONS", Rows(kCommandRows, 500));
    text = WithRows(text, "CUSTOM_ALIAS", Rows(kAliasRows, 500));
    return text;
  }

 private:
  std::mt19937 random_;

  bool Chance(int oneIn) { return std::uniform_int_distribution<int>(0, oneIn - 1)(random_) == 0; }
  template <typename T>
  const T& Pick(const std::vector<T>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random_)];
  }

  // A long text whose 254th character, where the reader cuts it, is a blank.
  static std::string Long(char fill) { return std::string(253, fill) + " " + std::string(60, fill); }

  inline static const std::vector<std::string> kPlain = {
      "",    "TRUE", "FALSE", "true",    "0",        "-1",         "+2",     "5",      "7",         "127",
      "128", "6000", "6001",  "LOGICAL", "PHYSICAL", "VERTICAL",   "EXPERT", "ERROR",  "\"\"3\"\"", "\"x",
      "x\"", "\"\"", "a b",   "a=b",     ";x",       "Half\rLife", "x\r",    Long('p')};
  inline static const std::vector<std::string> kQuoted = {
      "\"\"",     "\"Quake\"", "\"\"Quoted\"\"", "\"a \"b\" c\"",         "\" lead and trail \"",
      "\"x\rz\"", "bare",      "\"a, b\"",       "\"" + Long('q') + "\"", "ERROR",
      ""};
  inline static const std::vector<std::string> kTriple = {
      "\"\", \"\", \"\"",
      "\"MOUSE1\", \"+attack\", \"VM_LEFTDOWN\"",
      "\"a\", \"+moveleft\", \"VK_A\"",
      "\"SPACE\", \"+jump\", \"\"",
      "\" sp \", \" q\"uote \", \"end\"",
      "\"a\", \"b\"",
      "\"a\", \"b\", \"c\", \"d\"",
      "\"a\",\"b\",\"c\"",
      "a,b",
      ",,",
      "\"",
      "x",
      "ERROR",
      "",
      "\"c\r\", \"d\", \"e\"",
      "\"" + std::string(120, 'i') + "\", \"" + std::string(120, 'c') + "\", \"" + std::string(40, 'e') + "\""};
  inline static const std::vector<std::string> kCurve = {
      "\"\"", "\".\\crv\\fast.crv\"", "\".\\crv\\missing.crv\"", "\"C:\\Curves\\c.crv\"", "crv\\fast.crv", "ERROR"};

  std::string KeyText(const ScgKey& key, bool keysEverywhere) {
    if (key.key == "VERSION") return "6.1";
    if (key.key == "APPLICATION_NUMBER") return "5.1";
    if (keysEverywhere && (key.key == "USE_KEYS" || key.key.ends_with("_USE_KEYS"))) return "TRUE";
    // Blocks in force more often than any word drawn would put them.
    for (const char* block : {"COPY_FILES", "CUSTOM", "SHOW_INSTRUCTIONS", "USE_BUTTONS", "CUSTOM_ALIAS"})
      if (key.key == block && Chance(2)) return "TRUE";
    switch (key.kind) {
      case KeyKind::Plain:
        return Pick(kPlain);
      case KeyKind::Quoted:
        return Pick(kQuoted);
      case KeyKind::Triple:
        return Pick(kTriple);
      case KeyKind::MotionUser:
        return keysEverywhere ? Pick(kTriple) : "\"\", \"\", \"\"";
      // "(None)" is how the alias lists show no alias: the save stores none.
      case KeyKind::ButtonAlias:
        return Pick(kTriple);
      case KeyKind::Curve:
        return Pick(kCurve);
    }
    return "";
  }

  // A vector of its exact length; axis numbers and gains are read as numbers.
  std::string VectorText(VectorType type) {
    auto entries = [&](int count, const std::string& chars, const std::string& separator) {
      std::string text = "{ ";
      for (int i = 0; i < count; ++i) {
        if (i > 0) text += Chance(4) ? std::string(separator.size(), '|') : separator;
        text += chars[std::uniform_int_distribution<std::size_t>(0, chars.size() - 1)(random_)];
      }
      return text + " }";
    };
    switch (type) {
      case VectorType::AxisMap:
        return entries(6, "0123456789", "/");
      case VectorType::Polarity:
        return entries(6, "+-0 x\"\r", "/");
      case VectorType::Sensitivity:
        return entries(7, "0123456789 x\"", "/");
      case VectorType::Gain: {
        static const std::vector<std::string> gains = {"045", "000", "999", "100", "  5", " 45", "007"};
        std::string text = "{ ";
        for (int i = 0; i < 7; ++i) text += (i > 0 ? ", " : "") + Pick(gains);
        return text + " }";
      }
    }
    return "";
  }

  inline static const std::vector<std::string> kInstructionRows = {"   \"Press F1\"",
                                                                   "   \"\"",
                                                                   "",
                                                                   "   \"Say \"hello\" twice\"",
                                                                   "   \"unclosed",
                                                                   "x",
                                                                   "   \"a\rb\"",
                                                                   "   \"" + std::string(1000, 'w') + "\"",
                                                                   "   \"   }\"",
                                                                   "   \"[TUNING]\""};
  inline static const std::vector<std::string> kCommandRows = {
      "   \"+attack\", \"Fire\"",
      "   \"\"",
      "   \"\", \"\"",
      "   \"+jump\", \"\"",
      "   \"\", \"Nothing\"",
      "   \"+a\"b\", \"q\"\"",
      "   \"a\",\"b\"",
      "   x",
      "   \"+use\", \"Use\", \"extra\"",
      "",
      "   \"" + std::string(600, 'c') + "\", \"" + std::string(600, 'n') + "\""};
  inline static const std::vector<std::string> kAliasRows = {
      "   \"\", \"\", \"\"",
      "   \"a\", \"'A' Key\", \"VK_A\"",
      "   \"MOUSE1\", \"Left-Click\", \"VM_LEFTDOWN\"",
      "   \"x\"",
      "   \"a\", \"b\"",
      "   \"q\"\", \" sp \", \"VK_Q\"",
      "",
      "   \"\", \"'N' Key\", \"VK_N\"",
      "   \"" + std::string(500, 'g') + "\", \"" + std::string(500, 'l') + "\", \"VK_L\""};

  // No rows, a few, or as many as the block holds.
  std::vector<std::string> Rows(const std::vector<std::string>& pool, int limit) {
    int count = Chance(8) ? limit : std::uniform_int_distribution<int>(0, 6)(random_);
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) rows.push_back(Pick(pool));
    return rows;
  }

  std::vector<std::string> CopyRows() {
    static const std::vector<std::string> pool = {"   \"cfg\\a.cfg\", \"a.cfg\"",
                                                  "   \"\", \"\"",
                                                  "   \"only\"",
                                                  "   x",
                                                  "   \"s p\", \" d \"",
                                                  "",
                                                  "   \"a\", \"b\"",
                                                  "   \"\", \"a.cfg\""};
    return Rows(pool, 501);
  }

  // Rows of one to six quoted fields, each of any text but the separator.
  std::vector<std::string> CustomRows() {
    static const std::vector<std::string> fields = {"",        "DELETE", "INI", "a b",  " lead",
                                                    "q\"uote", "back\\", "a,b", "x\ry", std::string(300, 'f')};
    int count = Chance(8) ? 500 : std::uniform_int_distribution<int>(0, 6)(random_);
    std::vector<std::string> rows;
    for (int r = 0; r < count; ++r) {
      int n = std::uniform_int_distribution<int>(1, 6)(random_);
      std::string row = "   ";
      for (int f = 0; f < n; ++f) row += (f > 0 ? "\\, " : "") + ("\"" + Pick(fields) + "\"");
      rows.push_back(row);
    }
    return rows;
  }

  // `text` with the rows of the block after the line of `key` replaced.
  static std::string WithRows(std::string text, const std::string& key, const std::vector<std::string>& rows) {
    std::size_t open = text.find("\r\n   {\r\n", text.find("\r\n" + key + "="));
    std::size_t from = open + 8;
    std::size_t to = text.find("   }\r\n", from);
    std::string block;
    for (const std::string& row : rows) block += row + "\r\n";
    return text.replace(from, to - from, block);
  }
};

TEST(ScgRoundTrip, GeneratedEdgeFiles) {
  InstalledFolder program;
  EdgeFiles files(20261210);
  for (int n = 0; n < 200; ++n) {
    ExpectRoundTrip(program, files.Next(), "edge file " + std::to_string(n));
    if (::testing::Test::HasFailure()) break;  // one file's report is enough to go on with
  }
}

}  // namespace
