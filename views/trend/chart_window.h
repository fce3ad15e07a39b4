#pragma once
// One trend chart window, and the three kinds of the trend view. The common base is a static
// control of the trend view's form, taken over by subclassing, that draws one person's
// monitoring records as a curve over time, one pixel column per record. The curve is planned
// once for an off-screen picture; a paint draws the fixed parts (title, value axis, legend) and
// copies the visible slice of the picture.

#include <windows.h>

#include "data/patient_store.h"
#include "framework/window.h"
#include "views/logic/trend_plan.h"
#include "views/trend/chart_picture.h"

namespace wd {

class CTrendChart : public fw::Window {
 public:
  // The person's records (not owned; the store keeps them in place while the window lives) and
  // the number of monitoring records among them. Null: the chart shows its grid only.
  void SetData(const RecordList* list, int recordCount);
  // Plans the whole curve once and prepares its picture (tiles are drawn as paints first need
  // them, from the plan alone). The list is read under the store's lock, which is released
  // before anything is drawn or reported, so the caller must not hold an access to the store.
  // Failures ("GetDC Failed!", "Create dc failed!", "Create bitmap failed!") are shown in a
  // message box and leave the plot area empty; the result says whether a picture exists.
  bool BuildTrendBitmap(const PatientStore& store);

  // Picture column shown at the plot's left edge. The caller repaints.
  void SetScrollOffset(int pixels) { scrollOffset_ = pixels; }
  int ScrollOffset() const { return scrollOffset_; }
  int RecordCount() const { return recordCount_; }
  TrendChartKind Kind() const { return kind_; }
  bool HasPicture() const { return surface_.Exists(); }
  std::size_t TileCount() const { return surface_.TileCount(); }

  // How the picture is stored; applies to the next build.
  void SetSurfaceOptions(const TrendSurfaceOptions& options) { surfaceOptions_ = options; }

 protected:
  explicit CTrendChart(TrendChartKind kind) : kind_(kind) {}

  void OnPaint() override;
  bool OnEraseBackground(HDC dc) override;
  // Drawn after the value axis, with the axis font selected.
  virtual void DrawLegend(HDC /*dc*/, int /*clientWidth*/) {}

 private:
  void PaintChart(HDC dc, int width, int bottom);
  void ReportFailure(const wchar_t* text) const;

  const TrendChartKind kind_;
  const RecordList* records_ = nullptr;
  int recordCount_ = 0;
  int scrollOffset_ = 0;
  TrendSurface surface_;
  TrendSurfaceOptions surfaceOptions_;
};

// The three charts of the trend view: SpO2 (70-100 %), pulse rate (0-250) and NIBP (0-300 mmHg,
// systolic and diastolic with a legend).
class CTrendSPO2 final : public CTrendChart {
 public:
  CTrendSPO2() : CTrendChart(TrendChartKind::Spo2) {}
};

class CTrendPR final : public CTrendChart {
 public:
  CTrendPR() : CTrendChart(TrendChartKind::PulseRate) {}
};

class CTrendNIBP final : public CTrendChart {
 public:
  CTrendNIBP() : CTrendChart(TrendChartKind::Nibp) {}

 protected:
  void DrawLegend(HDC dc, int clientWidth) override;
};

}  // namespace wd
