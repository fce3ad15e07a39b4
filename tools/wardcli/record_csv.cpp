#include "tools/wardcli/record_csv.h"

#include <vector>

#include "data/csv_writer.h"
#include "data/record_format.h"
#include "tools/wardcli/id_text.h"

namespace wd::cli {

std::string RecordCsvLine(const PatientId& id, const VitalRecord& r) {
  std::vector<std::string> fields = {IdText(id), std::to_string(r.kind), FormatRecordDate(r),
                                     FormatRecordTime(r)};
  for (RecordField field :
       {RecordField::Spo2, RecordField::Pulse, RecordField::Pi, RecordField::Systolic,
        RecordField::Diastolic, RecordField::Mean, RecordField::Temperature, RecordField::Etco2,
        RecordField::Fico2, RecordField::Respiration}) {
    fields.push_back(FormatField(r, field));
  }
  return CsvLine(fields, LineEnd::Lf);
}

}  // namespace wd::cli
