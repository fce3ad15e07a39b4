#include "views/report/report_printing.h"

#include <objbase.h>  // before commdlg.h: its print dialog structures need the COM types
#include <commdlg.h>

#include "framework/modal_loop.h"
#include "views/report/report_painter.h"
#include "views/text_format.h"
#include "views/view_messages.h"

namespace wd {
namespace {

std::wstring ReasonOf(DWORD error) {
  return SystemErrorText(static_cast<int>(error == 0 ? ERROR_GEN_FAILURE : error));
}

PrintOutcome Failed(DWORD error) {
  PrintOutcome outcome;
  outcome.result = PrintOutcome::Result::Failed;
  outcome.reason = ReasonOf(error);
  return outcome;
}

// What the print dialog hands back besides the device context, freed however the print ends.
struct DialogMemory {
  PRINTDLGEXW dialog{};
  ~DialogMemory() {
    if (dialog.hDevMode != nullptr) ::GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames != nullptr) ::GlobalFree(dialog.hDevNames);
  }
};

// The report stands upright whatever the printer was set to.
void MakePortrait(HDC dc, HGLOBAL devMode) {
  if (devMode == nullptr) return;
  auto* mode = static_cast<DEVMODEW*>(::GlobalLock(devMode));
  if (mode == nullptr) return;
  if ((mode->dmFields & DM_ORIENTATION) == 0 || mode->dmOrientation != DMORIENT_PORTRAIT) {
    mode->dmFields |= DM_ORIENTATION;
    mode->dmOrientation = DMORIENT_PORTRAIT;
    ::ResetDCW(dc, mode);
  }
  ::GlobalUnlock(devMode);
}

}  // namespace

PrinterChoice PrintDialogChooser::ChoosePrinter(HWND owner) {
  DialogMemory memory;
  PRINTDLGEXW& dialog = memory.dialog;
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOCURRENTPAGE | PD_NOPAGENUMS |
                 PD_USEDEVMODECOPIESANDCOLLATE;
  dialog.nCopies = 1;
  dialog.nStartPage = START_PAGE_GENERAL;
  HRESULT shown = E_FAIL;
  {
    fw::ModalLoop loop;
    shown = ::PrintDlgExW(&dialog);
  }
  PrinterChoice choice;
  choice.dc.reset(dialog.hDC);
  if (FAILED(shown)) {
    choice.result = PrinterChoice::Result::Failed;
    choice.reason = ReasonOf(static_cast<DWORD>(shown));
    return choice;
  }
  if (dialog.dwResultAction != PD_RESULT_PRINT) return choice;
  if (!choice.dc) {
    choice.result = PrinterChoice::Result::Failed;
    choice.reason = ReasonOf(::GetLastError());
    return choice;
  }
  MakePortrait(choice.dc.get(), dialog.hDevMode);
  choice.result = PrinterChoice::Result::Chosen;
  return choice;
}

PrintOutcome PrintPages(HDC printer, const ReportDocument& document, const wchar_t* fontFace) {
  // The paper in tenths of a millimetre, and where its corner lies before the printable area.
  const int dpiX = ::GetDeviceCaps(printer, LOGPIXELSX);
  const int dpiY = ::GetDeviceCaps(printer, LOGPIXELSY);
  if (dpiX <= 0 || dpiY <= 0) return Failed(ERROR_INVALID_PRINTER_NAME);
  const PaperSize paper{::GetDeviceCaps(printer, PHYSICALWIDTH) * 254 / dpiX,
                        ::GetDeviceCaps(printer, PHYSICALHEIGHT) * 254 / dpiY};
  const POINT corner{-::GetDeviceCaps(printer, PHYSICALOFFSETX),
                     -::GetDeviceCaps(printer, PHYSICALOFFSETY)};
  const ReportPlan plan =
      PlanPages(document, paper.width > 0 && paper.height > 0 ? paper : kA4Portrait);
  const PageTransform transform = PageTransform::ForDpi(dpiX, dpiY, corner);
  const ReportFonts fonts(transform, fontFace);

  const std::wstring title = L"Pulsora Pro " + Widen(document.person.id.DisplayText());
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  if (::StartDocW(printer, &info) <= 0) return Failed(::GetLastError());
  for (std::size_t page = 0; page < plan.pages.size(); ++page) {
    if (::StartPage(printer) <= 0) {
      const DWORD error = ::GetLastError();
      ::AbortDoc(printer);
      return Failed(error);
    }
    PaintReportPage(printer, plan, page, transform, fonts);
    if (::EndPage(printer) <= 0) {
      const DWORD error = ::GetLastError();
      ::AbortDoc(printer);
      return Failed(error);
    }
  }
  if (::EndDoc(printer) <= 0) return Failed(::GetLastError());
  PrintOutcome outcome;
  outcome.result = PrintOutcome::Result::Printed;
  outcome.pages = static_cast<int>(plan.pages.size());
  return outcome;
}

PrintOutcome PrintReport(PrinterChooser& chooser, HWND owner, const ReportDocument& document,
                         const wchar_t* fontFace) {
  PrinterChoice choice = chooser.ChoosePrinter(owner);
  switch (choice.result) {
    case PrinterChoice::Result::Cancelled: return {};
    case PrinterChoice::Result::Failed: {
      PrintOutcome outcome;
      outcome.result = PrintOutcome::Result::Failed;
      outcome.reason = std::move(choice.reason);
      return outcome;
    }
    case PrinterChoice::Result::Chosen: break;
  }
  // A long report takes a moment on the printer's driver.
  const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  PrintOutcome outcome = PrintPages(choice.dc.get(), document, fontFace);
  ::SetCursor(previous);
  return outcome;
}

}  // namespace wd
