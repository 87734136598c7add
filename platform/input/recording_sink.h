// An input sink that keeps what it is given instead of sending it, for tests
// and benchmarks where no display or uinput device exists. It goes through the
// same held-key bookkeeping as the real backends and, like them, drops motions
// of 0, 0.
#pragma once

#include "platform/input/input_sink.h"

#include <string>
#include <vector>

namespace platform {

class RecordingSink : public InputSink {
 public:
  std::vector<InputEvent> delivered;
  std::string Name() const override { return "recording"; }
  // What was delivered since the last call, as ToText gives it.
  std::string Take() {
    std::string text = ToText(delivered);
    delivered.clear();
    return text;
  }

 protected:
  void Deliver(const InputEvent& event, int) override {
    if (event.kind == InputKind::MouseMove && event.dx == 0 && event.dy == 0) return;
    delivered.push_back(event);
  }
};

}  // namespace platform
