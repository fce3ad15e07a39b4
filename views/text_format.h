#pragma once
// Texts the views build from string-table formats and record fields.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace wd {

// Replaces each "%d" of a string-table format by the next number, in order. A translation with
// another placeholder prints it as it stands instead of reading a missing argument.
std::wstring FormatNumbers(std::wstring_view format, std::initializer_list<long long> numbers);
// The same for each "%s" and the next text.
std::wstring FormatText(std::wstring_view format, std::initializer_list<std::wstring_view> texts);

// A control's whole text.
std::wstring WindowText(HWND control);

// UTF-8 or ASCII bytes (record texts, ids) to the window's UTF-16.
std::wstring Widen(std::string_view text);
std::wstring Widen(std::u16string_view text);
std::u16string ToU16(std::wstring_view text);

}  // namespace wd
