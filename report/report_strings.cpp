#include "report/report_strings.h"

namespace wd {

const ReportStrings& EnglishReportStrings() {
  static const ReportStrings strings = [] {
    ReportStrings s;
    s.title = u"Patient monitoring report";
    s.patientHeading = u"Patient";
    s.summaryHeading = u"Summary";
    s.episodesHeading = u"Episodes below 90 %";
    s.name = u"Name";
    s.id = u"ID";
    s.sex = u"Sex";
    s.age = u"Age";
    s.height = u"Height";
    s.weight = u"Weight";
    s.advice = u"Doctor's advice";
    s.male = u"Male";
    s.female = u"Female";
    s.heightValue = u"%1 cm";
    s.weightValue = u"%1 kg";
    s.recording = u"Recording";
    s.minutes = u"Minutes";
    s.excluded = u"Records left out";
    s.span = u"%1 \u2013 %2";
    s.spo2Valid = u"SpO2 valid minutes";
    s.spo2MeanMedian = u"SpO2 mean / median";
    s.spo2Lowest = u"SpO2 lowest";
    s.spo2Highest = u"SpO2 highest";
    s.below90 = u"Time below 90 %";
    s.below88 = u"Time below 88 %";
    s.desaturations3 = u"Desaturations by 3 %";
    s.desaturations4 = u"Desaturations by 4 %";
    s.pulse = u"Pulse rate /min";
    s.nibpReadings = u"NIBP readings";
    s.systolic = u"Systolic mmHg";
    s.diastolic = u"Diastolic mmHg";
    s.temperature = u"Temperature \u00b0C mean / max";
    s.respiration = u"Respiration /min";
    s.percent = u"%1 %";
    s.pair = u"%1 / %2";
    s.valueAt = u"%1 at %2";
    s.minutesPercent = u"%1 min (%2 %)";
    s.eventsPerHour = u"%1 (%2 per hour)";
    s.meanRange = u"%1 (%2\u2013%3)";
    s.noValue = u"\u2014";
    s.episodeLine = u"%1   %2 min   lowest %3 %";
    s.moreEpisodes = u"\u2026 and %1 more";
    s.noEpisodes = u"None";
    s.noValidSpo2 = u"No valid SpO2 value was recorded.";
    s.noRecords = u"No monitoring record with a real date and time.";
    s.spo2Chart = u"SpO2 %";
    s.pulseChart = u"Pulse rate /min";
    s.nibpChart = u"NIBP mmHg";
    s.systolicLegend = u"Systolic";
    s.diastolicLegend = u"Diastolic";
    s.dayHeading = u"%1";
    s.printed = u"Printed %1";
    s.pageOf = u"Page %1 of %2";
    return s;
  }();
  return strings;
}

std::u16string FillIn(std::u16string_view pattern,
                      std::initializer_list<std::u16string_view> args) {
  std::u16string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char16_t next = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
    if (pattern[i] == u'%' && next == u'%') {
      text += u'%';
      ++i;
    } else if (pattern[i] == u'%' && next >= u'1' && next <= u'9' &&
               static_cast<std::size_t>(next - u'1') < args.size()) {
      text += *(args.begin() + (next - u'1'));
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace wd
