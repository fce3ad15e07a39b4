#include "launcher_rules.h"

#include "resource.h"

namespace setup {

namespace {
constexpr int kLargestLanguageId = 0xFFFF;
}

int LanguageIdFromFolderName(std::wstring_view name) {
  int value = 0;
  for (const wchar_t c : name) {
    if (c < L'0' || c > L'9') break;
    value = value * 10 + (c - L'0');
    if (value > kLargestLanguageId) return 0;  // also keeps long digit runs from overflowing
  }
  return value;
}

std::wstring FolderOfProgram(std::wstring_view programPath) {
  const auto slash = programPath.rfind(L'\\');
  if (slash == std::wstring_view::npos) return {};
  return std::wstring(programPath.substr(0, slash + 1));
}

std::wstring PackagePath(std::wstring_view folder, int languageId) {
  std::wstring path(folder);
  path += std::to_wstring(languageId);
  path += L"\\Setup.msi";
  return path;
}

std::optional<std::wstring> PackageForSelection(std::wstring_view folder, int selectedIndex,
                                                std::intptr_t itemData) {
  if (selectedIndex < 0 || itemData <= 0 || itemData > kLargestLanguageId) return std::nullopt;
  return PackagePath(folder, static_cast<int>(itemData));
}

int DialogTemplateFor(unsigned systemLanguageId) {
  return systemLanguageId == kChineseLanguageId ? IDD_SETUP_CHINESE : IDD_SETUP_ENGLISH;
}

}  // namespace setup
