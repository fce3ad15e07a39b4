#pragma once
// The archive: every archived download, newest first, and the persons of the chosen one;
// "Open" brings a download back into memory, "Delete" removes it after a question. The search
// box finds persons across the whole archive by id or registered name; "Open history" brings
// one person's merged records into memory and shows them in the monitoring list.

#include <vector>

#include "archive/archive_reader.h"
#include "archive/person_history.h"
#include "controls/dpi_form_view.h"
#include "data/patient_register.h"
#include "framework/command_table.h"
#include "framework/handles.h"
#include "views/data_list_panel.h"
#include "views/logic/archive_cells.h"
#include "views/view_host.h"

namespace wd {

class CArchiveView : public CFormViewDPI {
 public:
  explicit CArchiveView(ViewHost& host);

  const std::vector<DownloadSummary>& Downloads() const { return downloads_; }
  const std::vector<ArchivePersonRow>& Persons() const { return persons_; }
  bool ShowsSearch() const { return showsSearch_; }
  HWND DownloadList() const { return downloads_list_.hwnd(); }
  HWND PersonList() const { return persons_list_.hwnd(); }
  // Selects a row as a click would.
  void SelectDownload(int row);
  void SelectPerson(int row);

  bool ExecuteCommand(UINT id) override { return Commands().Execute(*this, id); }
  std::optional<fw::CommandState> QueryCommand(UINT id) const override {
    return Commands().Query(*this, id);
  }

 protected:
  void AdjustTemplate(fw::DialogTemplate& form) override;
  void OnInitialUpdate() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
  bool OnNotify(NMHDR& header, LRESULT& result) override;
  void OnSize(UINT type, int width, int height) override;

 private:
  static const fw::CommandTable<CArchiveView>& Commands();
  void OpenDownload();
  void DeleteDownload();
  void Find();
  void OpenHistory();
  bool DownloadChosen() const { return SelectedDownload() != nullptr; }
  bool HistoryChosen() const;

  const DownloadSummary* SelectedDownload() const;
  void FillDownloads();
  void ShowPersonsOfDownload();
  void SetLabel(int id, const std::wstring& text) const;
  void Tell(const std::wstring& text) const;
  void PlaceLists();
  void FitColumns() const;

  ViewHost& host_;
  fw::Brush background_;
  DataListPanel downloads_list_;
  DataListPanel persons_list_;
  ResultTexts results_;
  RegisterSnapshot people_;
  std::vector<DownloadSummary> downloads_;
  std::vector<ArchivePersonRow> persons_;
  std::vector<PersonHistory> found_;  // the search's persons, row for row
  bool showsSearch_ = false;
  int downloadsTop_ = 0;  // in form coordinates
  int downloadsHeight_ = 0;
  int personsTop_ = 0;
};

}  // namespace wd
