#include "platform/text.h"

#include <cmath>
#include <cstdlib>

namespace platform {

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

size_t FindNoCase(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) return 0;
  if (needle.size() > haystack.size()) return std::string_view::npos;
  for (size_t i = 0; i + needle.size() <= haystack.size(); ++i)
    if (EqualsNoCase(haystack.substr(i, needle.size()), needle)) return i;
  return std::string_view::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view head) {
  return text.size() >= head.size() && EqualsNoCase(text.substr(0, head.size()), head);
}

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

std::string_view TrimView(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(begin, end - begin);
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

std::vector<std::string> SplitOn(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(separator, start);
    if (at == std::string_view::npos) {
      parts.emplace_back(text.substr(start));
      return parts;
    }
    parts.emplace_back(text.substr(start, at - start));
    start = at + 1;
  }
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += separator;
    out += parts[i];
  }
  return out;
}

std::optional<long long> ParseWholeNumber(std::string_view text) {
  std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  if (i == t.size() || t.size() - i > 18) return std::nullopt;
  for (size_t j = i; j < t.size(); ++j)
    if (t[j] < '0' || t[j] > '9') return std::nullopt;
  return std::strtoll(t.c_str(), nullptr, 10);
}

std::optional<double> ParseDecimal(std::string_view text) {
  std::string t = Trim(text);
  if (t.empty() || t.size() > 40) return std::nullopt;
  size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  bool digits = false, point = false;
  for (size_t j = i; j < t.size(); ++j) {
    if (t[j] >= '0' && t[j] <= '9')
      digits = true;
    else if (t[j] == '.' && !point)
      point = true;
    else
      return std::nullopt;
  }
  if (!digits) return std::nullopt;
  double value = std::strtod(t.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// Windows-1252 code points of the bytes 0x80..0x9F; the rest equal Latin-1.
static const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                         0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromAnsi(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (unsigned char c : bytes) {
    if (c >= 0x80 && c <= 0x9F)
      out.append(QChar(kCp1252High[c - 0x80]));
    else
      out.append(QChar(static_cast<char16_t>(c)));
  }
  return out;
}

std::string ToAnsi(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar ch : text) {
    char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out.push_back(static_cast<char>(u));
      continue;
    }
    char mapped = '?';
    for (int i = 0; i < 32; ++i)
      if (kCp1252High[i] == u) mapped = static_cast<char>(0x80 + i);
    out.push_back(mapped);
  }
  return out;
}

}  // namespace platform
