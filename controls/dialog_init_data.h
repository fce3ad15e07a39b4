#pragma once
// A form's initialisation data: the list and combo box entries a template's resource block of
// type 240 (RT_DLGINIT) carries for its controls, under the template's own id. Each entry is
// control id (WORD), message (WORD), length (DWORD) and that many bytes of 8-bit text in the
// ANSI code page, ending with a control id of 0.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wd {

struct DialogInitEntry {
  int controlId = 0;
  UINT message = 0;  // LB_ADDSTRING or CB_ADDSTRING (16-bit codes translated)
  std::string text;  // up to its first zero byte
};

// The entries that add strings, in order; other messages are skipped. Nothing when the block
// runs past its end.
std::optional<std::vector<DialogInitEntry>> ParseDialogInitData(std::span<const std::byte> bytes);

// Sends the entries of template `templateId` (from the module that holds the template) to the
// controls of `dialog`. True when there are none or every control took its entry.
bool RunDialogInitData(HWND dialog, UINT templateId);

}  // namespace wd
