#pragma once
// Open and save file dialogs with an MFC-style filter ("Check Files (*.cDat)|*.cDat||").
#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>
#include <string_view>

namespace fw {

struct FileDialogOptions {
  HWND owner = nullptr;
  std::wstring title;
  std::wstring filter;            // pairs of "description|pattern|", ending with "|"
  std::wstring defaultExtension;  // without the dot, added when the user types none
  std::wstring initialName;
  std::wstring initialFolder;  // empty: the current directory
  DWORD flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING;
};

// The chosen path (any length), or nothing when the user cancelled or the dialog failed.
std::optional<std::wstring> ShowOpenFileDialog(const FileDialogOptions& options);
std::optional<std::wstring> ShowSaveFileDialog(const FileDialogOptions& options);

// "A|*.a|B|*.b||" becomes "A\0*.a\0B\0*.b\0\0" (the double-null list the dialogs read). A
// filter without its closing bars is closed; a dangling description without a pattern is
// dropped, since the dialog would pair it with whatever follows.
std::wstring FilterToDoubleNull(std::wstring_view filter);

}  // namespace fw
