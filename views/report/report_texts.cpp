#include "views/report/report_texts.h"

#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/text_format.h"

namespace wd {

ReportStrings LoadReportStrings() {
  // Every field with its string; a missing string falls back to the English default, so a
  // partial translation still prints a whole report.
  using Field = std::u16string ReportStrings::*;
  static constexpr std::pair<UINT, Field> kTexts[] = {
      {IDS_REPORT_TITLE, &ReportStrings::title},
      {IDS_REPORT_PATIENT_HEADING, &ReportStrings::patientHeading},
      {IDS_REPORT_SUMMARY_HEADING, &ReportStrings::summaryHeading},
      {IDS_REPORT_EPISODES_HEADING, &ReportStrings::episodesHeading},
      {IDS_REPORT_NAME, &ReportStrings::name},
      {IDS_REPORT_ID, &ReportStrings::id},
      {IDS_REPORT_SEX, &ReportStrings::sex},
      {IDS_REPORT_AGE, &ReportStrings::age},
      {IDS_REPORT_HEIGHT, &ReportStrings::height},
      {IDS_REPORT_WEIGHT, &ReportStrings::weight},
      {IDS_REPORT_ADVICE, &ReportStrings::advice},
      {IDS_REPORT_MALE, &ReportStrings::male},
      {IDS_REPORT_FEMALE, &ReportStrings::female},
      {IDS_REPORT_HEIGHT_VALUE, &ReportStrings::heightValue},
      {IDS_REPORT_WEIGHT_VALUE, &ReportStrings::weightValue},
      {IDS_REPORT_RECORDING, &ReportStrings::recording},
      {IDS_REPORT_MINUTES, &ReportStrings::minutes},
      {IDS_REPORT_EXCLUDED, &ReportStrings::excluded},
      {IDS_REPORT_SPAN, &ReportStrings::span},
      {IDS_REPORT_SPO2_VALID, &ReportStrings::spo2Valid},
      {IDS_REPORT_SPO2_MEAN_MEDIAN, &ReportStrings::spo2MeanMedian},
      {IDS_REPORT_SPO2_LOWEST, &ReportStrings::spo2Lowest},
      {IDS_REPORT_SPO2_HIGHEST, &ReportStrings::spo2Highest},
      {IDS_REPORT_BELOW_90, &ReportStrings::below90},
      {IDS_REPORT_BELOW_88, &ReportStrings::below88},
      {IDS_REPORT_DESATURATIONS_3, &ReportStrings::desaturations3},
      {IDS_REPORT_DESATURATIONS_4, &ReportStrings::desaturations4},
      {IDS_REPORT_PULSE, &ReportStrings::pulse},
      {IDS_REPORT_NIBP_READINGS, &ReportStrings::nibpReadings},
      {IDS_REPORT_SYSTOLIC, &ReportStrings::systolic},
      {IDS_REPORT_DIASTOLIC, &ReportStrings::diastolic},
      {IDS_REPORT_TEMPERATURE, &ReportStrings::temperature},
      {IDS_REPORT_RESPIRATION, &ReportStrings::respiration},
      {IDS_REPORT_PERCENT, &ReportStrings::percent},
      {IDS_REPORT_PAIR, &ReportStrings::pair},
      {IDS_REPORT_VALUE_AT, &ReportStrings::valueAt},
      {IDS_REPORT_MINUTES_PERCENT, &ReportStrings::minutesPercent},
      {IDS_REPORT_EVENTS_PER_HOUR, &ReportStrings::eventsPerHour},
      {IDS_REPORT_MEAN_RANGE, &ReportStrings::meanRange},
      {IDS_REPORT_NO_VALUE, &ReportStrings::noValue},
      {IDS_REPORT_EPISODE_LINE, &ReportStrings::episodeLine},
      {IDS_REPORT_MORE_EPISODES, &ReportStrings::moreEpisodes},
      {IDS_REPORT_NO_EPISODES, &ReportStrings::noEpisodes},
      {IDS_REPORT_NO_VALID_SPO2, &ReportStrings::noValidSpo2},
      {IDS_REPORT_NO_RECORDS, &ReportStrings::noRecords},
      {IDS_REPORT_SPO2_CHART, &ReportStrings::spo2Chart},
      {IDS_REPORT_PULSE_CHART, &ReportStrings::pulseChart},
      {IDS_REPORT_NIBP_CHART, &ReportStrings::nibpChart},
      {IDS_REPORT_SYSTOLIC_LEGEND, &ReportStrings::systolicLegend},
      {IDS_REPORT_DIASTOLIC_LEGEND, &ReportStrings::diastolicLegend},
      {IDS_REPORT_DAY_HEADING, &ReportStrings::dayHeading},
      {IDS_REPORT_PRINTED, &ReportStrings::printed},
      {IDS_REPORT_PAGE_OF, &ReportStrings::pageOf},
  };
  ReportStrings strings = EnglishReportStrings();
  for (const auto& [id, field] : kTexts) {
    const std::wstring text = fw::LoadStringResource(id);
    if (!text.empty()) strings.*field = ToU16(text);
  }
  return strings;
}

}  // namespace wd
