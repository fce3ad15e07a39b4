#pragma once
// The three trend charts of the trend view: SpO2 (70-100 %), pulse rate (0-250) and NIBP
// (0-300 mmHg, systolic and diastolic with a legend).

#include "views/trend_chart.h"

namespace wd {

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
