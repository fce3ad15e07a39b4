#include "views/archive_view.h"

#include <array>

#include "archive/archive_folder.h"
#include "views/logic/archive_loading.h"
#include "framework/gdi_objects.h"
#include "framework/message_box.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/form_fit.h"
#include "views/text_format.h"
#include "views/view_colours.h"

namespace wd {
namespace {

constexpr std::array<ListColumn, kDownloadColumnCount> kDownloadColumns = {{
    {IDS_COL_DOWNLOAD_TIME, nullptr, 190},
    {IDS_COL_COMPUTER, nullptr, 180},
    {IDS_COL_RESULT, nullptr, 120},
    {IDS_COL_PERSONS, nullptr, 90},
    {IDS_COL_MONITORING_RECORDS, nullptr, 130},
    {IDS_COL_WARD_ROUND_RECORDS, nullptr, 130},
}};

constexpr std::array<ListColumn, kArchivePersonColumnCount> kPersonColumns = {{
    {IDS_COL_ID_CARD, nullptr, 200},
    {IDS_COL_NAME, nullptr, 120},
    {IDS_COL_MONITORING_RECORDS, nullptr, 130},
    {IDS_COL_WARD_ROUND_RECORDS, nullptr, 130},
    {IDS_COL_FIRST_TIME, nullptr, 170},
    {IDS_COL_LAST_TIME, nullptr, 170},
    {IDS_COL_DOWNLOADS, nullptr, 110},
}};

constexpr COLORREF kArchiveLabelText = RGB(60, 60, 60);

std::wstring String(UINT id) { return fw::LoadStringResource(id); }

std::wstring WideUtf8(const std::string& text) { return Widen(std::string_view(text)); }

std::wstring Trimmed(std::wstring text) {
  const auto space = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\x3000'; };
  while (!text.empty() && space(text.back())) text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && space(text[start])) ++start;
  return text.substr(start);
}

}  // namespace

CArchiveView::CArchiveView(ViewHost& host)
    : CFormViewDPI(IDD_ARCHIVE_VIEW),
      host_(host),
      background_(fw::CreateSolidBrush(kViewBackground)) {}

const fw::CommandTable<CArchiveView>& CArchiveView::Commands() {
  static const fw::CommandTable<CArchiveView> table{
      {IDC_ARCHIVE_OPEN, &CArchiveView::OpenDownload, &CArchiveView::DownloadChosen},
      {IDC_ARCHIVE_DELETE, &CArchiveView::DeleteDownload, &CArchiveView::DownloadChosen},
      {IDC_ARCHIVE_FIND, &CArchiveView::Find},
      {IDOK, &CArchiveView::Find},  // Enter in the search box
      {IDC_ARCHIVE_OPEN_HISTORY, &CArchiveView::OpenHistory, &CArchiveView::HistoryChosen},
  };
  return table;
}

void CArchiveView::AdjustTemplate(fw::DialogTemplate& form) {
  CFormViewDPI::AdjustTemplate(form);
  DataListPanel::MakeVirtual(form, IDC_ARCHIVE_DOWNLOADS);
  DataListPanel::MakeVirtual(form, IDC_ARCHIVE_PERSONS);
}

void CArchiveView::OnInitialUpdate() {
  CFormViewDPI::OnInitialUpdate();
  results_ = {ToU16(String(IDS_RESULT_RUNNING)), ToU16(String(IDS_RESULT_COMPLETE)),
              ToU16(String(IDS_RESULT_STOPPED)), ToU16(String(IDS_RESULT_FAILED)),
              ToU16(String(IDS_RESULT_INTERRUPTED))};
  people_ = LoadRegister(host_.RegisterFolder());
  const auto downloadCell = [this](std::size_t row, int column) {
    return DownloadCell(downloads_[row], column, results_);
  };
  const auto personCell = [this](std::size_t row, int column) {
    return ArchivePersonCell(persons_[row], column, people_);
  };
  if (downloads_list_.Attach(hwnd(), IDC_ARCHIVE_DOWNLOADS, kDownloadColumns, LVCFMT_LEFT,
                             downloadCell)) {
    const RECT box = RectInForm(hwnd(), downloads_list_.hwnd());
    downloadsTop_ = box.top;
    downloadsHeight_ = box.bottom - box.top;
  }
  if (persons_list_.Attach(hwnd(), IDC_ARCHIVE_PERSONS, kPersonColumns, LVCFMT_LEFT, personCell)) {
    personsTop_ = RectInForm(hwnd(), persons_list_.hwnd()).top;
  }
  FitColumns();
  PlaceLists();
  FillDownloads();
}

