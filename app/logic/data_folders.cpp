#include "app/logic/data_folders.h"

#include <cwctype>

namespace wd {

std::optional<std::wstring> AbsoluteWindowsFolder(std::wstring_view text) {
  const bool drive = text.size() >= 3 && std::iswalpha(text[0]) && text[1] == L':' &&
                     (text[2] == L'\\' || text[2] == L'/');
  const bool share = text.size() >= 3 && text.substr(0, 2) == L"\\\\" && text[2] != L'\\';
  if (!drive && !share) return std::nullopt;
  std::wstring folder(text);
  // "C:\" keeps its backslash: without it the text names the drive's current folder.
  const std::size_t keep = drive ? 3 : 2;
  while (folder.size() > keep && (folder.back() == L'\\' || folder.back() == L'/')) {
    folder.pop_back();
  }
  return folder;
}

DataFolders ChooseDataFolders(const DataFolderSettings& settings,
                              const std::filesystem::path& programFolder) {
  std::filesystem::path data = programFolder;
  if (settings.machineDataFolder) {
    if (const auto folder = AbsoluteWindowsFolder(*settings.machineDataFolder)) data = *folder;
  }
  std::filesystem::path archive = data / L"Archive";
  if (settings.userArchiveFolder) {
    if (const auto folder = AbsoluteWindowsFolder(*settings.userArchiveFolder)) archive = *folder;
  }
  return {std::move(data), std::move(archive)};
}

}  // namespace wd
