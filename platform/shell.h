// Opening a web page or a mail link with the desktop's default handler, and
// starting a program without waiting for it.
#pragma once

#include "platform/start_window.h"

#include <string>
#include <vector>

namespace platform {

bool OpenWithDesktop(const std::string& url);
// Starts a program detached from us (not waited for), asking its window to
// appear as `how` says; false when it cannot start.
bool StartDetached(const std::string& program, const std::vector<std::string>& args = {},
                   StartWindow how = StartWindow::Normal);

}  // namespace platform