// Room for the longest texts a column can hold in either language: a whole time, an
// 18-character id, a result's word.
void CArchiveView::FitColumns() const {
  constexpr std::wstring_view kTime = L"0000-00-00 00:00:00";
  constexpr std::wstring_view kId = L"00000000000000000X";
  constexpr std::wstring_view kRecordTime = L"0000-00-00 00:00";
  downloads_list_.FitColumn(0, std::array{kTime});
  std::vector<std::wstring_view> words;
  for (const std::u16string& result : results_) {
    words.emplace_back(reinterpret_cast<const wchar_t*>(result.data()), result.size());
  }
  downloads_list_.FitColumn(2, words);
  persons_list_.FitColumn(0, std::array{kId});
  persons_list_.FitColumn(4, std::array{kRecordTime});
  persons_list_.FitColumn(5, std::array{kRecordTime});
  for (int column : {1, 3, 4, 5}) downloads_list_.FitColumn(column, {});
  for (int column : {1, 2, 3, 6}) persons_list_.FitColumn(column, {});
}

void CArchiveView::FillDownloads() {
  downloads_.clear();
  const FileResult listed = host_.Catalog().Refresh(host_.ArchiveRoot(), downloads_);
  downloads_list_.SetRowCount(downloads_.size());
  const std::wstring root = host_.ArchiveRoot().wstring();
  // A missing archive is only an empty one: nothing was downloaded yet.
  if (!listed && listed.error != FileError::NotFound) {
    SetLabel(IDC_ARCHIVE_STATUS,
             FormatText(String(IDS_ARCHIVE_UNREADABLE), {WideUtf8(Describe(listed))}));
  } else {
    SetLabel(IDC_ARCHIVE_STATUS,
             FormatText(FormatNumbers(String(IDS_ARCHIVE_FOLDER),
                                      {static_cast<long long>(downloads_.size())}),
                        {root}));
  }
  if (!showsSearch_) ShowPersonsOfDownload();
}

const DownloadSummary* CArchiveView::SelectedDownload() const {
  const int row = downloads_list_.SelectedRow();
  if (row < 0 || static_cast<std::size_t>(row) >= downloads_.size()) return nullptr;
  return &downloads_[static_cast<std::size_t>(row)];
}

bool CArchiveView::HistoryChosen() const {
  const int row = persons_list_.SelectedRow();
  return showsSearch_ && row >= 0 && static_cast<std::size_t>(row) < found_.size();
}

void CArchiveView::ShowPersonsOfDownload() {
  showsSearch_ = false;
  found_.clear();
  persons_.clear();
  const DownloadSummary* download = SelectedDownload();
  if (download != nullptr) {
    std::vector<ArchivedPerson> persons;
    ReadDownloadPersons(host_.ArchiveRoot() / PathFromUtf8(download->folder), persons);
    persons_ = PersonRowsOf(persons);
    SetLabel(IDC_ARCHIVE_PERSONS_LABEL, FormatText(String(IDS_ARCHIVE_PERSONS_OF_DOWNLOAD),
                                                   {Widen(DownloadCell(*download, 0, results_))}));
  } else {
    SetLabel(IDC_ARCHIVE_PERSONS_LABEL, L"");
  }
  persons_list_.SetRowCount(persons_.size());
  UpdateControls();
}

