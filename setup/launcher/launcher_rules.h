// The launcher's decisions, kept free of Win32 so they can be tested on their own.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace setup {

// Installed languages: language identifier -> the language's own name for itself.
using LanguageTable = std::map<int, std::wstring>;

inline constexpr int kChineseLanguageId = 2052;

// The language identifier a folder name stands for: its leading decimal digits ("1033",
// "01033", "2052_old"). 0 when there are none or they exceed the 16-bit identifier range.
int LanguageIdFromFolderName(std::wstring_view name);

// The folder of a program path, up to and including its last backslash.
std::wstring FolderOfProgram(std::wstring_view programPath);

// "<folder><id>\Setup.msi"; the folder ends with a backslash.
std::wstring PackagePath(std::wstring_view folder, int languageId);

// The package to open for a list selection, or nothing when no language was chosen
// (an empty list reports index -1).
std::optional<std::wstring> PackageForSelection(std::wstring_view folder, int selectedIndex,
                                                std::intptr_t itemData);

// The dialog template shown for the system's default language.
int DialogTemplateFor(unsigned systemLanguageId);

}  // namespace setup
