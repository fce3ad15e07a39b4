#include "resource_modules.h"

#include "resource.h"

namespace wd::test {

const std::vector<ResourceId>& StringIds() {
  static const std::vector<ResourceId> ids = {
#include "string_ids.inc"
  };
  return ids;
}

HMODULE ProgramModule() { return GetModuleHandleW(nullptr); }

std::wstring EnglishLibraryPath() {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  path.erase(path.find_last_of(L"\\/") + 1);
  return path + L"rc_en.dll";
}

HMODULE EnglishModule() {
  static const HMODULE module = LoadLibraryW(EnglishLibraryPath().c_str());
  return module;
}

std::vector<Language> BothLanguages() {
  std::vector<Language> languages{{"Chinese", ProgramModule()}};
  if (EnglishModule()) languages.push_back({"English", EnglishModule()});
  return languages;
}

std::wstring LoadText(HMODULE module, int id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                      nullptr, nullptr);
  return result;
}

}  // namespace wd::test
