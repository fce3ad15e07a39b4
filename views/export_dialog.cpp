#include "views/export_dialog.h"

#include "data/data_files.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/text_format.h"
#include "views/view_messages.h"

namespace wd {

fw::FileDialogOptions ExportDialogOptions(HWND owner, ExportKind kind) {
  const bool monitoring = kind == ExportKind::Monitoring;
  fw::FileDialogOptions options;
  options.owner = owner;
  options.title = fw::LoadStringResource(IDS_EXPORT_TITLE);
  options.filter =
      monitoring ? L"Monitor Files (*.mDat)|*.mDat||" : L"Check Files (*.cDat)|*.cDat||";
  options.defaultExtension = monitoring ? L"mDat" : L"cDat";
  options.initialName = Widen(DefaultExportNameNow(monitoring ? ".mDat" : ".cDat"));
  // A save dialog must accept new names, so no "file must exist".
  options.flags =
      OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
  return options;
}

void RunExport(ViewHost& host, ExportKind kind, const PatientId& person) {
  const std::optional<std::wstring> chosen =
      host.Files().ChooseFileToSave(ExportDialogOptions(host.FrameWindow(), kind));
  if (!chosen) return;
  const std::filesystem::path path(*chosen);
  const FileResult result = kind == ExportKind::Monitoring
                                ? WriteMonitorFile(host.Store(), path, person)
                                : WriteCheckFile(host.Store(), path);
  if (!result) ShowFileFailure(host, IDS_EXPORT_FAILED, path, result);
}

}  // namespace wd
