#include "config_store/scg_values.h"

#include "platform/text.h"

namespace config_store {

namespace {

// The characters of `text` from `from`, less `dropEnd` at the end; empty when
// the text is too short for that.
std::string Middle(std::string_view text, std::size_t from, std::size_t dropEnd) {
  if (text.size() < from + dropEnd) return {};
  return std::string(text.substr(from, text.size() - from - dropEnd));
}

// Piece k (0-based) of `text` split at commas, trimmed; empty when there is none.
std::string_view CommaPart(std::string_view text, int k) {
  std::size_t start = 0;
  for (int i = 0; i < k; ++i) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) return {};
    start = comma + 1;
  }
  std::size_t end = text.find(',', start);
  return platform::TrimView(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

}  // namespace

void SplitAliasList(int Count, const std::string& Text, std::string& Out1, std::string& Out2, std::string& Out3,
                    int Skip, MissingList missing) {
  std::string_view s = Text;
  bool noList = s == "ERROR" || s.find(',') == std::string::npos || s.size() < 8;
  if (missing == MissingList::Empty) {
    // The monitor's reading: what holds no list binds nothing.
    if (noList || platform::EqualsNoCase(s, "ERROR")) {
      Out1.clear();
      Out2.clear();
      if (Count >= 3) Out3.clear();
      return;
    }
  } else {
    if (s == "ERROR" || s.find(',') == std::string::npos) s = " '', '', '' ";
    if (s.size() < 8 && missing == MissingList::Template) s = Count == 2 ? " '', '' " : " '', '', '' ";
  }
  std::size_t skip = Skip > 0 ? static_cast<std::size_t>(Skip) : 0;
  Out1 = Middle(CommaPart(s, 0), skip, 1);
  Out2 = Middle(CommaPart(s, 1), 1, 1);
  if (Count >= 3) Out3 = Middle(CommaPart(s, 2), 1, 0);
}

ActionTriple SplitTriple(const std::string& value, MissingList missing) {
  ActionTriple t;
  SplitAliasList(3, value, t.GameInput, t.GameCommand, t.SendEvent, 0, missing);
  return t;
}

std::string JoinTriple(const std::string& a, const std::string& b, const std::string& c) {
  return Quoted(a) + ", " + Quoted(b) + ", " + Quoted(c);
}

bool AliasNamedBy(const TCustomAlias& alias, const std::string& gameInput) {
  return !gameInput.empty() && alias.GameInput == gameInput;
}

bool IsTrue(const std::string& flag) { return flag == "TRUE"; }

bool IsTrueNoCase(const std::string& flag) { return platform::EqualsNoCase(flag, "TRUE"); }

bool ConvertsToTrue(const std::string& flag) {
  if (platform::EqualsNoCase(flag, "TRUE")) return true;
  if (platform::EqualsNoCase(flag, "FALSE")) return false;
  auto number = platform::ParseDecimal(flag);
  return number && *number != 0;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace config_store
