#include "app/settings.h"

#include <cwchar>
#include <optional>
#include <string>

#include "framework/handles.h"
#include "res/resource.h"

namespace wd {
namespace {

constexpr const wchar_t* kSetupKey = L"SOFTWARE\\pulsora pro\\setup";
constexpr const wchar_t* kLanguageValue = L"Language";
constexpr const wchar_t* kDataFolderValue = L"DataFolder";
constexpr const wchar_t* kArchiveFolderValue = L"ArchiveFolder";
// The settings store of the application framework: the registry-key text, the program's name
// and the workspace section.
constexpr const wchar_t* kLookKey =
    L"Software\\应用程序向导生成的本地应用程序\\wardDesk\\Workspace";

// A text value of the key, environment variables expanded; nothing when absent or of another type.
std::optional<std::wstring> ReadFolderText(HKEY root, const wchar_t* name) {
  const fw::RegKey key = fw::OpenRegistryKey(root, kSetupKey, KEY_READ);
  if (!key) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(::wcsnlen(text.c_str(), text.size()));
  if (type == REG_SZ) return text;
  const DWORD length = ::ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  std::wstring expanded(length, L'\0');
  if (length == 0 || ::ExpandEnvironmentStringsW(text.c_str(), expanded.data(), length) == 0) {
    return std::nullopt;
  }
  expanded.resize(::wcsnlen(expanded.c_str(), expanded.size()));
  return expanded;
}

}  // namespace

DataFolders CurrentDataFolders(const std::filesystem::path& programFolder) {
  DataFolderSettings settings;
  settings.machineDataFolder = ReadFolderText(HKEY_LOCAL_MACHINE, kDataFolderValue);
  settings.userArchiveFolder = ReadFolderText(HKEY_CURRENT_USER, kArchiveFolderValue);
  return ChooseDataFolders(settings, programFolder);
}

int ReadLanguageSetting() {
  const fw::RegKey key = fw::OpenRegistryKey(HKEY_CURRENT_USER, kSetupKey, KEY_ALL_ACCESS);
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
  const fw::RegKey key = fw::OpenRegistryKey(HKEY_CURRENT_USER, kSetupKey, KEY_ALL_ACCESS);
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
