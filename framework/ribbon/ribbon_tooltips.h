#pragma once
// The ribbon's tooltip control: one rectangular tool per element, text supplied on demand
// (TTN_GETDISPINFO) with the element's caption as title, tips at most 200 pixels wide.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace fw {

class RibbonTooltips {
 public:
  static constexpr int kMaxTipWidth = 200;

  RibbonTooltips() = default;
  ~RibbonTooltips() { Destroy(); }
  RibbonTooltips(const RibbonTooltips&) = delete;
  RibbonTooltips& operator=(const RibbonTooltips&) = delete;

  bool Create(HWND owner);
  void Destroy() noexcept;
  HWND hwnd() const noexcept { return tip_; }

  // Replaces every tool: (id, rectangle in the owner's client coordinates).
  void SetTools(const std::vector<std::pair<UINT_PTR, RECT>>& tools);
  // Mouse messages of the owner, so the control sees the pointer.
  void Relay(UINT message, WPARAM wParam, LPARAM lParam) const;
  void SetTitle(const std::wstring& title) const;

 private:
  HWND owner_ = nullptr;
  HWND tip_ = nullptr;
  std::vector<UINT_PTR> tools_;
};

}  // namespace fw
