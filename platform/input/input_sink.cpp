#include "platform/input/input_sink.h"

#include "platform/input/uinput_sink.h"
#include "platform/input/virtual_keys.h"
#include "platform/input/xtest_sink.h"

#include <algorithm>
#include <cstdio>

namespace platform {

static int HeldId(MouseButton b) { return -1 - static_cast<int>(b); }

void InputSink::Send(const std::vector<InputEvent>& events) {
  for (const InputEvent& e : events) SendOne(e);
  Flush();
}

void InputSink::Send(const InputEvent& event) {
  SendOne(event);
  Flush();
}

void InputSink::SendOne(const InputEvent& e) {
  int id = 0;
  int linuxKey = 0;
  bool down = false;
  switch (e.kind) {
    case InputKind::MouseMove:
    case InputKind::Wheel:
      Deliver(e, 0);
      return;
    case InputKind::ButtonDown:
    case InputKind::ButtonUp:
      id = HeldId(e.button);
      down = e.kind == InputKind::ButtonDown;
      break;
    case InputKind::KeyDown:
    case InputKind::KeyUp: {
      std::optional<int> key = LinuxKeyForVirtualKey(e.virtualKey);
      if (!key) {
        WarnOnce("virtual key " + std::to_string(e.virtualKey) + " has no Linux key; it is not sent");
        return;
      }
      id = linuxKey = *key;
      down = e.kind == InputKind::KeyDown;
      break;
    }
  }
  auto at = std::find_if(held_.begin(), held_.end(), [id](const Held& h) { return h.id == id; });
  if (down == (at != held_.end())) return;
  if (down) {
    InputEvent release = e;
    release.kind = e.kind == InputKind::KeyDown ? InputKind::KeyUp : InputKind::ButtonUp;
    held_.push_back({id, release, linuxKey});
  } else {
    held_.erase(at);
  }
  Deliver(e, linuxKey);
}

void InputSink::ReleaseAll() {
  while (!held_.empty()) {
    Held h = held_.back();
    held_.pop_back();
    Deliver(h.release, h.linuxKey);
  }
  Flush();
}

void InputSink::WarnOnce(const std::string& what) {
  if (!warned_.insert(what).second) return;
  std::fprintf(stderr, "%s\n", what.c_str());
  std::fflush(stderr);
}

std::unique_ptr<InputSink> OpenInputSink(std::string& whyNot) {
  std::string uinputProblem, xProblem;
  if (auto sink = OpenUinputSink(uinputProblem)) return sink;
  if (auto sink = OpenXTestSink(xProblem)) return sink;
  whyNot = uinputProblem + "; " + xProblem;
  return nullptr;
}

}  // namespace platform
