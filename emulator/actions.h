// Turning an action name into the input it stands for: the "down" half when
// its button or axis direction is pressed, the "up" half when it is released.
#pragma once

#include "emulator/key_table.h"
#include "platform/input/input_event.h"

#include <string>
#include <vector>

namespace emulator {

// The special mouse names are matched exactly (upper case) before the table:
// VM_LEFTDOWN, VM_RIGHTDOWN and VM_MIDDLEDOWN hold their button while pressed,
// VM_WHEELUP and VM_WHEELDOWN give one notch per press and nothing on release.
// Every other name is a key event with the name's code from the table (any
// case); a name the table lacks ("X", "Y") and any other mouse name
// (VM_LEFTUP, vm_leftdown) send nothing.
void PressAction(const KeyTable& table, const std::string& name, std::vector<platform::InputEvent>& out);
void ReleaseAction(const KeyTable& table, const std::string& name, std::vector<platform::InputEvent>& out);

}  // namespace emulator
