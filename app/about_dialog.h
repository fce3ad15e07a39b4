#pragma once
// The About box: product, version and date, closed with OK.

#include "framework/dialog.h"
#include "res/resource.h"

namespace wd {

class CAboutDlg : public fw::Dialog {
 public:
  CAboutDlg() : fw::Dialog(IDD_ABOUTBOX) {}
};

}  // namespace wd
