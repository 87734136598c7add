// Where synthetic input goes. One interface over the backends (a uinput device
// through libevdev, or XTest on an X display); the base class keeps track of
// every key and mouse button it holds down, so that whatever way the program
// ends, ReleaseAll leaves nothing stuck in the player's system.
#pragma once

#include "platform/input/input_event.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace platform {

class InputSink {
 public:
  virtual ~InputSink() = default;

  // Sends the events in order, then flushes them to the system. A key or
  // button already held is not pressed again, one not held is not released
  // (nothing to release), and a virtual key without a Linux key is skipped,
  // with one line on standard error the first time.
  void Send(const std::vector<InputEvent>& events);
  void Send(const InputEvent& event);

  // Releases every key and button held, the last pressed first.
  void ReleaseAll();
  bool Holding() const { return !held_.empty(); }

  // "uinput" or "XTest".
  virtual std::string Name() const = 0;

 protected:
  // One event for the system; keys come with their Linux key code resolved.
  virtual void Deliver(const InputEvent& event, int linuxKey) = 0;
  // Makes delivered events take effect (end of a batch).
  virtual void Flush() {}
  // One line on standard error per distinct `what`.
  void WarnOnce(const std::string& what);

 private:
  void SendOne(const InputEvent& event);
  struct Held {
    // Keys by their Linux code (VK_SHIFT and VK_LSHIFT are one key), buttons
    // by negative numbers.
    int id;
    InputEvent release;
    int linuxKey;
  };
  std::vector<Held> held_;
  std::set<std::string> warned_;
};

// The backend that works here: uinput where /dev/uinput can be opened, else
// XTest on the X display; null, with the reason in `whyNot`, when neither does.
std::unique_ptr<InputSink> OpenInputSink(std::string& whyNot);

// Where a program gets its sink, once, at start-up: the system's backends, or
// in tests a recording sink.
class InputSinkSource {
 public:
  virtual ~InputSinkSource() = default;
  // The sink to send to; null, with the reason in `whyNot`, when none can be opened.
  virtual std::unique_ptr<InputSink> Open(std::string& whyNot) = 0;
};

// The system's backends, through OpenInputSink.
class SystemInputSinks : public InputSinkSource {
 public:
  std::unique_ptr<InputSink> Open(std::string& whyNot) override { return OpenInputSink(whyNot); }
};

}  // namespace platform
