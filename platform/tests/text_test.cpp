#include "platform/text.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Text, Numbers) {
  EXPECT_EQ(ParseWholeNumber(" 42 "), 42);
  EXPECT_EQ(ParseWholeNumber("-1"), -1);
  EXPECT_FALSE(ParseWholeNumber("ERROR"));
  EXPECT_FALSE(ParseWholeNumber("4 2"));
  EXPECT_FALSE(ParseWholeNumber(""));
  EXPECT_EQ(ParseDecimal("2.5"), 2.5);
  EXPECT_FALSE(ParseDecimal("1e3"));
  EXPECT_FALSE(ParseDecimal("."));
}

TEST(Text, AnsiRoundTrip) {
  std::string bytes;
  for (int c = 1; c < 256; ++c)
    if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) bytes.push_back(static_cast<char>(c));
  EXPECT_EQ(ToAnsi(FromAnsi(bytes)), bytes);
  EXPECT_EQ(FromAnsi("\x80"), QString(QChar(0x20AC)));
}

TEST(Text, PrefixesSuffixesAndTrimmingIgnoreCaseAndBlanksOnly) {
  struct Row {
    std::string_view text, part;
    bool starts, ends;
  };
  const Row rows[] = {
      {"Quake3.EXE", ".exe", false, true},
      {"C:\\Windows\\x", "c:\\windows\\", true, false},
      {"abc", "ABC", true, true},
      {"ab", "abc", false, false},
      {"abc", "", true, true},
      {"", "", true, true},
      {"\xe9t\xe9", "\xc9T", false, false},  // only ASCII letters fold
  };
  for (const Row& r : rows) {
    EXPECT_EQ(StartsWithNoCase(r.text, r.part), r.starts) << r.text << " " << r.part;
    EXPECT_EQ(EndsWithNoCase(r.text, r.part), r.ends) << r.text << " " << r.part;
  }
  EXPECT_EQ(TrimView(" \tKEY = a b\t "), "KEY = a b");
  EXPECT_EQ(TrimView("\r\nx\r\n"), "\r\nx\r\n");  // line ends are no blanks
  EXPECT_EQ(Trim(" \t "), "");
}
