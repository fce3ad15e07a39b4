#include "views/report/report_document.h"

#include <ctime>

#include "data/patient_register.h"
#include "views/report/report_texts.h"
#include "wd_version.h"

namespace wd {
namespace {

Minute LocalMinuteNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return MinuteOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min);
}

}  // namespace

ReportDocument MakeReportDocument(const PatientStore& store, const PatientId& person,
                                  const std::filesystem::path& registerFolder) {
  ReportDocument document;
  document.person.id = person;
  document.strings = LoadReportStrings();
  if (person.IsEmpty()) {
    document.summary = Summarise(document.timeline);
    return document;
  }
  document.person.details = LookupInfo(registerFolder, person);
  {
    const auto reader = store.Read();
    if (const RecordList* list = reader.FindRecordList(person))
      document.timeline = BuildTimeline(*list);
  }
  document.summary = Summarise(document.timeline);
  return document;
}

ReportPlan PlanPages(const ReportDocument& document, PaperSize paper) {
  const PrintStamp stamp{LocalMinuteNow(), AsciiText(WD_VERSION_TEXT)};
  return PlanReport(document.person, document.timeline, document.summary, paper, stamp,
                    document.strings);
}

}  // namespace wd
