#pragma once
// Figures with one decimal, kept exactly as whole tenths so every output prints the same digits.

#include <cstdint>
#include <string>

namespace wd {

struct Tenths {
  std::int64_t value = 0;  // 958 is 95.8

  // "95.8", "0.0", "-0.5".
  std::string Text() const;
  friend auto operator<=>(const Tenths&, const Tenths&) = default;
};

// numerator / denominator to one decimal, halves rounded up (95.75 -> 95.8). The numerator is
// not negative and the denominator positive.
Tenths RoundedTenths(std::int64_t numerator, std::int64_t denominator);

}  // namespace wd
