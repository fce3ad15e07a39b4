#include "device/port_name.h"

#include <climits>

namespace wd {

bool IsMonitorDeviceName(std::wstring_view name) {
  return name.find(L"\\Device") != std::wstring_view::npos &&
         name.find(L"VCP") != std::wstring_view::npos;
}

int PortNumberFromPortName(std::wstring_view portName) {
  if (portName.size() <= 3) return 0;
  std::wstring_view rest = portName.substr(3);
  std::size_t at = 0;
  auto isBlank = [](wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); };
  while (at < rest.size() && isBlank(rest[at])) ++at;
  bool negative = false;
  if (at < rest.size() && (rest[at] == L'+' || rest[at] == L'-')) negative = rest[at++] == L'-';
  long long value = 0;
  for (; at < rest.size() && rest[at] >= L'0' && rest[at] <= L'9'; ++at) {
    value = value * 10 + (rest[at] - L'0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace wd
