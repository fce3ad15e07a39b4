#include "package_opener.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

namespace setup {

bool OpenWithShell(const std::wstring& packagePath) {
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"open", packagePath.c_str(), nullptr, nullptr, SW_SHOW);
  // Values above 32 mean success; anything else is an error code.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace setup
