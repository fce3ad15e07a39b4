#pragma once
// Private window classes: one per combination of class style, cursor, background and icon,
// registered once and found again by name.
#include <windows.h>

#include <string>

namespace fw {

struct ClassLook {
  UINT style = 0;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;  // a system colour index + 1 is allowed, as for WNDCLASS
  HICON icon = nullptr;
};

// The class name to pass to Window::Create; empty when registration failed.
std::wstring RegisterPrivateClass(const ClassLook& look = ClassLook{});

}  // namespace fw
