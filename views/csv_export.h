#pragma once
// Export of a list as CSV for a spreadsheet: the same rows, order and cells the list shows,
// titles in the user interface's language, UTF-8 with a byte order mark (so Excel reads the
// Chinese texts right), through the save dialog, written whole or not at all.

#include <string>

#include "data/csv_writer.h"
#include "framework/file_dialog.h"
#include "views/view_host.h"

namespace wd {

// "<stem>_<YYYYMMDD>.csv" of today: "110105194912310021_20261208.csv", "wardround_20261208.csv".
std::wstring CsvFileName(const std::wstring& stem);

fw::FileDialogOptions CsvDialogOptions(HWND owner, const std::wstring& stem);

// Asks for the file and writes `csv` there; a failure is told with the file and its reason.
void RunCsvExport(ViewHost& host, const std::wstring& stem, const CsvWriter& csv);

}  // namespace wd
