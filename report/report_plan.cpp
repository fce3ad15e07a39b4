#include "report/report_plan.h"

#include <algorithm>

#include "report/chart_block.h"

namespace wd {
namespace {

constexpr int kMargin = 150;
constexpr int kGap = 30;
constexpr int kColumnGap = 60;
constexpr int kDetailsWidthPercent = 45;
constexpr int kDetailLabelWidth = 260;
constexpr int kSummaryLabelWidth = 480;
constexpr int kEpisodeColumns = 2;
constexpr int kSmallestChart = 300;
constexpr const char16_t* kProduct = u"Pulsora Pro";

// Fills one page from the top down.
class PageWriter {
 public:
  PageWriter(ReportPage& page, const Rect& content)
      : page_(page), content_(content), y_(content.top) {}

  int y() const { return y_; }
  void Skip(int height) { y_ += height; }
  void MoveTo(int y) { y_ = y; }

  // One line across [left, right) at the current y; the cursor moves below it.
  void Line(TextRole role, Align align, std::u16string text, int left, int right) {
    const int height = StyleOf(role).lineHeight;
    page_.texts.push_back({{left, y_, right, y_ + height}, role, align, std::move(text)});
    y_ += height;
  }
  void Line(TextRole role, Align align, std::u16string text) {
    Line(role, align, std::move(text), content_.left, content_.right);
  }

  // A table from the current y; returns its bottom without moving the cursor.
  int Table(const std::vector<TableRow>& rows, int left, int right, int labelWidth) {
    const int lineHeight = StyleOf(TextRole::Body).lineHeight;
    TableBlock table{{left, y_, right, y_}, {}};
    int y = y_;
    for (const TableRow& row : rows) {
      const int bottom = y + lineHeight * row.lines;
      table.rows.push_back(
          {{left, y, left + labelWidth, bottom}, {left + labelWidth, y, right, bottom}, row});
      y = bottom;
    }
    table.box.bottom = y;
    page_.tables.push_back(std::move(table));
    return y;
  }

  ReportPage& page() { return page_; }
  const Rect& content() const { return content_; }

