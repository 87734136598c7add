#include "platform/process/command_line.h"

namespace platform {

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string> SplitWindowsCommandLine(const std::string& text) {
  std::vector<std::string> args;
  std::string current;
  bool inArgument = false;  // something (even an empty quoted part) has started an argument
  bool inQuotes = false;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (IsBlank(c) && !inQuotes) {
      if (inArgument) args.push_back(current);
      current.clear();
      inArgument = false;
      ++i;
      continue;
    }
    inArgument = true;
    if (c == '\\') {
      size_t backslashes = 0;
      while (i < text.size() && text[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < text.size() && text[i] == '"') {
        current.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          current += '"';
          ++i;
        }
        // An even count leaves the quote to the branch below.
      } else {
        current.append(backslashes, '\\');
      }
      continue;
    }
    if (c == '"') {
      if (inQuotes && i + 1 < text.size() && text[i + 1] == '"') {
        current += '"';
        i += 2;
        continue;
      }
      inQuotes = !inQuotes;
      ++i;
      continue;
    }
    current += c;
    ++i;
  }
  if (inArgument) args.push_back(current);
  return args;
}

std::optional<std::string> QuoteWindowsArgument(const std::string& text) {
  if (text.find('"') != std::string::npos) return std::nullopt;
  std::string tail;
  for (auto at = text.rbegin(); at != text.rend() && *at == '\\'; ++at) tail += '\\';
  return "\"" + text + tail + "\"";
}

ParsedCommandLine ParseCommandLine(const std::string& line, const std::function<bool(const std::string&)>& isProgram) {
  ParsedCommandLine parsed;
  size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  if (start == line.size()) return parsed;

  size_t restAt = line.size();
  if (line[start] == '"') {
    size_t close = line.find('"', start + 1);
    if (close == std::string::npos) {
      parsed.program = line.substr(start + 1);
    } else {
      parsed.program = line.substr(start + 1, close - start - 1);
      restAt = close + 1;
    }
  } else {
    size_t firstEnd = line.find_first_of(" \t", start);
    if (firstEnd == std::string::npos) firstEnd = line.size();
    parsed.program = line.substr(start, firstEnd - start);
    restAt = firstEnd;
    // A path with blanks, unquoted: the shortest prefix that is a program wins.
    for (size_t end = firstEnd; end <= line.size();) {
      std::string candidate = line.substr(start, end - start);
      if (isProgram && isProgram(candidate)) {
        parsed.program = candidate;
        restAt = end;
        break;
      }
      if (end == line.size()) break;
      size_t next = line.find_first_of(" \t", end + 1);
      end = next == std::string::npos ? line.size() : next;
    }
  }
  if (restAt < line.size()) parsed.args = SplitWindowsCommandLine(line.substr(restAt));
  return parsed;
}

}  // namespace platform
