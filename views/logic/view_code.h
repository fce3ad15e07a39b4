#pragma once
// The views the main frame can show, as its show-view message and its history name them.

namespace wd {

enum class ViewCode : int {
  WardRoundList = 1,
  DataOverview = 2,
  Home = 3,
  MonitoringList = 4,
  Trend = 5,
  Report = 6,
  Archive = 7,
};

inline bool IsViewCode(int code) { return code >= 1 && code <= 7; }

}  // namespace wd
