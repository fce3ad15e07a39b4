#pragma once
// Draws one page of a report plan on any device context: the preview window and the printer run
// the same code, the plan's tenths of a millimetre scaled by the device's resolution (as a
// document view's OnDraw serves both screen and printer).
//
//   const PageTransform printer = PageTransform::ForDpi(dpiX, dpiY, POINT{-offsetX, -offsetY});
//   PaintReportPage(printerDc, plan, page, printer, L"SimSun");

#include <windows.h>

#include <array>
#include <cstddef>

#include "framework/gdi_objects.h"

#include "report/report_plan.h"

namespace wd {

struct PageTransform {
  double unitsPerTenthX;  // device units per tenth of a millimetre
  double unitsPerTenthY;
  POINT origin;  // where the paper's top-left corner lands on the device

  // A device of the given dots per inch (254 tenths of a millimetre to the inch).
  static PageTransform ForDpi(int dpiX, int dpiY, POINT origin) {
    return {dpiX / 254.0, dpiY / 254.0, origin};
  }
  int X(int tenths) const;
  int Y(int tenths) const;
  RECT Of(const Rect& rect) const;
  // A vertical distance, in device units.
  int Height(int tenths) const;
};

// One font per text role, sized for a device: made once for all the pages of a document, as a
// printer's driver may take each new font as one more to load.
class ReportFonts {
 public:
  ReportFonts(const PageTransform& transform, const wchar_t* face);
  HFONT Of(TextRole role) const { return fonts_[static_cast<std::size_t>(role)].get(); }

 private:
  std::array<fw::Font, 6> fonts_;
};

// The page's texts, its tables, charts and curves; the background is the caller's. `fonts` are
// for the same transform.
void PaintReportPage(HDC dc, const ReportPlan& plan, std::size_t page,
                     const PageTransform& transform, const ReportFonts& fonts);

// The font face the report uses in the user interface's language.
const wchar_t* ReportFontFace(bool chinese);

}  // namespace wd
