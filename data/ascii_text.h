#pragma once
// ASCII text (numbers, dates, times, ids) as the UTF-16 that windows and the report show.

#include <concepts>
#include <string>
#include <string_view>

namespace wd {

inline std::u16string AsciiText(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

template <std::integral Number>
std::u16string NumberText(Number value) {
  return AsciiText(std::to_string(value));
}

}  // namespace wd
