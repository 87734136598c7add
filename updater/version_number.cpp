#include "updater/version_number.h"

#include "platform/text.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace updater {

// Exactly four parts between dots, each of one to nine digits (blanks around
// a part allowed). Read without building a list: an update list holds one
// version per program line.
static bool NumericParts(std::string_view text, VersionParts& parts) {
  size_t start = 0;
  for (size_t i = 0; i < 4; ++i) {
    size_t end = text.find('.', start);
    bool last = i == 3;
    if (last != (end == std::string_view::npos)) return false;  // three dots, no more
    if (last) end = text.size();
    std::string piece = platform::Trim(text.substr(start, end - start));
    if (piece.empty() || piece.size() > 9 || piece.find_first_not_of("0123456789") != std::string::npos) return false;
    long long value = 0;
    for (char digit : piece) value = value * 10 + (digit - '0');
    parts[i] = value;
    start = end + 1;
  }
  return true;
}

VersionParts ParseVersion(const std::string& text) {
  VersionParts parts{};
  if (!NumericParts(text, parts)) parts = {};
  return parts;
}

static std::string Padded(long long value, int width) {
  std::string digits = std::to_string(value);
  if (digits.size() < static_cast<size_t>(width)) digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  return digits;
}

std::string VersionNumberText(const std::string& text) {
  VersionParts p{};
  if (!NumericParts(text, p)) return "0";
  return std::to_string(p[0]) + "." + Padded(p[1], 2) + Padded(p[2], 2) + Padded(p[3], 4);
}

double VersionNumber(const std::string& text) { return std::strtod(VersionNumberText(text).c_str(), nullptr); }

std::string FormatVersionRecord(double number) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.8f", number);
  std::string text = buffer;
  while (text.size() >= 2 && text.back() == '0' && text[text.size() - 2] != '.') text.pop_back();
  return text;
}

}  // namespace updater
