#pragma once
// The report view's picture of one page: the page drawn white on grey, as large as the window
// lets it stand whole, by the same painter the printer uses. Takes over the static control
// that stands in its place in the form.

#include <windows.h>

#include <cstddef>

#include "framework/gdi_objects.h"
#include "framework/window.h"
#include "report/report_plan.h"

namespace wd {

class ReportPreview : public fw::Window {
 public:
  // Shows `page` of `plan` (not owned; null shows nothing) in `fontFace`.
  void Show(const ReportPlan* plan, std::size_t page, const wchar_t* fontFace);

  // Where the page stands in the window's client area (empty without a page).
  RECT PageRect() const;

 protected:
  void OnPaint() override;
  bool OnEraseBackground(HDC dc) override;
  void OnSize(UINT type, int width, int height) override;

 private:
  const ReportPlan* plan_ = nullptr;
  std::size_t page_ = 0;
  const wchar_t* fontFace_ = L"Arial";
};

}  // namespace wd
