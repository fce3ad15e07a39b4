#pragma once
// The record lists as CSV: the same rows, order and cell texts as the list shows, under the
// column titles the caller loads in the user interface's language.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "data/csv_writer.h"
#include "views/logic/list_cells.h"

namespace wd {

// One row's cells, columns 0 to 12 / 0 to 18.
std::vector<std::u16string> MonitoringRowCells(const VitalRecord& record, std::size_t displayIndex);
std::vector<std::u16string> WardRoundRowCells(const WardRoundListRow& row, std::size_t displayIndex,
                                              const SexTexts& sexTexts);

// `rows` in display order (MonitoringRows, WardRoundListRows).
CsvWriter MonitoringListCsv(std::span<const std::u16string> header,
                            const std::vector<const VitalRecord*>& rows, CsvOptions options);
CsvWriter WardRoundListCsv(std::span<const std::u16string> header,
                           const std::vector<WardRoundListRow>& rows, const SexTexts& sexTexts,
                           CsvOptions options);

}  // namespace wd
