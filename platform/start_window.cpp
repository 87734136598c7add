#include "platform/start_window.h"

#include <cstdlib>

namespace platform {

std::string StartWindowEntry(StartWindow how) {
  const char* value = how == StartWindow::Hidden ? "hidden" : how == StartWindow::Minimized ? "minimized" : "normal";
  return std::string(kStartWindowVariable) + "=" + value;
}

StartWindow TakeStartWindowRequest() {
  const char* value = std::getenv(kStartWindowVariable);
  std::string wish = value ? value : "";
  ::unsetenv(kStartWindowVariable);
  if (wish == "hidden") return StartWindow::Hidden;
  if (wish == "minimized") return StartWindow::Minimized;
  return StartWindow::Normal;
}

}  // namespace platform
