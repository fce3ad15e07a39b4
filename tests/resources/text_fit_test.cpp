// Every caption of every dialog, created as the program creates it, fits its control in both
// languages: no clipped label, no word cut off at a button's edge.

#include <gtest/gtest.h>

#include <string>

#include "dialog_host.h"
#include "resource.h"
#include "resource_modules.h"

namespace wd::test {
namespace {

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The rectangle `text` needs in the control's font when laid out within `width` pixels.
SIZE Measure(HWND control, const std::wstring& text, int width, UINT flags) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            flags | DT_CALCRECT | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {rect.right, rect.bottom};
}

// The space a control's caption may use, in its client coordinates, and how it is laid out.
struct CaptionBox {
  int width;
  int height;
  UINT flags;
};

// Home buttons become image buttons: the icon sits at the left, the caption wraps in the rest.
int HomeIconWidth(int id) { return id == IDC_EXIT ? 64 : 90; }

bool CaptionBoxOf(HWND control, int dialogId, CaptionBox* box) {
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
  RECT client{};
  GetClientRect(control, &client);
  const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
  if (_wcsicmp(className, L"Static") == 0) {
    const DWORD type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT) return false;
    const UINT layout = (style & SS_CENTERIMAGE) ? DT_SINGLELINE : DT_WORDBREAK;
    *box = {client.right, client.bottom, layout | prefix};
    return true;
  }
  if (_wcsicmp(className, L"Button") != 0) return false;
  const DWORD type = style & BS_TYPEMASK;
  if (type == BS_GROUPBOX) {
    *box = {client.right - 16, client.bottom, DT_SINGLELINE};  // the frame's corners
    return true;
  }
  if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) return false;
  if (dialogId == IDD_HOME_VIEW) {
    const int id = GetDlgCtrlID(control);
    *box = {client.right - HomeIconWidth(id) - 6, client.bottom, DT_WORDBREAK};
    return true;
  }
  const UINT layout = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  *box = {client.right - 8, client.bottom - 4, layout};  // the button's edges
  return true;
}

TEST(TextFit, EveryCaptionFitsItsControl) {
  const int dialogs[] = {IDD_ABOUTBOX,  IDD_MONITOR_LIST_VIEW, IDD_CHECK_LIST_VIEW,
                         IDD_HOME_VIEW, IDD_TREND_VIEW,        IDD_ARCHIVE_VIEW};
  int measured = 0;
  for (const auto& language : BothLanguages()) {
    for (int id : dialogs) {
      HostWindow host(/*visible=*/false);
      HostedDialog hosted(language.module, id, host);
      ASSERT_NE(hosted.get(), nullptr) << language.name << " dialog " << id;
      for (HWND child = GetWindow(hosted.get(), GW_CHILD); child;
           child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = WindowText(child);
        CaptionBox box{};
        if (text.empty() || !CaptionBoxOf(child, id, &box)) continue;
        const SIZE need = Measure(child, text, box.width, box.flags);
        ++measured;
        EXPECT_LE(need.cx, box.width)
            << language.name << " dialog " << id << ": \"" << Narrow(text) << "\" is too wide";
        EXPECT_LE(need.cy, box.height)
            << language.name << " dialog " << id << ": \"" << Narrow(text) << "\" is too tall";
      }
    }
  }
  EXPECT_GT(measured, 80);
}

}  // namespace
}  // namespace wd::test
