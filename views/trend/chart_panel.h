#pragma once
// The trend view's lower part: the SpO2, pulse-rate and NIBP charts stacked one over the other
// and the time bar that moves all three along the time axis, an hour of records a step.

#include <windows.h>

#include <array>
#include <functional>

#include "framework/form_view.h"
#include "views/logic/trend_view_layout.h"
#include "views/trend/chart_window.h"

namespace wd {

class TrendChartPanel {
 public:
  // Takes over the chart placeholders 1033-1035 and finds the time bar 1036 of `form`.
  bool Bind(fw::FormView& form);
  void Place(const TrendViewLayout& layout) const;

  // The records to chart (the list may be null) and how many of them are monitoring records.
  // Sets the time bar's range for charts `chartWidth` wide, or hides it when all fits.
  void SetData(const RecordList* list, int recordCount, int chartWidth);
  // Draws the three pictures, SpO2 first. The caller holds no access to the store.
  void BuildPictures(const PatientStore& store);

  // A request of the time bar: moves the bar and the charts, which repaint at once.
  void OnTimeScroll(UINT code, int thumbPosition);

  HWND TimeBar() const { return timeBar_; }
  CTrendChart& Chart(std::size_t index) { return *Charts()[index]; }
  // The charts in their order on screen: SpO2, pulse rate, NIBP.
  std::array<CTrendChart*, 3> Charts() { return {&spo2_, &pulseRate_, &nibp_}; }

 private:
  CTrendSPO2 spo2_;
  CTrendPR pulseRate_;
  CTrendNIBP nibp_;
  HWND timeBar_ = nullptr;
};

}  // namespace wd
