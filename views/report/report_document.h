#pragma once
// What one person's report is made of, read once when the report view opens: the register's
// entry, the monitoring minutes in time order and their figures. The plan of pages is made from
// it for the preview's paper and again for the printer's, so both show the same report.

#include <filesystem>

#include "analysis/patient_summary.h"
#include "analysis/record_timeline.h"
#include "data/patient_store.h"
#include "report/report_plan.h"
#include "report/report_strings.h"

namespace wd {

struct ReportDocument {
  ReportPerson person;
  // Points into the store's records, which stay in place while the program runs.
  Timeline timeline;
  PatientSummary summary;
  ReportStrings strings;
};

// The person's document; an empty id or a person not in the store gives a document without
// minutes (its report says so).
ReportDocument MakeReportDocument(const PatientStore& store, const PatientId& person,
                                  const std::filesystem::path& registerFolder);

// The pages on `paper`, stamped with the local time now and the program's version.
ReportPlan PlanPages(const ReportDocument& document, PaperSize paper);

}  // namespace wd
