// pointerly.ini, the mouse emulator's settings for the game being played: the
// axes' dead zones, what each axis direction and each button sends, and which
// axes move the pointer. Written at every activation, read by Pointerly at start.
#pragma once

#include "monitor/activation_values.h"

#include <string>

namespace monitor {

// Rewrites all 34 keys (other keys and sections of the file stay) in one
// replacement of the file, so the emulator never reads half of it.
bool WritePointerlyIni(const std::string& path, const ActivationValues& v);

// Whether the configuration needs the emulator: it uses keys, or names a pointer axis.
bool NeedsPointerly(const ActivationValues& v);

}  // namespace monitor
