#include "platform/process/autostart.h"

#include "platform/file_system.h"

#include <cerrno>
#include <cstdlib>
#include <unistd.h>

namespace platform {

std::string AutostartFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config == '/') return std::string(config) + "/autostart";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config/autostart";
}

std::string AutostartFile(const std::string& id) { return AutostartFolder() + "/" + id + ".desktop"; }

// The Exec value: the path as one quoted argument (", `, $ and \ escaped inside
// the quotes, % doubled), then the escaping of a desktop-file string (\ doubled).
static std::string ExecValue(const std::string& programPath) {
  std::string quoted = "\"";
  for (char c : programPath) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  std::string value;
  for (char c : quoted) {
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

bool WriteAutostartEntry(const std::string& id, const std::string& displayName, const std::string& programPath) {
  for (char c : programPath + displayName)
    if (c == '\n' || c == '\r' || c == '\0') return false;  // cannot be written as one line
  CreateFolderPath(AutostartFolder());
  std::string text =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=" +
      displayName +
      "\n"
      "Exec=" +
      ExecValue(programPath) +
      "\n"
      "Terminal=false\n"
      "X-GNOME-Autostart-enabled=true\n";
  return WriteFileAtomic(AutostartFile(id), text);
}

bool RemoveAutostartEntry(const std::string& id) {
  std::string file = AutostartFile(id);
  return ::unlink(file.c_str()) == 0 || errno == ENOENT;
}

std::optional<std::string> AutostartProgram(const std::string& id) {
  auto text = ReadFileBytes(AutostartFile(id));
  if (!text) return std::nullopt;
  for (const std::string& line : SplitLines(*text)) {
    if (line.rfind("Exec=", 0) != 0) continue;
    // Undo the string escaping, then the quoting of the one argument.
    std::string value;
    for (size_t i = 5; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) ++i;
      value += line[i];
    }
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return value;
    std::string program;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
      if (value[i] == '\\' && i + 2 < value.size())
        ++i;
      else if (value[i] == '%' && i + 2 < value.size() && value[i + 1] == '%')
        ++i;
      program += value[i];
    }
    return program;
  }
  return std::nullopt;
}

}  // namespace platform
