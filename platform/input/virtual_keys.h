// Windows virtual-key codes and the Linux keys they are sent as. Each virtual
// key is its own Linux key (F1 is KEY_F1), so a game sees the key the binding
// names whatever character shares its number.
#pragma once

#include <optional>

namespace platform {

// The Linux input key code (KEY_*) for a virtual-key code; empty for codes with
// no Linux key: the mouse-button codes 1, 2, 4, 5, 6 used as keys, and keys
// Linux has no counterpart for (VK_JUNJA, VK_FINAL, VK_ACCEPT, ...).
std::optional<int> LinuxKeyForVirtualKey(int virtualKey);

}  // namespace platform
