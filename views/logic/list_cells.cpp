#include "views/logic/list_cells.h"

#include "data/ascii_text.h"
#include "data/record_format.h"

namespace wd {
namespace {

// Columns from `first` on: the ten measurements in RecordField order.
std::u16string MeasurementCell(const VitalRecord& record, int column, int first) {
  const int field = column - first;
  if (field < 0 || field > static_cast<int>(RecordField::Respiration)) return {};
  return AsciiText(FormatField(record, static_cast<RecordField>(field)));
}

std::u16string SexText(int sex, const SexTexts& texts) {
  if (sex == 0) return texts.male;
  if (sex == 1) return texts.female;
  return {};
}

std::u16string PersonCell(const PatientInfo& info, int column, const SexTexts& sexTexts) {
  switch (column) {
    case 4: return info.Name();
    case 5: return SexText(info.sex, sexTexts);
    case 6: return NumberText(info.age);
    case 7: return NumberText(info.height);
    case 8: return NumberText(info.weight);
    default: return {};
  }
}

}  // namespace

std::vector<WardRoundListRow> WardRoundListRows(const PatientStore::Entries& entries,
                                                const RegisterSnapshot& people) {
  const std::vector<WardRoundRow> rows = WardRoundRows(entries);
  std::vector<WardRoundListRow> joined;
  joined.reserve(rows.size());
  const PatientId* lastKey = nullptr;
  const PatientInfo* lastInfo = nullptr;
  for (const WardRoundRow& row : rows) {
    // Rows of one person are adjacent after sorting: one look-up per run of rows.
    if (row.key != lastKey) {
      const auto found = people.find(*row.key);
      lastKey = row.key;
      lastInfo = found != people.end() ? &found->second : nullptr;
    }
    joined.push_back({row.key, row.record, lastInfo});
  }
  return joined;
}

std::u16string MonitoringCell(const VitalRecord& record, std::size_t displayIndex, int column) {
  switch (column) {
    case 0: return NumberText(static_cast<long long>(displayIndex) + 1);
    case 1: return AsciiText(FormatRecordDate(record));
    case 2: return AsciiText(FormatRecordTime(record));
    default: return MeasurementCell(record, column, 3);
  }
}

std::u16string WardRoundCell(const WardRoundListRow& row, std::size_t displayIndex, int column,
                             const SexTexts& sexTexts) {
  switch (column) {
    case 0: return NumberText(static_cast<long long>(displayIndex) + 1);
    case 1: return AsciiText(row.key->DisplayText());
    case 2: return AsciiText(FormatRecordDate(*row.record));
    case 3: return AsciiText(FormatRecordTime(*row.record));
    default: break;
  }
  if (column <= 8)
    return row.info != nullptr ? PersonCell(*row.info, column, sexTexts) : std::u16string();
  return MeasurementCell(*row.record, column, 9);
}

}  // namespace wd
