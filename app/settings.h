#pragma once
// The program's two per-user settings in the registry, and the per-machine data folder.

#include <windows.h>

#include <filesystem>

#include "app/logic/data_folders.h"

namespace wd {

// "Language" under HKCU\SOFTWARE\pulsora pro\setup: 1 when the value is 1 or cannot be read
// (Chinese), 0 for any other number (English). The installer creates the key; the program
// only opens it.
int ReadLanguageSetting();
// Writes 1 (Chinese) or 0 (English) when the key exists; does nothing otherwise.
void WriteLanguageSetting(bool chinese);

// "ApplicationLook": which look command shows as checked; ID_LOOK_DEFAULT when absent. Only read.
int ReadApplicationLook();

// The folders of the patient register and the archive for a program in `programFolder`, by the
// per-machine "DataFolder" under HKLM\SOFTWARE\pulsora pro\setup when the package wrote one and
// the user's "ArchiveFolder" beside "Language".
DataFolders CurrentDataFolders(const std::filesystem::path& programFolder);

}  // namespace wd
