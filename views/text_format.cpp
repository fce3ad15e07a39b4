#include "views/text_format.h"

namespace wd {

namespace {

// Each "%<letter>" replaced by the next value's text while values last.
template <typename Value, typename ToText>
std::wstring Replace(std::wstring_view format, wchar_t letter, std::initializer_list<Value> values,
                     ToText toText) {
  std::wstring text;
  auto next = values.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == L'%' && i + 1 < format.size() && format[i + 1] == letter &&
        next != values.end()) {
      text += toText(*next++);
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

}  // namespace

std::wstring FormatNumbers(std::wstring_view format, std::initializer_list<long long> numbers) {
  return Replace(format, L'd', numbers, [](long long number) { return std::to_wstring(number); });
}

std::wstring FormatText(std::wstring_view format, std::initializer_list<std::wstring_view> texts) {
  return Replace(format, L's', texts, [](std::wstring_view text) { return std::wstring(text); });
}

std::wstring WindowText(HWND control) {
  const int length = ::GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(control, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  const int length =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) {
    // Not UTF-8 (an id with stray bytes): show each byte as its Latin-1 character.
    return std::wstring(text.begin(), text.end());
  }
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
  return wide;
}

std::wstring Widen(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string ToU16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace wd
