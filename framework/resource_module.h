#pragma once
// The module every resource lookup uses: the program itself, or a resource-only library with
// the same ids in another language. Switched on the UI thread, read from any thread (the
// download thread loads its message texts). A library made current must stay loaded for as
// long as it may be current.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "framework/handles.h"

namespace fw {

class ResourceModule {
 public:
  static HMODULE Program() noexcept;
  static HMODULE Current() noexcept;
  // Null makes the program current again.
  static void SetCurrent(HMODULE module) noexcept;
  static bool IsProgramCurrent() noexcept { return Current() == Program(); }
};

// Maps a resource-only library as data: its resources are usable, none of its code runs, so a
// planted library beside the program cannot execute anything.
Module LoadResourceLibrary(const std::wstring& path);

// The string of `id` in `module`; nothing when the module has no such string.
std::optional<std::wstring> FindStringResource(HMODULE module, UINT id);

// The string of `id` from the current module, or the program's when the current module lacks
// it; empty when neither has it. Any length.
std::wstring LoadStringResource(UINT id);

// Icons at the given size (0, 0: the size stored in the resource). The first comes from the
// current module when it holds the icon, else from the program; the second always from the
// program (icons that must not change with the language).
Icon LoadIconResource(UINT id, int width = 0, int height = 0);
Icon LoadProgramIcon(UINT id, int width = 0, int height = 0);

// A bitmap as a DIB section, so 32-bit alpha survives; current module, else the program.
Bitmap LoadBitmapResource(UINT id);

// The bytes of dialog template `id`: current module, else the program.
std::optional<std::span<const std::byte>> FindDialogTemplate(UINT id);

}  // namespace fw
