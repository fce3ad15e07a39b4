#pragma once
// The label and value texts of the report's two tables: the person's details with the
// recording, and the summary figures.

#include <optional>
#include <string>
#include <vector>

#include "analysis/patient_summary.h"
#include "data/patient_id.h"
#include "data/patient_info.h"
#include "report/report_strings.h"

namespace wd {

struct TableRow {
  std::u16string label;
  std::u16string value;
  int lines = 1;  // the value may wrap onto this many lines
};

// Name, id, sex, age, height, weight and advice from the register (blank when the person is
// not registered, and age, height or weight blank when 0: the form stores 0 for nothing
// typed); then the recording's first and last minute, its minutes and the records left out.
std::vector<TableRow> DetailRows(const PatientId& id, const std::optional<PatientInfo>& person,
                                 const PatientSummary& summary, const ReportStrings& strings);

// The figures as the report prints them; a figure that is absent shows strings.noValue.
std::vector<TableRow> SummaryRows(const PatientSummary& summary, const ReportStrings& strings);

// "2023-06-24 03:10   4 min   lowest 85 %".
std::u16string EpisodeText(const Episode& episode, const ReportStrings& strings);

}  // namespace wd
