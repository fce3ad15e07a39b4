#pragma once
// The home screen: large picture buttons to download monitoring or ward-round data, view the
// data in memory, open the archive, read the About box and exit.

#include <array>

#include "controls/dpi_form_view.h"
#include "controls/image_button.h"
#include "framework/command_table.h"
#include "framework/handles.h"
#include "views/view_host.h"

namespace wd {

class CMainView : public CFormViewDPI {
 public:
  explicit CMainView(ViewHost& host);

  bool ExecuteCommand(UINT id) override { return Commands().Execute(*this, id); }
  std::optional<fw::CommandState> QueryCommand(UINT id) const override {
    return Commands().Query(*this, id);
  }

 protected:
  void OnInitialUpdate() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMessage) override;
  void OnTimer(UINT_PTR id) override;

 private:
  static const fw::CommandTable<CMainView>& Commands();
  void GetMonitoringData();
  void GetWardRoundData();
  void ViewData();
  void Settings() {}  // hidden, and does nothing
  void About();
  void ShowArchive();
  void Exit();

  void ConfigureButtons();
  void FitToWidth();

  ViewHost& host_;
  fw::Brush m_brBack;
  // About, Settings, View data, Get ward-round data, Get monitoring data, Archive, Exit.
  std::array<CButtonST, 7> buttons_;
  int designedWidth_ = 0;
};

}  // namespace wd
