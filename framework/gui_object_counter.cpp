#include "framework/gui_object_counter.h"

#include <array>
#include <atomic>

namespace fw {
namespace {

constexpr std::size_t kKinds = static_cast<std::size_t>(GuiObjectKind::Count);

// Diagnostic counters only; any thread may create GDI objects, hence atomics.
std::array<std::atomic<long>, kKinds>& Counters() noexcept {
  static std::array<std::atomic<long>, kKinds> counters{};
  return counters;
}

}  // namespace

void GuiObjectCounter::Created(GuiObjectKind kind) noexcept {
  Counters()[static_cast<std::size_t>(kind)].fetch_add(1, std::memory_order_relaxed);
}

void GuiObjectCounter::Destroyed(GuiObjectKind kind) noexcept {
  Counters()[static_cast<std::size_t>(kind)].fetch_sub(1, std::memory_order_relaxed);
}

long GuiObjectCounter::Live(GuiObjectKind kind) noexcept {
  return Counters()[static_cast<std::size_t>(kind)].load(std::memory_order_relaxed);
}

long GuiObjectCounter::LiveTotal() noexcept {
  long total = 0;
  for (const auto& counter : Counters()) total += counter.load(std::memory_order_relaxed);
  return total;
}

}  // namespace fw
