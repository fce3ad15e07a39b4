#pragma once
// Every text the report shows, supplied by the caller in the user interface's language (the
// program loads them from its string resources). Patterns take %1, %2, %3 in any order.

#include <initializer_list>
#include <string>
#include <string_view>

#include "data/ascii_text.h"

namespace wd {

struct ReportStrings {
  std::u16string title;
  // Headings.
  std::u16string patientHeading, summaryHeading, episodesHeading;
  // The person's details (register fields; blank when unknown).
  std::u16string name, id, sex, age, height, weight, advice, male, female;
  std::u16string heightValue, weightValue;  // "%1 cm", "%1 kg"
  // The recording.
  std::u16string recording, minutes, excluded;
  std::u16string span;  // "%1 – %2"
  // Summary rows.
  std::u16string spo2Valid, spo2MeanMedian, spo2Lowest, spo2Highest, below90, below88;
  std::u16string desaturations3, desaturations4, pulse, nibpReadings, systolic, diastolic;
  std::u16string temperature, respiration;
  // Summary values.
  std::u16string percent;         // "%1 %"
  std::u16string pair;            // "%1 / %2"
  std::u16string valueAt;         // "%1 at %2"
  std::u16string minutesPercent;  // "%1 min (%2 %)"
  std::u16string eventsPerHour;   // "%1 (%2 per hour)"
  std::u16string meanRange;       // "%1 (%2–%3)"
  std::u16string noValue;         // a figure that cannot be given
  // Episodes and notices.
  std::u16string episodeLine;   // "%1   %2 min   lowest %3 %"
  std::u16string moreEpisodes;  // "… and %1 more"
  std::u16string noEpisodes, noValidSpo2, noRecords;
  // Charts.
  std::u16string spo2Chart, pulseChart, nibpChart, systolicLegend, diastolicLegend;
  std::u16string dayHeading;  // "%1" (the date)
  // Footer.
  std::u16string printed;  // "Printed %1"
  std::u16string pageOf;   // "Page %1 of %2"
};

// The English table, for tests and as the fallback of the program's resources.
const ReportStrings& EnglishReportStrings();

// `pattern` with %1, %2, ... replaced by the arguments; "%%" is a percent sign, and a "%" not
// followed by a digit of a given argument stays as it is.
std::u16string FillIn(std::u16string_view pattern, std::initializer_list<std::u16string_view> args);

}  // namespace wd
