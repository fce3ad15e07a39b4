#pragma once
// Time as the protocol sees it: a monotonic "now" and a sleep. Tests substitute a virtual
// clock so a whole download with its timeouts runs in no real time.

#include <chrono>
#include <thread>

namespace wd {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::milliseconds Now() = 0;
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

class SteadyClock final : public Clock {
 public:
  std::chrono::milliseconds Now() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
  }
  void Sleep(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }
};

}  // namespace wd
