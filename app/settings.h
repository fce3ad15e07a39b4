#pragma once
// The program's two per-user settings in the registry.

#include <windows.h>

namespace wd {

// "Language" under HKCU\SOFTWARE\pulsora pro\setup: 1 when the value is 1 or cannot be read
// (Chinese), 0 for any other number (English). The installer creates the key; the program
// only opens it.
int ReadLanguageSetting();
// Writes 1 (Chinese) or 0 (English) when the key exists; does nothing otherwise.
void WriteLanguageSetting(bool chinese);

// "ApplicationLook": which look command shows as checked; ID_LOOK_DEFAULT when absent. Only read.
int ReadApplicationLook();

}  // namespace wd
