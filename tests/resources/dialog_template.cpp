#include "dialog_template.h"

#include "framework/dialog_template.h"

namespace wd::test {
namespace {

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

const TemplateControl* DialogTemplate::Find(int id) const {
  const int index = IndexOf(id);
  return index < 0 ? nullptr : &controls[static_cast<size_t>(index)];
}

int DialogTemplate::IndexOf(int id) const {
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

// The program's own reader parses the bytes; this only holds its findings in the tests' terms.
std::optional<DialogTemplate> LoadDialogTemplate(HMODULE module, int id) {
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
  if (!info) return std::nullopt;
  HGLOBAL handle = LoadResource(module, info);
  const auto* bytes = static_cast<const std::byte*>(handle ? LockResource(handle) : nullptr);
  if (!bytes) return std::nullopt;
  const auto parsed = fw::DialogTemplate::Parse(std::span(bytes, SizeofResource(module, info)));
  if (!parsed || !parsed->IsExtended()) return std::nullopt;

  DialogTemplate dialog;
  dialog.style = parsed->Style();
  dialog.cx = static_cast<short>(parsed->Width());
  dialog.cy = static_cast<short>(parsed->Height());
  dialog.caption = Wide(parsed->Caption());
  dialog.pointSize = parsed->PointSize().value_or(0);
  dialog.fontFace = Wide(parsed->FaceName());
  for (const fw::DialogControl& control : parsed->Controls()) {
    dialog.controls.push_back({control.style, control.exStyle, control.x, control.y, control.cx,
                               control.cy, control.id, Wide(control.className),
                               Wide(control.text)});
  }
  return dialog;
}

}  // namespace wd::test
