// Command lines as Windows hands them to a program: one text, the program's path
// first, then the arguments, which the program's runtime splits by its own rules.
// We start programs without a shell, so both steps are done here.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The arguments of a command line by the Windows C runtime's rules: blanks and
// tabs separate arguments outside double quotes; 2n backslashes before a quote
// give n backslashes and the quote opens or closes a quoted part; 2n+1 give n
// backslashes and a literal quote; backslashes elsewhere are literal; inside a
// quoted part two quotes in a row give one literal quote. `""` is an empty
// argument.
std::vector<std::string> SplitWindowsCommandLine(const std::string& text);

// One argument written so that SplitWindowsCommandLine gives it back: in double
// quotes, with the backslashes before the closing quote doubled. Nothing for a
// text holding a double quote: the tools we call may not read the escaped form.
std::optional<std::string> QuoteWindowsArgument(const std::string& text);

struct ParsedCommandLine {
  std::string program;            // empty when the line names nothing
  std::vector<std::string> args;  // without the program
};

// Splits off the program the way process creation finds it in a line whose path
// may hold unquoted blanks: a quoted first token is the program; otherwise the
// shortest blank-delimited prefix that `isProgram` accepts, else the first word.
// The rest of the line is split with SplitWindowsCommandLine.
ParsedCommandLine ParseCommandLine(const std::string& line, const std::function<bool(const std::string&)>& isProgram);

}  // namespace platform
