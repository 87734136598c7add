// The uinput backend: one virtual mouse-and-keyboard device, created through
// libevdev when the program starts and kept for its whole life, so the system
// sees one stable input device.
#pragma once

#include "platform/input/input_sink.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

// One kernel input event (struct input_event without the time).
struct UinputEvent {
  unsigned type;
  unsigned code;
  int value;
  bool operator==(const UinputEvent&) const = default;
};

// The kernel events for one of our events into `out` (replacing what it held,
// so one vector serves every event), each batch ending with SYN_REPORT;
// nothing for a motion of 0, 0. `linuxKey` is the key of a key event.
void UinputTranslate(const InputEvent& event, int linuxKey, std::vector<UinputEvent>& out);

// The virtual device; null with the reason when /dev/uinput cannot be used.
std::unique_ptr<InputSink> OpenUinputSink(std::string& whyNot);

}  // namespace platform
