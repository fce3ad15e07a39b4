#include "report/report_tables.h"

namespace wd {
namespace {

constexpr int kAdviceLines = 3;

std::u16string Number(long long value) { return AsciiText(std::to_string(value)); }

std::u16string PositiveNumber(const std::u16string& pattern, long long value) {
  if (value <= 0) return {};
  return FillIn(pattern, {Number(value)});
}

// Each optional figure as text, or the "no value" mark.
class Figures {
 public:
  explicit Figures(const ReportStrings& strings) : s_(strings) {}

  std::u16string operator()(const std::optional<Tenths>& figure) const {
    return figure ? AsciiText(figure->Text()) : s_.noValue;
  }
  std::u16string operator()(const std::optional<int>& figure) const {
    return figure ? Number(*figure) : s_.noValue;
  }
  std::u16string operator()(const std::optional<std::size_t>& figure) const {
    return figure ? Number(static_cast<long long>(*figure)) : s_.noValue;
  }
  std::u16string MeanRange(const ValueRange& range) const {
    if (!range.mean) return s_.noValue;
    return FillIn(s_.meanRange, {(*this)(range.mean), (*this)(range.min), (*this)(range.max)});
  }
  std::u16string Percent(const std::optional<int>& value) const {
    return value ? FillIn(s_.percent, {Number(*value)}) : s_.noValue;
  }
  std::u16string TimeBelow(const std::optional<std::size_t>& minutes,
                           const std::optional<Tenths>& percent) const {
    if (!minutes) return s_.noValue;
    return FillIn(s_.minutesPercent, {(*this)(minutes), (*this)(percent)});
  }
  std::u16string Events(const std::optional<std::size_t>& events,
                        const std::optional<Tenths>& perHour) const {
    if (!events || !perHour) return (*this)(events);
    return FillIn(s_.eventsPerHour, {(*this)(events), (*this)(perHour)});
  }

 private:
  const ReportStrings& s_;
};

}  // namespace

std::vector<TableRow> DetailRows(const PatientId& id, const std::optional<PatientInfo>& person,
                                 const PatientSummary& summary, const ReportStrings& s) {
  std::vector<TableRow> rows;
  const bool known = person.has_value();
  const auto sexText = [&]() -> std::u16string {
    if (!known || (person->sex != 0 && person->sex != 1)) return {};
    return person->sex == 0 ? s.male : s.female;
  };
  rows.push_back({s.name, known ? person->Name() : std::u16string()});
  rows.push_back({s.id, AsciiText(id.DisplayText())});
  rows.push_back({s.sex, sexText()});
  rows.push_back({s.age, known && person->age > 0 ? Number(person->age) : std::u16string()});
  rows.push_back(
      {s.height, known ? PositiveNumber(s.heightValue, person->height) : std::u16string()});
  rows.push_back(
      {s.weight, known ? PositiveNumber(s.weightValue, person->weight) : std::u16string()});
  rows.push_back({s.advice, known ? person->Advice() : std::u16string(), kAdviceLines});
  std::u16string span = s.noValue;
  if (summary.first && summary.last) {
    span = FillIn(
        s.span, {AsciiText(FormatMinute(*summary.first)), AsciiText(FormatMinute(*summary.last))});
  }
  rows.push_back({s.recording, span});
  rows.push_back({s.minutes, Number(static_cast<long long>(summary.minutes))});
  rows.push_back({s.excluded, Number(static_cast<long long>(summary.excluded))});
  return rows;
}

std::vector<TableRow> SummaryRows(const PatientSummary& summary, const ReportStrings& s) {
  const Figures f(s);
  const Spo2Figures& spo2 = summary.spo2;
  std::u16string lowest = s.noValue;
  if (spo2.range.min && spo2.minAt) {
    lowest = FillIn(s.valueAt, {f.Percent(spo2.range.min), AsciiText(FormatMinute(*spo2.minAt))});
  }
  std::u16string meanMedian = s.noValue;
  if (spo2.range.mean) meanMedian = FillIn(s.pair, {f(spo2.range.mean), f(spo2.median)});
  std::u16string temperature = s.noValue;
  if (summary.temperature.mean) {
    temperature = FillIn(s.pair, {f(summary.temperature.mean), f(summary.temperature.max)});
  }
  return {
      {s.spo2Valid, Number(static_cast<long long>(spo2.valid))},
      {s.spo2MeanMedian, meanMedian},
      {s.spo2Lowest, lowest},
      {s.spo2Highest, f.Percent(spo2.range.max)},
      {s.below90, f.TimeBelow(spo2.t90Minutes, spo2.t90Percent)},
      {s.below88, f.TimeBelow(spo2.t88Minutes, spo2.t88Percent)},
      {s.desaturations3, f.Events(spo2.events3, spo2.odi3)},
      {s.desaturations4, f.Events(spo2.events4, spo2.odi4)},
      {s.pulse, f.MeanRange(summary.pulse.range)},
      {s.nibpReadings, Number(static_cast<long long>(summary.nibp.valid))},
      {s.systolic, f.MeanRange(summary.nibp.systolic)},
      {s.diastolic, f.MeanRange(summary.nibp.diastolic)},
      {s.temperature, temperature},
      {s.respiration, f.MeanRange(summary.respiration.range)},
  };
}

std::u16string EpisodeText(const Episode& episode, const ReportStrings& s) {
  return FillIn(s.episodeLine,
                {AsciiText(FormatMinute(episode.start)),
                 Number(static_cast<long long>(episode.minutes)), Number(episode.lowest)});
}

}  // namespace wd
