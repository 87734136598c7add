#include "config_store/vector_parsers.h"

#include "platform/text.h"

namespace config_store {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string& HalfOf(TSettingPair& pair, const std::string& Kind) { return Kind == "DFLT" ? pair.DFLT : pair.USER; }

// The leading digits of an entry as a number, blanks skipped.
int LeadingNumber(const std::string& text) {
  int value = 0;
  for (char c : text) {
    if (c == ' ') continue;
    if (!IsDigit(c)) break;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::optional<std::array<int, 6>> AxisMapEntries(const std::string& text) {
  if (text.size() != kAxisMapLength) return std::nullopt;
  std::array<int, 6> out{};
  for (int i = 0; i < 6; ++i) {
    char c = text[2 + 2 * i];
    if (!IsDigit(c)) return std::nullopt;
    out[i] = c - '0';
  }
  return out;
}

std::optional<std::array<std::string, 6>> PolarityEntries(const std::string& text) {
  if (text.size() != kPolarityLength) return std::nullopt;
  std::array<std::string, 6> out;
  for (int i = 0; i < 6; ++i) out[i] = text.substr(2 + 2 * i, 1);
  return out;
}

std::optional<std::array<int, 7>> GainEntries(const std::string& text, GainDigits rule) {
  if (text.size() != kGainLength) return std::nullopt;
  std::array<int, 7> out{};
  for (int i = 0; i < 7; ++i) {
    std::string entry = text.substr(2 + 5 * i, 3);
    if (rule == GainDigits::Leading) {
      out[i] = LeadingNumber(entry);
      continue;
    }
    // Digits, optionally behind blanks; anything else is no gain.
    std::string digits = platform::Trim(entry);
    if (digits.empty()) return std::nullopt;
    for (char c : digits)
      if (!IsDigit(c)) return std::nullopt;
    out[i] = std::stoi(digits);
  }
  return out;
}

std::optional<std::array<std::string, 7>> SensitivityEntries(const std::string& text) {
  if (text.size() != kSensitivityLength) return std::nullopt;
  std::array<std::string, 7> out;
  for (int i = 0; i < 7; ++i) out[i] = text.substr(2 + 2 * i, 1);
  return out;
}

bool ParseAxisMap(const std::string& Text, const std::string& Kind, TGameConfig& config) {
  auto entries = AxisMapEntries(Text);
  if (!entries) return false;
  for (int i = 1; i <= 6; ++i) HalfOf(config.AxisMap(i), Kind) = std::to_string((*entries)[i - 1] + 1);
  return true;
}

bool ParsePolarity(const std::string& Text, const std::string& Kind, TGameConfig& config) {
  auto entries = PolarityEntries(Text);
  if (!entries) return false;
  for (int m = 1; m <= 6; ++m) HalfOf(config.Polarity(m), Kind) = (*entries)[m - 1];
  return true;
}

bool ParseGain(const std::string& Text, const std::string& Kind, int Level, TGameConfig& config) {
  auto entries = GainEntries(Text);
  if (!entries) return false;
  for (int c = 1; c <= 7; ++c) HalfOf(config.GainTable(Level, c), Kind) = std::to_string((*entries)[c - 1]);
  return true;
}

bool ParseSensitivity(const std::string& Text, const std::string& Kind, int Level, TGameConfig& config) {
  auto entries = SensitivityEntries(Text);
  if (!entries) return false;
  for (int c = 1; c <= 7; ++c) HalfOf(config.SensitivityTable(Level, c), Kind) = (*entries)[c - 1];
  return true;
}

std::string PadGain(const std::string& gain) {
  if (gain.size() == 1) return "00" + gain;
  if (gain.size() == 2) return "0" + gain;
  return gain;
}

}  // namespace config_store
