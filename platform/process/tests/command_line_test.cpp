#include "platform/process/command_line.h"

#include <gtest/gtest.h>
#include <set>

using platform::ParseCommandLine;
using platform::SplitWindowsCommandLine;
using Args = std::vector<std::string>;

TEST(SplitWindowsCommandLine, FollowsTheRuntimeRules) {
  struct Case {
    std::string line;
    Args args;
  } cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"--set-defaults", {"--set-defaults"}},
      {"--set-gain 3 45", {"--set-gain", "3", "45"}},
      {"  a \t b  ", {"a", "b"}},
      // A quoted curve path is one argument, blanks and backslashes kept.
      {"--upload-sensitivity-curve 2 \"/opt/my games/crv\\a b.crv\"",
       {"--upload-sensitivity-curve", "2", "/opt/my games/crv\\a b.crv"}},
      {"\"C:\\Program Files\\x.crv\"", {"C:\\Program Files\\x.crv"}},
      // Quotes may open and close inside one argument.
      {"a\"b c\"d e", {"ab cd", "e"}},
      {"\"\"", {""}},
      {"a \"\" b", {"a", "", "b"}},
      // Backslashes before a quote: 2n give n and a quote toggle, 2n+1 give n and a literal quote.
      {"a\\\\\"b c\"", {"a\\b c"}},
      {"a\\\"b", {"a\"b"}},
      {"a\\\\\\\"b", {"a\\\"b"}},
      {"a\\\\b", {"a\\\\b"}},
      {"C:\\dir\\", {"C:\\dir\\"}},
      // Inside quotes, two quotes in a row are one literal quote.
      {"\"a\"\"b\" c", {"a\"b", "c"}},
      // An unclosed quote runs to the end.
      {"\"a b", {"a b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitWindowsCommandLine(c.line), c.args) << c.line;
}

TEST(ParseCommandLine, FindsTheProgramInAPathWithBlanks) {
  std::set<std::string> programs = {"/opt/my games/ryxcontrol", "/opt/my", "/usr/bin/tool"};
  auto isProgram = [&](const std::string& p) { return programs.count(p) > 0; };
  struct Case {
    std::string line;
    std::string program;
    Args args;
  } cases[] = {
      {"/usr/bin/tool --set-defaults", "/usr/bin/tool", {"--set-defaults"}},
      {"/usr/bin/tool", "/usr/bin/tool", {}},
      // The shortest prefix that is a program wins, as process creation decides.
      {"/opt/my games/ryxcontrol --set-axis 0 1", "/opt/my", {"games/ryxcontrol", "--set-axis", "0", "1"}},
      {"\"/opt/my games/ryxcontrol\" --set-axis 0 1", "/opt/my games/ryxcontrol", {"--set-axis", "0", "1"}},
      {"/opt/my games/ryxcontrol --upload-sensitivity-curve 1 \"/opt/my games/crv/a.crv\"",
       "/opt/my",
       {"games/ryxcontrol", "--upload-sensitivity-curve", "1", "/opt/my games/crv/a.crv"}},
      // Nothing exists: the first word is the program (and will not start).
      {"/nowhere/x -a", "/nowhere/x", {"-a"}},
      {"  ", "", {}},
  };
  for (const Case& c : cases) {
    platform::ParsedCommandLine parsed = ParseCommandLine(c.line, isProgram);
    EXPECT_EQ(parsed.program, c.program) << c.line;
    EXPECT_EQ(parsed.args, c.args) << c.line;
  }
  programs.erase("/opt/my");
  platform::ParsedCommandLine longer = ParseCommandLine("/opt/my games/ryxcontrol --set-chording on", isProgram);
  EXPECT_EQ(longer.program, "/opt/my games/ryxcontrol");
  EXPECT_EQ(longer.args, (Args{"--set-chording", "on"}));
}

// A quoted argument splits back into the text it was made from.
TEST(QuoteWindowsArgument, SplitsBackToTheSameText) {
  for (const std::string text : {"/opt/crv/a.crv", "/opt/my games/a b.crv", "", "C:\\curves\\", "ends\\\\"}) {
    std::optional<std::string> quoted = platform::QuoteWindowsArgument(text);
    ASSERT_TRUE(quoted) << text;
    EXPECT_EQ(SplitWindowsCommandLine("--upload-sensitivity-curve 0 " + *quoted),
              (Args{"--upload-sensitivity-curve", "0", text}))
        << text;
  }
  EXPECT_FALSE(platform::QuoteWindowsArgument("/opt/a\"b.crv"));
}
