#pragma once
// An extended dialog template (DLGTEMPLATEEX) as the resource compiler stored it, read by the
// program's own reader (fw::DialogTemplate), so the tests can compare the two languages'
// templates control by control.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace wd::test {

struct TemplateControl {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  int id = 0;
  std::wstring className;  // "Button", "Edit", ... for the predefined ordinals
  std::wstring text;
};

struct DialogTemplate {
  DWORD style = 0;
  short cx = 0, cy = 0;
  std::wstring caption;
  WORD pointSize = 0;
  std::wstring fontFace;
  std::vector<TemplateControl> controls;

  const TemplateControl* Find(int id) const;
  // Position of the control in window order, or -1.
  int IndexOf(int id) const;
};

// The template of dialog `id` in `module`; nothing when it is missing or not an extended
// template, or when its bytes end early.
std::optional<DialogTemplate> LoadDialogTemplate(HMODULE module, int id);

}  // namespace wd::test
