#pragma once
// The colour every view shows behind its forms, labels, lists and image buttons.

#include <windows.h>

namespace wd {

inline constexpr COLORREF kViewBackground = RGB(180, 200, 255);

}  // namespace wd