 private:
  ReportPage& page_;
  Rect content_;
  int y_;
};

// The part of the page above the footer.
Rect ContentOf(PaperSize paper) {
  const int footer = StyleOf(TextRole::Footer).lineHeight;
  return {kMargin, kMargin, paper.width - kMargin, paper.height - kMargin - footer - kGap};
}

void AddFooter(ReportPage& page, PaperSize paper, std::size_t number, std::size_t count,
               const PrintStamp& stamp, const ReportStrings& s) {
  const int top = paper.height - kMargin - StyleOf(TextRole::Footer).lineHeight;
  const int bottom = paper.height - kMargin;
  const Rect line{kMargin, top, paper.width - kMargin, bottom};
  page.texts.push_back({line, TextRole::Footer, Align::Left,
                        FillIn(s.printed, {AsciiText(FormatMinute(stamp.printedAt))})});
  page.texts.push_back(
      {line, TextRole::Footer, Align::Centre, std::u16string(kProduct) + u" " + stamp.version});
  page.texts.push_back(
      {line, TextRole::Footer, Align::Right,
       FillIn(s.pageOf, {AsciiText(std::to_string(number)), AsciiText(std::to_string(count))})});
}

// The three charts over [from, to), sharing the height left on the page.
void AddCharts(PageWriter& writer, Minute from, Minute to, const PatientSummary& summary,
               const ReportStrings& s) {
  const Rect& content = writer.content();
  const int each = (content.bottom - writer.y() - 2 * kGap) / 3;
  for (ChartKind kind : {ChartKind::Spo2, ChartKind::PulseRate, ChartKind::Nibp}) {
    const Rect frame{content.left, writer.y(), content.right, writer.y() + each};
    writer.page().charts.push_back(PlaceChart(kind, frame, from, to, summary.spo2.range.min, s));
    writer.Skip(each + kGap);
  }
}

void AddEpisodes(PageWriter& writer, const Spo2Figures& spo2, const ReportStrings& s) {
  writer.Line(TextRole::Heading, Align::Left, s.episodesHeading);
  if (spo2.valid == 0 || spo2.episodesBelow90.empty()) {
    writer.Line(TextRole::Small, Align::Left, spo2.valid == 0 ? s.noValue : s.noEpisodes);
    return;
  }
  const std::vector<Episode>& episodes = spo2.episodesBelow90;
  const std::size_t listed = std::min(episodes.size(), kEpisodesListed);
  const std::size_t perColumn = (kEpisodesListed + kEpisodeColumns - 1) / kEpisodeColumns;
  const Rect& content = writer.content();
  const int columnWidth = (content.width() - kColumnGap) / kEpisodeColumns;
  const int top = writer.y();
  int bottom = top;
  for (std::size_t i = 0; i < listed; ++i) {
    const int left = content.left + static_cast<int>(i / perColumn) * (columnWidth + kColumnGap);
    if (i % perColumn == 0) writer.MoveTo(top);
    writer.Line(TextRole::Small, Align::Left, EpisodeText(episodes[i], s), left,
                left + columnWidth);
    bottom = std::max(bottom, writer.y());
  }
  writer.MoveTo(bottom);
  if (episodes.size() > listed) {
    writer.Line(TextRole::Small, Align::Left,
                FillIn(s.moreEpisodes, {AsciiText(std::to_string(episodes.size() - listed))}));
  }
}

// Whether three charts of a useful height fit below the cursor.
bool ChartsFit(const PageWriter& writer) {
  return writer.content().bottom - writer.y() >= 3 * kSmallestChart + 2 * kGap;
}

void FillFirstPage(PageWriter& writer, const ReportPerson& person, const PatientSummary& summary,
                   const ReportStrings& s) {
  writer.Line(TextRole::Title, Align::Centre, s.title);
  if (summary.minutes == 0 || summary.spo2.valid == 0) {
    writer.Line(TextRole::Notice, Align::Left, summary.minutes == 0 ? s.noRecords : s.noValidSpo2);
  }
  writer.Skip(kGap);
  const Rect& content = writer.content();
  const int split = content.left + content.width() * kDetailsWidthPercent / 100;
  const int top = writer.y();
  writer.Line(TextRole::Heading, Align::Left, s.patientHeading, content.left, split);
  const int detailsBottom = writer.Table(DetailRows(person.id, person.details, summary, s),
                                         content.left, split, kDetailLabelWidth);
  writer.MoveTo(top);
  writer.Line(TextRole::Heading, Align::Left, s.summaryHeading, split + kColumnGap, content.right);
  const int summaryBottom =
      writer.Table(SummaryRows(summary, s), split + kColumnGap, content.right, kSummaryLabelWidth);
  writer.MoveTo(std::max(detailsBottom, summaryBottom) + kGap);
  AddEpisodes(writer, summary.spo2, s);
  writer.Skip(kGap);
}

Minute DayOf(Minute minute) {
  return (minute >= 0 ? minute : minute - (kMinutesPerDay - 1)) / kMinutesPerDay;
}

// The calendar days that hold records, once the records cover more than 24 hours of minutes.
// A day without records gets no page: a monitor clock set years off would ask for thousands.
std::vector<Minute> DaysWithRecords(const Timeline& timeline, const PatientSummary& summary) {
  std::vector<Minute> days;
  if (!summary.first || !summary.last || *summary.last - *summary.first + 1 <= kMinutesPerDay) {
    return days;
  }
  for (const TimedRecord& timed : timeline.minutes) {
    const Minute day = DayOf(timed.minute);
    if (days.empty() || days.back() != day) days.push_back(day);
  }
  return days;
}

}  // namespace

const std::vector<MinuteValue>& ChartSeries::Of(Measurement measurement) const {
  switch (measurement) {
    case Measurement::Spo2: return spo2;
    case Measurement::Pulse: return pulse;
    case Measurement::Systolic: return systolic;
    case Measurement::Diastolic: return diastolic;
  }
  return spo2;
}

ReportPlan PlanReport(const ReportPerson& person, const Timeline& timeline,
                      const PatientSummary& summary, PaperSize paper, const PrintStamp& stamp,
                      const ReportStrings& s) {
  ReportPlan plan;
  plan.paper = paper;
  plan.series = {ValidMinutes(timeline, Measurement::Spo2),
                 ValidMinutes(timeline, Measurement::Pulse),
                 ValidMinutes(timeline, Measurement::Systolic),
                 ValidMinutes(timeline, Measurement::Diastolic)};
  const Rect content = ContentOf(paper);
  plan.pages.emplace_back();
  PageWriter first(plan.pages[0], content);
  FillFirstPage(first, person, summary, s);
  if (summary.first && summary.last) {
    // On paper too small for everything, the charts of the whole recording get a page.
    ReportPage spare;
    PageWriter own(spare, content);
    const bool fits = ChartsFit(first);
    AddCharts(fits ? first : own, *summary.first, *summary.last + 1, summary, s);
    if (!fits) plan.pages.push_back(std::move(spare));
  }
  const std::vector<Minute> days = DaysWithRecords(timeline, summary);
  const std::size_t firstDayPage = plan.pages.size();
  plan.pages.resize(firstDayPage + days.size());
  for (std::size_t i = 0; i < days.size(); ++i) {
    PageWriter writer(plan.pages[firstDayPage + i], content);
    const Minute from = days[i] * kMinutesPerDay;
    writer.Line(TextRole::Heading, Align::Left,
                FillIn(s.dayHeading, {AsciiText(FormatMinute(from).substr(0, 10))}));
    writer.Skip(kGap);
    AddCharts(writer, from, from + kMinutesPerDay, summary, s);
  }
  for (std::size_t i = 0; i < plan.pages.size(); ++i) {
    AddFooter(plan.pages[i], paper, i + 1, plan.pages.size(), stamp, s);
  }
  return plan;
}

std::vector<ChartColumn> CurveColumns(const ReportPlan& plan, const ChartBlock& chart,
                                      Measurement series, int deviceColumns) {
  return PlanChartColumns(plan.series.Of(series), chart.from, chart.to, deviceColumns);
}

}  // namespace wd
