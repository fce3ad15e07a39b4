#include "views/text_format.h"

namespace wd {

std::wstring FormatNumbers(std::wstring_view format, std::initializer_list<long long> numbers) {
  std::wstring text;
  auto next = numbers.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == L'%' && i + 1 < format.size() && format[i + 1] == L'd' && next != numbers.end()) {
      text += std::to_wstring(*next++);
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) {
    // Not UTF-8 (an id with stray bytes): show each byte as its Latin-1 character.
    return std::wstring(text.begin(), text.end());
  }
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::wstring Widen(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string ToU16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace wd
