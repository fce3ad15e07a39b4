// The launcher's About box.
#pragma once

#include <windows.h>

namespace setup {

void ShowAboutBox(HINSTANCE resources, HWND owner);

}  // namespace setup
