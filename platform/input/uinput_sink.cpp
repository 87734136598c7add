#include "platform/input/uinput_sink.h"

#include "platform/input/virtual_keys.h"

#include <cstring>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <linux/input-event-codes.h>

namespace platform {

static unsigned ButtonCode(MouseButton b) {
  switch (b) {
    case MouseButton::Left:
      return BTN_LEFT;
    case MouseButton::Right:
      return BTN_RIGHT;
    case MouseButton::Middle:
      return BTN_MIDDLE;
  }
  return BTN_LEFT;
}

void UinputTranslate(const InputEvent& e, int linuxKey, std::vector<UinputEvent>& out) {
  out.clear();
  switch (e.kind) {
    case InputKind::MouseMove:
      if (e.dx != 0) out.push_back({EV_REL, REL_X, e.dx});
      if (e.dy != 0) out.push_back({EV_REL, REL_Y, e.dy});
      break;
    case InputKind::ButtonDown:
    case InputKind::ButtonUp:
      out.push_back({EV_KEY, ButtonCode(e.button), e.kind == InputKind::ButtonDown ? 1 : 0});
      break;
    case InputKind::Wheel:
      if (e.wheel == 0) break;
      // Whole notches for every reader, the exact amount for those that read
      // high-resolution scrolling (it counts 120 to the notch as well).
      if (e.wheel / kWheelDelta != 0) out.push_back({EV_REL, REL_WHEEL, e.wheel / kWheelDelta});
      out.push_back({EV_REL, REL_WHEEL_HI_RES, e.wheel});
      break;
    case InputKind::KeyDown:
    case InputKind::KeyUp:
      out.push_back({EV_KEY, static_cast<unsigned>(linuxKey), e.kind == InputKind::KeyDown ? 1 : 0});
      break;
  }
  if (!out.empty()) out.push_back({EV_SYN, SYN_REPORT, 0});
}

namespace {

class UinputSink : public InputSink {
 public:
  UinputSink(libevdev* dev, libevdev_uinput* uidev) : dev_(dev), uidev_(uidev) {}
  ~UinputSink() override {
    ReleaseAll();
    libevdev_uinput_destroy(uidev_);
    libevdev_free(dev_);
  }
  std::string Name() const override { return "uinput"; }

 protected:
  void Deliver(const InputEvent& event, int linuxKey) override {
    UinputTranslate(event, linuxKey, events_);
    for (const UinputEvent& k : events_) libevdev_uinput_write_event(uidev_, k.type, k.code, k.value);
  }

 private:
  libevdev* dev_;
  libevdev_uinput* uidev_;
  std::vector<UinputEvent> events_;  // reused, so sending allocates nothing
};

}  // namespace

std::unique_ptr<InputSink> OpenUinputSink(std::string& whyNot) {
  libevdev* dev = libevdev_new();
  libevdev_set_name(dev, "Heliryx 360 Mouse Emulator");
  libevdev_enable_event_type(dev, EV_REL);
  for (unsigned code : {REL_X, REL_Y, REL_WHEEL, REL_WHEEL_HI_RES})
    libevdev_enable_event_code(dev, EV_REL, code, nullptr);
  libevdev_enable_event_type(dev, EV_KEY);
  for (unsigned code : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE}) libevdev_enable_event_code(dev, EV_KEY, code, nullptr);
  for (int vk = 0; vk < 256; ++vk)
    if (auto key = LinuxKeyForVirtualKey(vk)) libevdev_enable_event_code(dev, EV_KEY, *key, nullptr);
  libevdev_uinput* uidev = nullptr;
  int rc = libevdev_uinput_create_from_device(dev, LIBEVDEV_UINPUT_OPEN_MANAGED, &uidev);
  if (rc != 0) {
    whyNot = std::string("/dev/uinput cannot be used (") + std::strerror(-rc) + ")";
    libevdev_free(dev);
    return nullptr;
  }
  return std::make_unique<UinputSink>(dev, uidev);
}

}  // namespace platform
