// Version texts of the update list ("5.1.0.12") and of installed files.
#pragma once

#include <array>
#include <string>

namespace updater {

// The four parts of a version text; all zero unless the text is exactly four
// numeric parts (such a version compares as 0, as the number below does).
using VersionParts = std::array<long long, 4>;
VersionParts ParseVersion(const std::string& text);

// The number the update list and watchpost.ini speak: "5.1.0.12" -> 5.01000012
// (part 1, ".", part 2 as "00", part 3 as "00", part 4 as "0000"); 0 unless the
// text is four numeric parts. Parts wider than their field keep all digits,
// which is why two different versions can give the same number: whether a
// file differs is decided on the parts, never on this number.
double VersionNumber(const std::string& text);
// The text the number is built from ("5.01000012"), or "0".
std::string VersionNumberText(const std::string& text);

// A number written as "0.0#######": at least one and at most eight decimals
// (2.00000007, 5.1, 0.0), the form watchpost.ini keeps the control tool's version in.
std::string FormatVersionRecord(double number);

}  // namespace updater
