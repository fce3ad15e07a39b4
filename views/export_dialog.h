#pragma once
// Export of records to a file the user names: the monitoring list and the trend view write one
// person's ".mDat", the ward-round list every ward-round record as ".cDat".

#include <windows.h>

#include "data/patient_id.h"
#include "framework/file_dialog.h"
#include "views/view_host.h"

namespace wd {

enum class ExportKind { Monitoring, WardRound };

// Title string 178, the kind's filter and extension, a name from the time now
// ("2019624953.mDat"), starting in the current directory. A chosen file that exists is only
// replaced once the user agrees, since suggested names can repeat.
fw::FileDialogOptions ExportDialogOptions(HWND owner, ExportKind kind);

// Asks for the file and writes it (`person` only for monitoring data). A failed write is
// reported to the user; the file that was there before survives it.
void RunExport(ViewHost& host, ExportKind kind, const PatientId& person = {});

}  // namespace wd
