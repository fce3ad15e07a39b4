#pragma once
// Where the program keeps what it writes: the patient register and the archive.

#include <filesystem>
#include <optional>
#include <string>

namespace wd {

// The registry values that move the folders away from the program's own folder.
struct DataFolderSettings {
  // "DataFolder" under HKLM\SOFTWARE\pulsora pro\setup, written by the per-machine package,
  // whose program folder users cannot write.
  std::optional<std::wstring> machineDataFolder{};
  // "ArchiveFolder" under HKCU\SOFTWARE\pulsora pro\setup: the user's own archive, a share's
  // folder for instance.
  std::optional<std::wstring> userArchiveFolder{};
};

struct DataFolders {
  std::filesystem::path data;     // the patient register "UserDA.dat"
  std::filesystem::path archive;  // the download archive
};

// The data folder is the machine's "DataFolder" when it names an absolute path (a drive's or
// a share's), else the program's folder; the archive is the user's "ArchiveFolder" when it names
// an absolute path, else "Archive" under the data folder.
DataFolders ChooseDataFolders(const DataFolderSettings& settings,
                              const std::filesystem::path& programFolder);

// An absolute Windows path ("C:\..." or "\\server\share\...") without its trailing backslashes;
// nothing for a relative, empty or drive-relative text.
std::optional<std::wstring> AbsoluteWindowsFolder(std::wstring_view text);

}  // namespace wd
