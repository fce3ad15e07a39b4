#include "analysis/tenths.h"

namespace wd {

std::string Tenths::Text() const {
  const std::int64_t magnitude = value < 0 ? -value : value;
  std::string text = value < 0 ? "-" : "";
  text += std::to_string(magnitude / 10);
  text += '.';
  text += static_cast<char>('0' + magnitude % 10);
  return text;
}

// floor(10 n / d + 1/2) = floor((20 n + d) / 2d).
Tenths RoundedTenths(std::int64_t numerator, std::int64_t denominator) {
  return {(20 * numerator + denominator) / (2 * denominator)};
}

}  // namespace wd
