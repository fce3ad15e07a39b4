#pragma once
// The report's texts in the user interface's language, from the current resources.

#include "report/report_strings.h"

namespace wd {

ReportStrings LoadReportStrings();

}  // namespace wd
