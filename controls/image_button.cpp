#include "controls/image_button.h"

#include <utility>

#include "controls/icon_tools.h"
#include "controls/logic/color_math.h"

namespace wd {
namespace {

// The type bits as the button keeps them; 0x10 is no type, so clearing it changes nothing real.
constexpr LONG_PTR kTypeBits = 0x1F;

}  // namespace

CButtonST::CButtonST() {
  // Read once: a later change of the system colours does not reach a configured button.
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
  m_clr = {face, text, face, text, face, text};
}

CButtonST::~CButtonST() = default;

void CButtonST::FreeIcons() noexcept {
  for (IconEntry& entry : m_icon) {
    entry.handle.reset();
    entry.size = SIZE{0, 0};
  }
}

bool CButtonST::StoreIcon(IconSlot slot, fw::Icon icon) {
  if (!icon) return true;
  const auto size = IconSizeFromHotSpot(icon.get());
  if (!size) return false;
  m_icon[slot].handle = std::move(icon);
  m_icon[slot].size = *size;
  return true;
}

DWORD CButtonST::SetIcons(fw::Icon idle, fw::Icon active) {
  FreeIcons();
  const bool stored = StoreIcon(kIdle, std::move(idle)) && StoreIcon(kActive, std::move(active));
  if (!stored) FreeIcons();  // the icons given but not stored go with their wrappers
  Repaint();
  return stored ? kOk : kInvalidResource;
}

DWORD CButtonST::SetIcons(fw::Icon idle, AutomaticGrey) {
  FreeIcons();
  if (!StoreIcon(kIdle, std::move(idle))) {
    FreeIcons();
    Repaint();
    return kInvalidResource;
  }
  // A grey copy that cannot be made leaves no active icon: the button then shows its caption only.
  StoreIcon(kActive, MakeGreyIcon(IdleIcon()));
  Repaint();
  return kOk;
}

bool CButtonST::SetColor(int index, COLORREF colour) {
  if (index < 0 || index >= kColorCount) return false;
  m_clr[static_cast<std::size_t>(index)] = colour;
  Repaint();
  return true;
}

COLORREF CButtonST::GetColor(int index) const noexcept {
  return index >= 0 && index < kColorCount ? m_clr[static_cast<std::size_t>(index)] : CLR_INVALID;
}

DWORD CButtonST::ShiftHoverBackground(int offset) {
  const COLORREF hover = m_clr[kHoverBackground];
  const auto shifted =
      ShiftBrightness(Rgb{GetRValue(hover), GetGValue(hover), GetBValue(hover)}, offset);
  if (!shifted) return kBadParam;
  m_clr[kHoverBackground] = RGB(shifted->red, shifted->green, shifted->blue);
  Repaint();
  return kOk;
}

void CButtonST::SetFlat(bool flat) {
  m_bFlat = flat;
  if (!flat) m_bHover = false;  // a raised button never hovers, so nothing would end it
  Repaint();
}

bool CButtonST::SetImageAlignment(std::uint8_t alignment) {
  if (alignment != kImageLeft && alignment != kImageAbove) return false;
  m_nImageAlign = alignment;
  Repaint();
  return true;
}

void CButtonST::SetAlwaysTrack(bool always) { m_bTrackAlways = always; }

void CButtonST::DrawBorder(bool draw) {
  m_bBorder = draw;
  Repaint();
}

void CButtonST::DrawFlatFocus(bool draw) {
  m_bFlatFocusRect = draw;
  Repaint();
}

void CButtonST::OnAttached() {
  const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
  if ((style & kTypeBits) == BS_DEFPUSHBUTTON) m_bDefaultButton = true;
  ::SetWindowLongPtrW(hwnd(), GWL_STYLE, (style & ~kTypeBits) | BS_OWNERDRAW);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT CButtonST::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      // An owner-drawn button is no push button to the dialog manager unless it says so.
      return Default() | (m_bDefaultButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE: {
      // The dialog manager moves the default-button look by restyling; stay owner-drawn.
      const auto type = static_cast<LONG_PTR>(wParam) & kTypeBits;
      if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
        m_bDefaultButton = type == BS_DEFPUSHBUTTON;
      CallDefault(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(kTypeBits)) | BS_OWNERDRAW, lParam);
      return 0;
    }
    default: return Window::HandleMessage(message, wParam, lParam);
  }
}

bool CButtonST::OnReflectedDrawItem(DRAWITEMSTRUCT& item) {
  DrawButton(item);
  return true;
}

HBRUSH CButtonST::OnReflectedCtlColor(HDC, UINT) {
  // Nothing is painted behind the owner drawing.
  return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

bool CButtonST::OnReflectedCommand(UINT code) {
  if (code == BN_CLICKED) ::SetFocus(hwnd());
  return false;  // the parent runs the command
}

void CButtonST::OnMouseMove(UINT keys, POINT) {
  Default();
  POINT cursor{};
  ::GetCursorPos(&cursor);
  const HWND under = ::WindowFromPoint(cursor);
  // A drag that started elsewhere does not light the button up.
  if ((keys & MK_LBUTTON) != 0 && !m_bHover) return;
  if (!m_bFlat) return;
  const HWND tracking = m_bTrackAlways ? hwnd() : ::GetActiveWindow();
  if (under == hwnd() && tracking != nullptr) {
    if (m_bHover) return;
    m_bHover = true;
    Repaint();
    TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, hwnd(), 0};
    ::TrackMouseEvent(&leave);
    return;
  }
  CancelHover();
}

void CButtonST::CancelHover() {
  if (!m_bFlat || !m_bHover) return;
  m_bHover = false;
  Repaint();
}

void CButtonST::OnMouseLeave() { CancelHover(); }

void CButtonST::OnCancelMode() {
  Default();
  CancelHover();
}

void CButtonST::OnKillFocus(HWND) {
  Default();
  CancelHover();
}

void CButtonST::OnActivate(UINT state, HWND, bool) {
  Default();
  if (state == WA_INACTIVE) CancelHover();
}

void CButtonST::OnEnable(bool enabled) {
  Default();
  if (enabled) return;
  // Disabling a focused control drops the focus; hand it on so the keyboard keeps working.
  // A focus held by another control stays where the user put it.
  const HWND focus = ::GetFocus();
  const HWND parent = ::GetParent(hwnd());
  if (parent != nullptr && (focus == nullptr || focus == hwnd())) {
    const HWND next = ::GetNextDlgTabItem(parent, hwnd(), FALSE);
    ::SetFocus(next != nullptr && next != hwnd() ? next : parent);
  }
  CancelHover();
}

void CButtonST::OnLButtonDblClk(UINT keys, POINT point) {
  // The control would report a double-click; a second press makes it a second click.
  CallDefault(WM_LBUTTONDOWN, keys, MAKELPARAM(point.x, point.y));
}

}  // namespace wd
