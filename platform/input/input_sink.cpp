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

namespace {

// How an input backend is opened: null, with the reason in `whyNot`, where it
// cannot be had here.
using OpenBackend = std::unique_ptr<InputSink> (*)(std::string& whyNot);

// The backends in the order they are tried; the first that opens is used.
constexpr OpenBackend kInputBackends[] = {
    // A virtual device the kernel treats as hardware: every program sees its
    // events, under X11 and Wayland alike, games reading evdev among them. It
    // needs /dev/uinput to be writable (the installed udev rule).
    OpenUinputSink,
    // Input faked on the X display: only X11 clients see it, and a key or
    // button it holds may stay down after a disconnect (ReleaseAll guards
    // that). Where no uinput device can be made: in a test's Xvfb, say.
    OpenXTestSink,
};

}  // namespace

std::unique_ptr<InputSink> OpenInputSink(std::string& whyNot) {
  std::string problems;  // each backend's, in order
  for (OpenBackend open : kInputBackends) {
    std::string problem;
    if (auto sink = open(problem)) return sink;
    if (open != kInputBackends[0]) problems += "; ";
    problems += problem;
  }
  whyNot = problems;
  return nullptr;
}

}  // namespace platform
