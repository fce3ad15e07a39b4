#include "device/device_channel.h"

#include <algorithm>

namespace wd {

ReceiveStatus DeviceChannel::Receive(std::span<std::uint8_t> out) {
  const std::chrono::milliseconds start = clock_.Now();
  std::size_t filled = 0;
  for (;;) {
    const std::optional<std::size_t> waiting = link_.BytesWaiting();
    if (!waiting) return ReceiveStatus::LinkError;
    const std::size_t take = std::min(*waiting, out.size() - filled);
    if (take > 0) {
      if (!link_.Read(out.subspan(filled, take))) return ReceiveStatus::LinkError;
      filled += take;
    }
    if (filled == out.size()) return ReceiveStatus::Ok;
    const std::chrono::milliseconds elapsed = clock_.Now() - start;
    if (elapsed >= timing_.deadline) return ReceiveStatus::Timeout;
    clock_.Sleep(std::min(timing_.pollInterval, timing_.deadline - elapsed));
  }
}

}  // namespace wd
