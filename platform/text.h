// Text helpers for the system's 8-bit strings (Windows-1252 bytes) and the
// Windows-style comparisons the programs make: ASCII case folding, blank trimming.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One byte folded as Windows folds file and key names: ASCII letters only.
constexpr char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string ToLower(std::string_view text);
std::string ToUpper(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
// Position of `needle` in `haystack` without regard to case, npos when absent.
size_t FindNoCase(std::string_view haystack, std::string_view needle);
bool StartsWithNoCase(std::string_view text, std::string_view head);
bool EndsWithNoCase(std::string_view text, std::string_view tail);

// Removes blanks and tabs at both ends (the trimming of the profile functions).
std::string Trim(std::string_view text);
// The same as a view into `text`.
std::string_view TrimView(std::string_view text);

std::vector<std::string> SplitOn(std::string_view text, char separator);
std::string Join(const std::vector<std::string>& parts, std::string_view separator);

// Whole decimal numbers as the programs read them: optional blanks, a sign,
// digits; nothing else. Empty when the text is no number or does not fit.
std::optional<long long> ParseWholeNumber(std::string_view text);
// A decimal number with an optional fraction ("2.5"); empty when it is none.
std::optional<double> ParseDecimal(std::string_view text);

// The Windows-1252 bytes shown at a window, and back (unmappable characters become '?').
QString FromAnsi(std::string_view bytes);
std::string ToAnsi(const QString& text);

}  // namespace platform
