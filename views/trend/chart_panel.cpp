#include "views/trend/chart_panel.h"

#include "res/resource.h"

namespace wd {
namespace {

static_assert(kTimeLineLeft == SB_LINELEFT && kTimeLineRight == SB_LINERIGHT &&
              kTimePageLeft == SB_PAGELEFT && kTimePageRight == SB_PAGERIGHT &&
              kTimeThumbPosition == SB_THUMBPOSITION && kTimeThumbTrack == SB_THUMBTRACK);

void Move(HWND window, const ViewBox& box) {
  ::MoveWindow(window, box.x, box.y, box.width, box.height, TRUE);
}

}  // namespace

bool TrendChartPanel::Bind(fw::FormView& form) {
  timeBar_ = form.Child(IDC_TIME_SCROLL);
  return form.BindControl(IDC_SPO2_CHART, spo2_) && form.BindControl(IDC_PR_CHART, pulseRate_) &&
         form.BindControl(IDC_NIBP_CHART, nibp_) && timeBar_ != nullptr;
}

void TrendChartPanel::Place(const TrendViewLayout& layout) const {
  Move(spo2_.hwnd(), layout.spo2);
  Move(pulseRate_.hwnd(), layout.pulseRate);
  Move(nibp_.hwnd(), layout.nibp);
  Move(timeBar_, layout.timeBar);
}

void TrendChartPanel::SetData(const RecordList* list, int recordCount, int chartWidth) {
  for (CTrendChart* chart : Charts()) chart->SetData(list, recordCount);
  if (timeBar_ == nullptr) return;
  if (const std::optional<int> maximum = TimeScrollMaximum(recordCount, chartWidth)) {
    ::SetScrollRange(timeBar_, SB_CTL, 0, *maximum, TRUE);
    ::SetScrollPos(timeBar_, SB_CTL, 0, TRUE);
    ::ShowWindow(timeBar_, SW_SHOW);
  } else {
    ::ShowWindow(timeBar_, SW_HIDE);
  }
}

void TrendChartPanel::BuildPictures(const PatientStore& store) {
  for (CTrendChart* chart : Charts()) chart->BuildTrendBitmap(store);
}

void TrendChartPanel::OnTimeScroll(UINT code, int thumbPosition) {
  int minimum = 0;
  int maximum = 0;
  ::GetScrollRange(timeBar_, SB_CTL, &minimum, &maximum);
  const int current = ::GetScrollPos(timeBar_, SB_CTL);
  const int position = TimeScrollTarget(static_cast<int>(code), current, maximum, thumbPosition);
  // Dragging the thumb, or a step at either end, changes nothing: no repaint for it.
  if (position == current) return;
  ::SetScrollPos(timeBar_, SB_CTL, position, TRUE);
  for (CTrendChart* chart : Charts()) {
    chart->SetScrollOffset(position * kColumnsPerTimeStep);
    chart->Redraw();
  }
}

}  // namespace wd
