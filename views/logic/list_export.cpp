#include "views/logic/list_export.h"

namespace wd {

std::vector<std::u16string> MonitoringRowCells(const VitalRecord& record,
                                               std::size_t displayIndex) {
  std::vector<std::u16string> cells;
  cells.reserve(kMonitoringColumnCount);
  for (int column = 0; column < kMonitoringColumnCount; ++column) {
    cells.push_back(MonitoringCell(record, displayIndex, column));
  }
  return cells;
}

std::vector<std::u16string> WardRoundRowCells(const WardRoundListRow& row, std::size_t displayIndex,
                                              const SexTexts& sexTexts) {
  std::vector<std::u16string> cells;
  cells.reserve(kWardRoundColumnCount);
  for (int column = 0; column < kWardRoundColumnCount; ++column) {
    cells.push_back(WardRoundCell(row, displayIndex, column, sexTexts));
  }
  return cells;
}

CsvWriter MonitoringListCsv(std::span<const std::u16string> header,
                            const std::vector<const VitalRecord*>& rows, CsvOptions options) {
  CsvWriter csv(options);
  csv.AddRow(header);
  for (std::size_t i = 0; i < rows.size(); ++i) csv.AddRow(MonitoringRowCells(*rows[i], i));
  return csv;
}

CsvWriter WardRoundListCsv(std::span<const std::u16string> header,
                           const std::vector<WardRoundListRow>& rows, const SexTexts& sexTexts,
                           CsvOptions options) {
  CsvWriter csv(options);
  csv.AddRow(header);
  for (std::size_t i = 0; i < rows.size(); ++i) csv.AddRow(WardRoundRowCells(rows[i], i, sexTexts));
  return csv;
}

}  // namespace wd
