#pragma once
// The transport side of the protocol: sending a request and receiving a given number of
// bytes before a deadline, polling the link's queue. Framing lives in frames.h.

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

#include "device/byte_link.h"
#include "device/clock.h"
#include "device/frames.h"

namespace wd {

struct ReceiveTiming {
  // The queue is looked at this often while a reply is awaited.
  std::chrono::milliseconds pollInterval{10};
  // A wait for the bytes of one header or one payload gives up after this long.
  std::chrono::milliseconds deadline{1100};
  // Pause after a reply whose header or index is wrong, so its tail arrives before the purge.
  std::chrono::milliseconds badFramePause{100};

  // The monitor's original pacing: the queue looked at every 100 ms.
  static ReceiveTiming Coarse() {
    ReceiveTiming timing;
    timing.pollInterval = std::chrono::milliseconds(100);
    return timing;
  }
};

enum class ReceiveStatus { Ok, Timeout, LinkError };

class DeviceChannel {
 public:
  DeviceChannel(ByteLink& link, Clock& clock, ReceiveTiming timing = {})
      : link_(link), clock_(clock), timing_(timing) {}

  bool Send(const CommandPacket& packet) { return link_.Write(packet.bytes); }
  bool Purge() { return link_.BytesWaiting().has_value() && link_.Purge(); }
  // Fills `out` from the link, reading bytes as they arrive, until it is full or the deadline
  // passes. Never reads more than `out` holds, so the next frame stays queued.
  ReceiveStatus Receive(std::span<std::uint8_t> out);
  void PauseAfterBadFrame() { clock_.Sleep(timing_.badFramePause); }

  ByteLink& link() { return link_; }
  // Holds the data reply being received; kept between replies to spare an allocation each.
  std::vector<std::uint8_t>& FrameBuffer() { return frame_; }

 private:
  ByteLink& link_;
  Clock& clock_;
  ReceiveTiming timing_;
  std::vector<std::uint8_t> frame_;
};

}  // namespace wd
