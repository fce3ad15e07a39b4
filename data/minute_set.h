#pragma once
// The minutes a person's list holds: an open-addressing hash set of 40-bit minute keys in one
// flat array, so the duplicate test costs one probe into one cache line on average, however
// long the list grows.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wd {

class MinuteSet {
 public:
  bool contains(std::uint64_t key) const;
  void insert(std::uint64_t key);
  std::size_t size() const { return size_; }

 private:
  std::size_t SlotOf(std::uint64_t stored) const;
  void Grow();

  // Keys are stored plus one, so 0 marks an empty slot.
  std::vector<std::uint64_t> slots_;
  std::size_t size_ = 0;
};

}  // namespace wd
