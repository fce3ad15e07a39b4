#include "app/settings.h"

#include "framework/handles.h"
#include "res/resource.h"

namespace wd {
namespace {

constexpr const wchar_t* kLanguageKey = L"SOFTWARE\\pulsora pro\\setup";
constexpr const wchar_t* kLanguageValue = L"Language";
// The settings store of the application framework: the registry-key text, the program's name
// and the workspace section.
constexpr const wchar_t* kLookKey =
    L"Software\\应用程序向导生成的本地应用程序\\wardDesk\\Workspace";

}  // namespace

int ReadLanguageSetting() {
  const fw::RegKey key = fw::OpenRegistryKey(HKEY_CURRENT_USER, kLanguageKey, KEY_ALL_ACCESS);
  if (!key) return 1;
  DWORD value = 0;
  DWORD size = sizeof value;
  // The value's type is not checked: four bytes of any type count as the number.
  if (::RegQueryValueExW(key.get(), kLanguageValue, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) {
    return 1;
  }
  return value == 1 ? 1 : 0;
}

void WriteLanguageSetting(bool chinese) {
  const fw::RegKey key = fw::OpenRegistryKey(HKEY_CURRENT_USER, kLanguageKey, KEY_ALL_ACCESS);
  if (!key) return;
  const DWORD value = chinese ? 1 : 0;
  ::RegSetValueExW(key.get(), kLanguageValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
}

int ReadApplicationLook() {
  const fw::RegKey key = fw::OpenRegistryKey(HKEY_CURRENT_USER, kLookKey, KEY_READ);
  if (!key) return ID_LOOK_DEFAULT;
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  if (::RegQueryValueExW(key.get(), L"ApplicationLook", nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return ID_LOOK_DEFAULT;
  }
  return static_cast<int>(value);
}

}  // namespace wd
