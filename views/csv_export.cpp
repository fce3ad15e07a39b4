#include "views/csv_export.h"

#include <ctime>

#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/view_messages.h"

namespace wd {

std::wstring CsvFileName(const std::wstring& stem) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  wchar_t date[16] = {};
  std::wcsftime(date, 16, L"%Y%m%d", &local);
  return stem + L"_" + date + L".csv";
}

fw::FileDialogOptions CsvDialogOptions(HWND owner, const std::wstring& stem) {
  fw::FileDialogOptions options;
  options.owner = owner;
  options.title = fw::LoadStringResource(IDS_EXPORT_TITLE);
  options.filter = L"CSV Files (*.csv)|*.csv||";
  options.defaultExtension = L"csv";
  options.initialName = CsvFileName(stem);
  options.flags =
      OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
  return options;
}

void RunCsvExport(ViewHost& host, const std::wstring& stem, const CsvWriter& csv) {
  const std::optional<std::wstring> chosen =
      host.Files().ChooseFileToSave(CsvDialogOptions(host.FrameWindow(), stem));
  if (!chosen) return;
  const std::filesystem::path path(*chosen);
  const FileResult result = WriteCsvFile(path, csv);
  if (!result) ShowFileFailure(host, IDS_EXPORT_FAILED, path, result);
}

}  // namespace wd
