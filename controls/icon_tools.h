#pragma once
// What the image button needs to know about an icon, and its grey copy.
#include <windows.h>

#include <optional>

#include "framework/handles.h"

namespace wd {

// The icon's width and height, taken as twice its hot spot (an icon's hot spot is its centre);
// nothing when the system cannot describe the handle.
std::optional<SIZE> IconSizeFromHotSpot(HICON icon);

// A grey copy of `icon` at the size above: every pixel that is not pure black becomes the grey
// of its colour, black stays black; the source's mask and alpha are kept. Empty when the source
// cannot be described or a bitmap or device context cannot be made.
fw::Icon MakeGreyIcon(HICON icon);

}  // namespace wd
