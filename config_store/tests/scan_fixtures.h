// Small configuration texts for the scan and upgrade tests, with the CR LF line
// ends the programs write.
#pragma once

#include <initializer_list>
#include <string>

namespace config_store_test {

inline std::string Crlf(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// A configuration with the keys the scan reads; an empty `hide` leaves HIDE_FILE out.
inline std::string ScanScg(const std::string& version, const std::string& hide, const std::string& name,
                           const std::string& exe = "\"game.exe\"") {
  std::string text = Crlf({"[VERSION]", "VERSION=" + version, "APPLICATION_NUMBER=5.1", "", "[IDENTIFICATION]",
                           "APPLICATION_NAME=\"" + name + "\"", "", "[CONFIGURATION]"});
  if (!hide.empty()) text += Crlf({"HIDE_FILE=" + hide});
  return text + Crlf({"EXECUTABLE=" + exe, ""});
}

}  // namespace config_store_test
