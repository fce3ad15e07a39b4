#include "framework/window_class.h"

#include <cwchar>

#include "framework/resource_module.h"
#include "framework/window.h"

namespace fw {

std::wstring RegisterPrivateClass(const ClassLook& look) {
  wchar_t name[96];
  std::swprintf(name, std::size(name), L"wd.fw:%x:%p:%p:%p", look.style,
                static_cast<void*>(look.cursor), static_cast<void*>(look.background),
                static_cast<void*>(look.icon));
  const HINSTANCE instance = ResourceModule::Program();
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExW(instance, name, &existing)) return name;

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = look.style;
  wc.lpfnWndProc = Window::ClassProcedure();
  wc.hInstance = instance;
  wc.hCursor = look.cursor;
  wc.hbrBackground = look.background;
  wc.hIcon = look.icon;
  wc.lpszClassName = name;
  if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return std::wstring();
  return name;
}

}  // namespace fw
