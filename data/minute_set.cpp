#include "data/minute_set.h"

namespace wd {
namespace {

constexpr std::size_t kInitialCapacity = 64;  // a power of two

}  // namespace

// Fibonacci hashing: the top bits of key * 2^64/phi, spread over the table.
std::size_t MinuteSet::SlotOf(std::uint64_t stored) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = static_cast<std::size_t>((stored * 11400714819323198485ull) >> 20) & mask;
  while (slots_[slot] != 0 && slots_[slot] != stored) slot = (slot + 1) & mask;
  return slot;
}

bool MinuteSet::contains(std::uint64_t key) const {
  if (slots_.empty()) return false;
  return slots_[SlotOf(key + 1)] != 0;
}

void MinuteSet::insert(std::uint64_t key) {
  // At most half full, so probe runs stay short.
  if ((size_ + 1) * 2 > slots_.size()) Grow();
  const std::uint64_t stored = key + 1;
  const std::size_t slot = SlotOf(stored);
  if (slots_[slot] == 0) {
    slots_[slot] = stored;
    ++size_;
  }
}

void MinuteSet::Grow() {
  std::vector<std::uint64_t> old = std::move(slots_);
  slots_.assign(old.empty() ? kInitialCapacity : old.size() * 2, 0);
  for (std::uint64_t stored : old) {
    if (stored != 0) slots_[SlotOf(stored)] = stored;
  }
}

}  // namespace wd
