#include "updater/version_number.h"

#include "platform/text.h"

#include <cstdio>
#include <cstdlib>

namespace updater {

static bool NumericParts(const std::string& text, VersionParts& parts) {
  std::vector<std::string> pieces = platform::SplitOn(text, '.');
  if (pieces.size() != 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    std::string piece = platform::Trim(pieces[i]);
    if (piece.empty() || piece.size() > 9 || piece.find_first_not_of("0123456789") != std::string::npos)
      return false;
    parts[i] = std::stoll(piece);
  }
  return true;
}

VersionParts ParseVersion(const std::string& text) {
  VersionParts parts{};
  if (!NumericParts(text, parts)) parts = {};
  return parts;
}

static std::string Padded(long long value, int width) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*lld", width, value);
  return buffer;
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
