#pragma once
// The look of every data list's header row: white centred titles and white column separators
// on RGB(0, 50, 183), and no sizing, clicking or dragging of columns.

#include <windows.h>

#include "framework/window.h"

namespace wd {

inline constexpr COLORREF kHeaderColour = RGB(0, 50, 183);

// Attached to a list's header, it takes over the header's painting and mouse handling; the
// header's own procedure does the rest (layout, items, the list's queries).
class ListHeaderPainter : public fw::Window {
 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
};

}  // namespace wd
