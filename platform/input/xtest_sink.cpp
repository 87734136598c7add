// The Xlib side of the XTest backend; nothing here may include Qt.
#include "platform/input/xtest_sink.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace platform {

namespace {

class XTestSink : public InputSink {
 public:
  explicit XTestSink(Display* display) : display_(display) {}
  ~XTestSink() override {
    // Keys and buttons faked through XTest stay down after we disconnect.
    ReleaseAll();
    XCloseDisplay(display_);
  }
  std::string Name() const override { return "XTest"; }

 protected:
  void Deliver(const InputEvent& event, int linuxKey) override {
    XTestTranslate(event, linuxKey, requests_);
    if (requests_.empty() && (event.kind == InputKind::KeyDown || event.kind == InputKind::KeyUp))
      WarnOnce("Linux key " + std::to_string(linuxKey) + " has no X key code; it is not sent");
    for (const XTestRequest& r : requests_) {
      switch (r.kind) {
        case XTestRequest::Motion:
          XTestFakeRelativeMotionEvent(display_, r.a, r.b, CurrentTime);
          break;
        case XTestRequest::Button:
          XTestFakeButtonEvent(display_, static_cast<unsigned>(r.a), r.b ? True : False, CurrentTime);
          break;
        case XTestRequest::Key:
          XTestFakeKeyEvent(display_, static_cast<unsigned>(r.a), r.b ? True : False, CurrentTime);
          break;
      }
    }
  }
  void Flush() override { XFlush(display_); }

 private:
  Display* display_;
  std::vector<XTestRequest> requests_;  // reused, so sending allocates nothing
};

}  // namespace

std::unique_ptr<InputSink> OpenXTestSink(std::string& whyNot) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    whyNot = "no X display can be opened";
    return nullptr;
  }
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
    XCloseDisplay(display);
    whyNot = "the X display has no XTEST extension";
    return nullptr;
  }
  return std::make_unique<XTestSink>(display);
}

}  // namespace platform
