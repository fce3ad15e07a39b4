#pragma once
// Helpers of the list views' UI tests (monitoring list, patient form, ward-round list): records
// and register entries made in-process, list cells read back, clicks, colours and screenshots.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "data/patient_info.h"
#include "data/patient_register.h"
#include "data/patient_store.h"
#include "tests/ui/ui_app_fixture.h"
#include "tests/unit/test_support.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/window_capture.h"

namespace wd::uitest {

inline PatientId IdOf(const std::string& text) { return PatientId::FromText(text); }

// A record of 5 June 2023 at hour:minute; its perfusion index and temperature are the ones that
// show a tenth (2.5 and 36.8).
inline VitalRecord RecordAt(RecordKind kind, int hour, int minute) {
  VitalRecord record = test::Record(kind, 5, hour, minute);
  record.pi = 25;
  record.temperature = 368;
  return record;
}

// Appends the records to the person's list in the given order (no duplicate rule).
inline void AddRecords(PatientStore& store, const PatientId& id,
                       const std::vector<VitalRecord>& records) {
  auto writer = store.Write();
  RecordList& list = writer.FindOrCreateRecordList(id);
  for (const VitalRecord& record : records) writer.AppendRecord(list, record);
}

inline const PatientId* StoreKey(PatientStore& store, const PatientId& id) {
  return store.Read().FindStoreKey(id);
}

// Writes the register file as the program keeps it: whole entries, one after another.
inline void WriteRegister(const std::filesystem::path& folder,
                          const std::vector<PatientInfo>& people) {
  std::vector<std::uint8_t> bytes;
  for (const PatientInfo& info : people) {
    const PatientInfo::Bytes record = info.ToBytes();
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  std::FILE* file = _wfopen(RegisterPath(folder).c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

inline PatientInfo Registered(const PatientId& id, std::u16string_view name, int sex, int age,
                              int height, int weight) {
  PatientInfo info = PatientInfo::Blank(id);
  info.SetName(name);
  info.sex = sex;
  info.age = age;
  info.height = static_cast<std::uint8_t>(height);
  info.weight = static_cast<std::uint8_t>(weight);
  return info;
}

inline std::uintmax_t FileLength(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t length = std::filesystem::file_size(path, error);
  return error ? static_cast<std::uintmax_t>(-1) : length;
}

inline std::wstring Cell(HWND list, int row, int column) {
  wchar_t text[512] = {};
  ListView_GetItemText(list, row, column, text, 512);
  return text;
}

// Every cell of every row, as the user reads the list.
inline std::vector<std::vector<std::wstring>> AllCells(HWND list) {
  HWND header = ListView_GetHeader(list);
  const int columns = Header_GetItemCount(header);
  std::vector<std::vector<std::wstring>> rows(
      static_cast<std::size_t>(ListView_GetItemCount(list)));
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (int column = 0; column < columns; ++column)
      rows[row].push_back(Cell(list, static_cast<int>(row), column));
  }
  return rows;
}

inline std::wstring HeaderTitle(HWND list, int column) {
  wchar_t text[128] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = text;
  item.cchTextMax = 128;
  Header_GetItem(ListView_GetHeader(list), column, &item);
  return text;
}

// Every title and every cell fits its column (the list pads a cell by about 6 pixels a side).
inline void ExpectNothingClipped(HWND list) {
  const auto cells = AllCells(list);
  for (int column = 0; column < Header_GetItemCount(ListView_GetHeader(list)); ++column) {
    const int width = ListView_GetColumnWidth(list, column);
    EXPECT_LE(ListView_GetStringWidth(list, HeaderTitle(list, column).c_str()) + 12, width)
        << "title " << column;
    for (std::size_t row = 0; row < cells.size(); ++row) {
      EXPECT_LE(ListView_GetStringWidth(list, cells[row][column].c_str()) + 12, width)
          << row << ", " << column;
    }
  }
}

// A button click as the button itself reports it to the view.
inline void Click(HWND view, int id) {
  ::SendMessageW(view, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(view, id)));
}

inline void SelectRow(HWND list, int row) {
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// A child's rectangle in its parent's client coordinates.
inline RECT PlaceOf(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// What the view answers to a control-colour message for `control`: text and background colour
// set on the device context, and whether it gave a brush.
struct ControlColours {
  COLORREF text;
  COLORREF background;
  bool brush;
};
inline ControlColours ColoursFor(HWND view, HWND control, UINT message) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  ::SetTextColor(dc, RGB(1, 2, 3));
  ::SetBkColor(dc, RGB(4, 5, 6));
  const LRESULT brush = ::SendMessageW(view, message, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control));
  const ControlColours colours{::GetTextColor(dc), ::GetBkColor(dc), brush != 0};
  ::DeleteDC(dc);
  return colours;
}

// A folder of the test's own outside the program folder (which the fixture removes with the app).
class ScratchFolder {
 public:
  ScratchFolder() {
    path_ =
        std::filesystem::temp_directory_path() /
        (L"wd-lists-" + std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(serial_++));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::filesystem::path operator/(const std::wstring& name) const { return path_ / name; }

 private:
  static inline int serial_ = 0;
  std::filesystem::path path_;
};

// Saves build/win/screens/lists/<name>.png of the whole main window.
inline void ListScreenshot(HWND frame, const std::wstring& name) {
  ::RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ui_support::PumpMessagesFor(100);
  const std::wstring path = (ScreensFolder(L"lists") / (name + L".png")).wstring();
  EXPECT_TRUE(ui_support::CaptureWindowToPng(frame, path, true)) << "screenshot of the list view";
}

}  // namespace wd::uitest
