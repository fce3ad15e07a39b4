#pragma once
// Printing a report: the pages on a chosen printer through Windows printing (StartDoc ...
// EndDoc), portrait on the printer's own paper, drawn by the same painter as the preview. The
// printer comes from a chooser: the system's print dialog in the program, a script in tests.

#include <windows.h>

#include <memory>
#include <string>

#include "views/report/report_document.h"

namespace wd {

struct PrinterDcDeleter {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
using PrinterDc = std::unique_ptr<HDC__, PrinterDcDeleter>;

struct PrinterChoice {
  enum class Result { Chosen, Cancelled, Failed } result = Result::Cancelled;
  PrinterDc dc;         // the chosen printer, set up for a portrait page
  std::wstring reason;  // a failure's cause
};

class PrinterChooser {
 public:
  virtual ~PrinterChooser() = default;
  virtual PrinterChoice ChoosePrinter(HWND owner) = 0;
};

// The system's print dialog (PrintDlgEx) over `owner`.
class PrintDialogChooser final : public PrinterChooser {
 public:
  PrinterChoice ChoosePrinter(HWND owner) override;
};

struct PrintOutcome {
  enum class Result { Printed, Cancelled, Failed } result = Result::Cancelled;
  int pages = 0;
  std::wstring reason;  // a failure's cause, as the system words it
};

// Every page of the report on `printer`.
PrintOutcome PrintPages(HDC printer, const ReportDocument& document, const wchar_t* fontFace);

// Chooses the printer, then prints there.
PrintOutcome PrintReport(PrinterChooser& chooser, HWND owner, const ReportDocument& document,
                         const wchar_t* fontFace);

}  // namespace wd
