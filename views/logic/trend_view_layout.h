#pragma once
// The trend view's arithmetic: where the three charts and the time bar go under the patient
// form, what a time-bar request does, and which records span the charted time.

#include <optional>

#include "data/record_list.h"

namespace wd {

// One step of the time bar moves the charts by an hour of one-minute records.
inline constexpr int kColumnsPerTimeStep = 60;

struct ViewBox {
  int x, y, width, height;
  friend bool operator==(const ViewBox&, const ViewBox&) = default;
};

// Client coordinates from the chart top (10 pixels under the collapse button) and the client
// width: SpO2, pulse rate and NIBP 350 high every 380 pixels, the time bar under them; the
// view scrolls down to chart top + 1140.
struct TrendViewLayout {
  ViewBox spo2, pulseRate, nibp, timeBar;
  int scrollHeight;
};
TrendViewLayout LayOutTrendView(int chartTop, int clientWidth);

// Scroll-bar request codes, the values of Windows' SB_* constants.
enum TimeScrollCode : int {
  kTimeLineLeft = 0,
  kTimeLineRight = 1,
  kTimePageLeft = 2,
  kTimePageRight = 3,
  kTimeThumbPosition = 4,
  kTimeThumbTrack = 5,
};
// The bar's new position: a line or page moves one step within 0 ... maximum, releasing the
// thumb takes its position, anything else (dragging included) keeps the current one.
int TimeScrollTarget(int code, int position, int maximum, int thumbPosition);

// The monitoring records of a person's list: their number and the earliest and latest of them by
// record time (the span the trend view and the monitoring list both show; nothing when there are
// none). Records whose bytes are no time are counted but span nothing, unless no record has a
// time: then the first and last in list order.
struct MonitoringSpan {
  int count = 0;
  const VitalRecord* first = nullptr;
  const VitalRecord* last = nullptr;
};
MonitoringSpan SpanOfMonitoring(const RecordList* list);

}  // namespace wd
