#include "language_search.h"

#include "win32_handles.h"

namespace setup {

std::optional<std::wstring> SystemNativeLanguageName(int languageId) {
  wchar_t name[260] = {};
  const LCID locale = MAKELCID(static_cast<LANGID>(languageId), SORT_DEFAULT);
  if (GetLocaleInfoW(locale, LOCALE_SNATIVELANGNAME, name, 260) == 0 || name[0] == L'\0')
    return std::nullopt;
  return std::wstring(name);
}

LanguageTable FindInstalledLanguages(const std::wstring& folder,
                                     const NativeNameLookup& nativeName) {
  LanguageTable table;
  const std::wstring pattern = folder + L"*.*";
  WIN32_FIND_DATAW entry{};
  FindHandle search(FindFirstFileW(pattern.c_str(), &entry));
  if (!search) return table;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    const int languageId = LanguageIdFromFolderName(entry.cFileName);
    if (languageId == 0) continue;
    if (auto name = nativeName(languageId)) table[languageId] = std::move(*name);
  } while (FindNextFileW(search.get(), &entry));
  return table;
}

}  // namespace setup
