#pragma once
// CButtonST: an owner-drawn push button with an icon and a caption, attached to a button of a
// form's template. It paints background, border, icon and caption in colours chosen per state,
// shows its active icon while hovered or pressed, and is either flat (a border only while
// hovered) or raised.
//
//   BindControl(1010, exitButton_);
//   exitButton_.SetIcons(fw::LoadIconResource(355), wd::CButtonST::kAutomaticGrey);
//   exitButton_.SetColor(wd::CButtonST::kHoverText, RGB(255, 255, 255));
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "framework/handles.h"
#include "framework/window.h"

namespace wd {

class CButtonST : public fw::Window {
 public:
  // Entries of m_clr.
  enum ColorIndex : int {
    kHoverBackground = 0,  // also while pressed
    kHoverText = 1,        // also while pressed
    kNormalBackground = 2,
    kNormalText = 3,
    kFocusBackground = 4,  // focused, neither hovered nor pressed
    kFocusText = 5,        // kept for completeness; the caption never uses it
    kColorCount = 6,
  };
  static constexpr std::uint8_t kImageLeft = 0;   // image left of the caption
  static constexpr std::uint8_t kImageAbove = 1;  // image above the caption (or centred alone)

  // Results of SetIcons and ShiftHoverBackground.
  static constexpr DWORD kOk = 0;
  static constexpr DWORD kInvalidResource = 1;
  static constexpr DWORD kBadParam = 5;

  // The request for a grey copy of the idle icon as the active icon. A type of its own, so it
  // can never be mistaken for an icon handle.
  struct AutomaticGrey {};
  static constexpr AutomaticGrey kAutomaticGrey{};

  CButtonST();
  ~CButtonST() override;

  // Takes ownership of both icons (either may be empty). Kept icons are released first; when
  // the system cannot describe a given icon, both are released and the result is
  // kInvalidResource.
  DWORD SetIcons(fw::Icon idle, fw::Icon active);
  DWORD SetIcons(fw::Icon idle, AutomaticGrey);
  // False (nothing stored) for an index outside the table.
  bool SetColor(int index, COLORREF colour);
  COLORREF GetColor(int index) const noexcept;
  // Brightens (> 0) or darkens (< 0) the hover background without changing its hue;
  // kBadParam, and no change, outside -255..255.
  DWORD ShiftHoverBackground(int offset);
  void SetFlat(bool flat);
  // kImageLeft or kImageAbove; false for anything else.
  bool SetImageAlignment(std::uint8_t alignment);
  // Hover tracking also while no window of this thread is active (the default).
  void SetAlwaysTrack(bool always);
  // The flat button's border while hovered or pressed (the default).
  void DrawBorder(bool draw);
  // A focus rectangle on a flat button too (off by default).
  void DrawFlatFocus(bool draw);

  bool IsHovering() const noexcept { return m_bHover; }
  bool IsFlat() const noexcept { return m_bFlat; }
  bool IsDefaultButton() const noexcept { return m_bDefaultButton; }
  HICON ActiveIcon() const noexcept { return m_icon[kActive].handle.get(); }
  HICON IdleIcon() const noexcept { return m_icon[kIdle].handle.get(); }
  SIZE IconSize(bool active) const noexcept { return m_icon[active ? kActive : kIdle].size; }

 protected:
  virtual void PaintBackground(HDC dc, const RECT& rect);
  virtual void PaintBorder(HDC dc, const RECT& rect);

  void OnAttached() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnReflectedDrawItem(DRAWITEMSTRUCT& item) override;
  HBRUSH OnReflectedCtlColor(HDC dc, UINT ctlColorMessage) override;
  bool OnReflectedCommand(UINT code) override;
  void OnMouseMove(UINT keys, POINT point) override;
  void OnMouseLeave() override;
  void OnCancelMode() override;
  void OnKillFocus(HWND next) override;
  void OnActivate(UINT state, HWND other, bool minimized) override;
  void OnEnable(bool enabled) override;
  void OnLButtonDblClk(UINT keys, POINT point) override;

 private:
  struct IconEntry {
    fw::Icon handle;
    SIZE size{0, 0};
  };
  enum IconSlot { kActive = 0, kIdle = 1 };

  void FreeIcons() noexcept;
  bool StoreIcon(IconSlot slot, fw::Icon icon);
  void CancelHover();
  void Repaint() const noexcept { Invalidate(true); }

  // Drawing steps of one paint (image_button_draw.cpp).
  void DrawButton(const DRAWITEMSTRUCT& item);
  void DrawRaisedEdge(HDC dc, const RECT& rect) const;
  // Draws the icon and returns the area left for the caption.
  RECT DrawIcon(HDC dc, const RECT& item, bool hasCaption) const;
  void DrawCaption(HDC dc, RECT area, const std::wstring& caption) const;

  bool m_bFlat = true;
  bool m_bHover = false;
  bool m_bDown = false;
  bool m_bHasFocus = false;
  bool m_bGrayed = false;
  bool m_bDefaultButton = false;
  std::uint8_t m_nImageAlign = kImageLeft;
  bool m_bBorder = true;
  bool m_bFlatFocusRect = false;
  std::array<COLORREF, kColorCount> m_clr{};
  bool m_bTrackAlways = true;
  std::array<IconEntry, 2> m_icon;
};

}  // namespace wd