void CArchiveView::SelectDownload(int row) {
  ListView_SetItemState(downloads_list_.hwnd(), row, LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  ShowPersonsOfDownload();
}

void CArchiveView::SelectPerson(int row) {
  ListView_SetItemState(persons_list_.hwnd(), row, LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  UpdateControls();
}

// As its files would be imported, repeated minutes left out: opening it twice adds nothing.
void CArchiveView::OpenDownload() {
  const DownloadSummary* download = SelectedDownload();
  if (download == nullptr) return;
  LoadedRecords loaded;
  const FileResult read = LoadArchivedDownload(
      host_.Store(), host_.ArchiveRoot() / PathFromUtf8(download->folder), loaded);
  if (!read) {
    Tell(FormatText(String(IDS_ARCHIVE_OPEN_FAILED), {WideUtf8(Describe(read))}));
    if (loaded.added == 0) return;
  }
  host_.MarkDataLoaded();
  host_.PostShowView(ViewCode::DataOverview, nullptr);
}

void CArchiveView::DeleteDownload() {
  const DownloadSummary* download = SelectedDownload();
  if (download == nullptr) return;
  const std::wstring question = FormatText(String(IDS_ARCHIVE_DELETE_QUESTION),
                                           {Widen(DownloadCell(*download, 0, results_))});
  if (fw::ShowMessageBox(host_.FrameWindow(), question, String(IDS_APP_TITLE),
                         MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
    return;
  }
  const DeleteOutcome outcome = ::wd::DeleteDownload(host_.ArchiveRoot(), download->folder);
  switch (outcome.problem) {
    case DeleteProblem::None: break;
    case DeleteProblem::StillWriting: Tell(String(IDS_ARCHIVE_DELETE_BUSY)); break;
    case DeleteProblem::NotADownload:
      Tell(FormatText(String(IDS_ARCHIVE_DELETE_FAILED), {outcome.path.wstring()}));
      break;
    case DeleteProblem::FileFailed:
      Tell(FormatText(String(IDS_ARCHIVE_DELETE_FAILED),
                      {outcome.path.wstring() + L": " + WideUtf8(Describe(outcome.file))}));
      break;
  }
  ListView_SetItemState(downloads_list_.hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  FillDownloads();
}

void CArchiveView::Find() {
  const std::u16string typed = ToU16(Trimmed(WindowText(Child(IDC_ARCHIVE_SEARCH))));
  if (typed.empty()) {
    ShowPersonsOfDownload();
    return;
  }
  std::vector<PersonHistory> found;
  if (const FileResult read = SearchHistory(host_.ArchiveRoot(), typed, people_, found); !read) {
    Tell(FormatText(String(IDS_ARCHIVE_UNREADABLE), {WideUtf8(Describe(read))}));
    return;
  }
  showsSearch_ = true;
  found_ = std::move(found);
  persons_ = PersonRowsOf(found_);
  persons_list_.SetRowCount(persons_.size());
  SetLabel(IDC_ARCHIVE_PERSONS_LABEL,
           found_.empty() ? FormatText(String(IDS_ARCHIVE_NOTHING_FOUND), {Widen(typed)})
                          : FormatNumbers(String(IDS_ARCHIVE_SEARCH_RESULTS),
                                          {static_cast<long long>(found_.size())}));
  if (found_.size() == 1) SelectPerson(0);
  UpdateControls();
}

// The person's merged records join memory like an import; the monitoring list shows them, and
// from there the trend view and the report as for any person.
void CArchiveView::OpenHistory() {
  if (!HistoryChosen()) return;
  const PersonHistory& history = found_[static_cast<std::size_t>(persons_list_.SelectedRow())];
  LoadHistory(host_.Store(), history);
  host_.MarkDataLoaded();
  host_.PostShowViewOf(ViewCode::MonitoringList, history.id);
}

void CArchiveView::SetLabel(int id, const std::wstring& text) const {
  ::SetDlgItemTextW(hwnd(), id, text.c_str());
}

void CArchiveView::Tell(const std::wstring& text) const {
  fw::ShowMessageBox(host_.FrameWindow(), text, String(IDS_APP_TITLE), MB_OK | MB_ICONWARNING);
}

// Both lists span the client's width; the lower one reaches its bottom.
void CArchiveView::PlaceLists() {
  const RECT client = ClientRect();
  const int scroll = ScrollPosition().y;
  downloads_list_.Place(RECT{client.left, downloadsTop_ - scroll, client.right,
                             downloadsTop_ - scroll + downloadsHeight_});
  persons_list_.Place(RECT{client.left, personsTop_ - scroll, client.right,
                           std::max<int>(client.bottom, personsTop_ - scroll + 60)});
}

HBRUSH CArchiveView::OnCtlColor(HDC dc, HWND control, UINT kind) {
  switch (kind) {
    case WM_CTLCOLORDLG: return background_.get();
    case WM_CTLCOLORSTATIC:
      ::SetBkColor(dc, kViewBackground);
      ::SetTextColor(dc, kArchiveLabelText);
      return background_.get();
    default: return CFormViewDPI::OnCtlColor(dc, control, kind);
  }
}

bool CArchiveView::OnNotify(NMHDR& header, LRESULT& result) {
  if (downloads_list_.OnNotify(header, result) || persons_list_.OnNotify(header, result))
    return true;
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (((change.uNewState ^ change.uOldState) & LVIS_SELECTED) != 0) {
      if (header.hwndFrom == downloads_list_.hwnd() && !showsSearch_) ShowPersonsOfDownload();
      UpdateControls();
    }
    result = 0;
    return true;
  }
  if (header.code == NM_DBLCLK && header.hwndFrom == persons_list_.hwnd() && HistoryChosen()) {
    OpenHistory();
    result = 0;
    return true;
  }
  return CFormViewDPI::OnNotify(header, result);
}

void CArchiveView::OnSize(UINT type, int width, int height) {
  CFormViewDPI::OnSize(type, width, height);
  if (downloads_list_.hwnd() != nullptr) PlaceLists();
}

}  // namespace wd
