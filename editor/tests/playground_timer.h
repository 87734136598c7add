// A playground timer the test ticks by hand.
#pragma once

#include "editor/playground.h"

#include <memory>

struct ManualTicks {
  bool running = false;
  int intervalMs = 0;
  int ticksDelivered = 0;
  std::function<void()> onTick;
  // One tick, delivered only while the timer runs, as a real timer would.
  void Tick() {
    if (!running) return;
    ++ticksDelivered;
    onTick();
  }
};

class ManualTimer : public editor::PlaygroundTimer {
 public:
  // Outlives the timer, so a test still sees it after the window is gone.
  std::shared_ptr<ManualTicks> state = std::make_shared<ManualTicks>();
  void Start(int intervalMs, std::function<void()> onTick) override {
    state->running = true;
    state->intervalMs = intervalMs;
    state->onTick = std::move(onTick);
  }
  void Stop() override { state->running = false; }
};
