#pragma once
// Records as CSV rows, as dump and archive history print them.

#include <string>

#include "data/patient_id.h"
#include "data/vital_record.h"

namespace wd::cli {

inline constexpr const char* kRecordCsvHeader =
    "id,kind,date,time,spo2,pulse,pi,systolic,diastolic,mean,temperature,etco2,fico2,"
    "respiration\n";
// One record: the id as dump prints it, the kind, the date and time, the measurements.
std::string RecordCsvLine(const PatientId& id, const VitalRecord& record);

}  // namespace wd::cli
