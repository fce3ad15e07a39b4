#pragma once
// The patient summary as wardcli prints it: one JSON object, or a text for people.

#include <string>

#include "analysis/patient_summary.h"
#include "data/patient_id.h"
#include "device/device_message.h"

namespace wd::cli {

// Keys as the summary names them ("t90_percent", "episodes_below_90", ...); one-decimal
// figures as exact JSON numbers, times as "YYYY-MM-DD HH:MM", null for an absent figure. The id
// as dump prints it (IdText). One line, ending in a newline.
std::string SummaryJson(const PatientId& id, const PatientSummary& summary);

// A line per figure, labels in English or Chinese, "-" for an absent figure.
std::string SummaryText(const PatientId& id, const PatientSummary& summary,
                        MessageLanguage language);

}  // namespace wd::cli
