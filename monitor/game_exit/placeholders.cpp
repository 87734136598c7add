#include "monitor/game_exit/placeholders.h"

#include "platform/text.h"

#include <optional>

namespace game_exit {
namespace {

// The two characters after the marker at `at` as a whole number.
std::optional<long long> NumberAfter(const std::string& s, size_t at) {
  if (at + 3 > s.size()) return std::nullopt;
  return platform::ParseWholeNumber(std::string_view(s).substr(at + 1, 2));
}

bool NegativeDirection(const std::string& s, size_t at) { return s[at + 1] == '-'; }

// s with the four characters of the placeholder at `at` replaced by `value`.
std::string Rebuild(const std::string& s, size_t at, const std::string& value) {
  std::string out = s.substr(0, at) + value;
  if (at + 4 < s.size()) out += s.substr(at + 4);
  return out;
}

const ActionTriple& AxisDirection(const GameBindings& b, const std::string& s, size_t at, long long n) {
  size_t axis = static_cast<size_t>(n < 0 ? -n : n);
  return NegativeDirection(s, at) ? b.MotionNeg[axis] : b.MotionPos[axis];
}

// One replacement; false when nothing more is to be replaced.
bool ReplaceOne(std::string& s, const GameBindings& b) {
  if (size_t at = s.find(kButtonCommandMarker); at != std::string::npos) {
    auto n = NumberAfter(s, at);
    if (n && *n >= 0 && *n <= 15) {
      s = Rebuild(s, at, b.ButtonAlias[static_cast<size_t>(*n)].GameCommand);
      return true;
    }
  }
  if (size_t at = s.find(kButtonInputMarker); at != std::string::npos) {
    auto n = NumberAfter(s, at);
    if (n && *n >= 0 && *n <= 15) {
      const std::string& input = b.ButtonAlias[static_cast<size_t>(*n)].GameInput;
      s = input.empty() ? std::string() : Rebuild(s, at, input);
      return true;
    }
  }
  if (size_t at = s.find(kAxisCommandMarker); at != std::string::npos) {
    auto n = NumberAfter(s, at);
    if (!n || *n < -5 || *n > 5) return false;
    s = Rebuild(s, at, AxisDirection(b, s, at, *n).GameCommand);
    return true;
  }
  size_t at = s.find(kAxisInputMarker);
  if (at == std::string::npos) return false;
  auto n = NumberAfter(s, at);
  if (!n || *n < -5 || *n > 5) return false;
  const std::string& input = AxisDirection(b, s, at, *n).GameInput;
  s = input.empty() ? std::string() : Rebuild(s, at, input);
  return true;
}

}  // namespace

std::string CheckForJoy(const std::string& strJoyCheck, const GameBindings& bindings) {
  std::string s = strJoyCheck;
  for (int pass = 0; pass < kMaxPlaceholderPasses && ReplaceOne(s, bindings); ++pass) {
  }
  return s;
}

}  // namespace game_exit
