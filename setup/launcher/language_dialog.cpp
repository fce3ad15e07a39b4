#include "language_dialog.h"

#include <utility>
#include <vector>

#include "about_dialog.h"
#include "resource.h"

namespace setup {

namespace {

OwnedIcon LoadProgramIcon(HINSTANCE resources, int metricX, int metricY) {
  return OwnedIcon(
      static_cast<HICON>(LoadImageW(resources, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                    GetSystemMetrics(metricX), GetSystemMetrics(metricY), 0)));
}

std::wstring LoadText(HINSTANCE resources, UINT id) {
  const wchar_t* text = nullptr;
  // Length 0 asks for a read-only pointer into the resource itself.
  const int length = LoadStringW(resources, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::wstring WindowText(HWND window) {
  std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1);
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return std::wstring(text.data(), static_cast<size_t>(length));
}

}  // namespace

LanguageDialog::LanguageDialog(HINSTANCE resources, int templateId, LanguageTable languages,
                               std::wstring folder, PackageOpener openPackage)
    : resources_(resources),
      templateId_(templateId),
      languages_(std::move(languages)),
      folder_(std::move(folder)),
      openPackage_(std::move(openPackage)) {
  if (IsEnglishTemplate()) {
    largeIcon_ = LoadProgramIcon(resources_, SM_CXICON, SM_CYICON);
    smallIcon_ = LoadProgramIcon(resources_, SM_CXSMICON, SM_CYSMICON);
  }
}

INT_PTR LanguageDialog::Run(HWND owner) {
  return DialogBoxParamW(resources_, MAKEINTRESOURCEW(templateId_), owner, Proc,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK LanguageDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<LanguageDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<LanguageDialog*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    self->dialog_ = dialog;
  }
  if (self == nullptr) return FALSE;
  try {
    return self->Handle(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind into the system's dialog manager.
    return FALSE;
  }
}

INT_PTR LanguageDialog::Handle(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        OnOk();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog_, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_SYSCOMMAND: return OnSysCommand(wParam);
    case WM_PAINT: return OnPaint();
    case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(largeIcon_.get());
    default: return FALSE;
  }
}

bool LanguageDialog::IsEnglishTemplate() const { return templateId_ == IDD_SETUP_ENGLISH; }

void LanguageDialog::OnInitDialog() {
  list_ = GetDlgItem(dialog_, IDC_LANGUAGE_LIST);
  FillList();
  if (IsEnglishTemplate()) {
    AddAboutToSystemMenu();
    SendMessageW(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
    SendMessageW(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  }
}

void LanguageDialog::FillList() {
  std::wstring chineseName;
  for (const auto& [languageId, name] : languages_) {
    const LRESULT index =
        SendMessageW(list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (index < 0) continue;
    SendMessageW(list_, CB_SETITEMDATA, static_cast<WPARAM>(index), languageId);
    if (languageId == kChineseLanguageId) chineseName = name;
  }
  if (IsEnglishTemplate() || chineseName.empty()) {
    SendMessageW(list_, CB_SETCURSEL, 0, 0);
  } else {
    SendMessageW(list_, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(chineseName.c_str()));
  }
}

void LanguageDialog::AddAboutToSystemMenu() {
  const std::wstring about = LoadText(resources_, IDS_ABOUTBOX);
  HMENU menu = GetSystemMenu(dialog_, FALSE);
  if (about.empty() || menu == nullptr) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
}

int LanguageDialog::ChosenIndex() const {
  const auto selected = static_cast<int>(SendMessageW(list_, CB_GETCURSEL, 0, 0));
  if (selected >= 0) return selected;
  // The list has an edit field: a language typed out in full counts as chosen.
  const std::wstring typed = WindowText(list_);
  if (typed.empty()) return -1;
  return static_cast<int>(SendMessageW(list_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(typed.c_str())));
}

void LanguageDialog::OnOk() {
  const int index = ChosenIndex();
  const LRESULT itemData =
      index >= 0 ? SendMessageW(list_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0) : CB_ERR;
  const auto package = PackageForSelection(folder_, index, itemData);
  if (package && !openPackage_(*package)) {
    // Stay open so another language can be chosen or the launcher cancelled.
    ReportPackageFailure(*package);
    return;
  }
  EndDialog(dialog_, IDOK);
}

void LanguageDialog::ReportPackageFailure(const std::wstring& package) {
  const UINT textId = IsEnglishTemplate() ? IDS_PACKAGE_FAILED_ENGLISH : IDS_PACKAGE_FAILED_CHINESE;
  const std::wstring text = LoadText(resources_, textId) + L"\n" + package;
  const std::wstring caption = WindowText(dialog_);
  MessageBoxW(dialog_, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

bool LanguageDialog::OnSysCommand(WPARAM command) {
  if (!IsEnglishTemplate() || (command & 0xFFF0) != IDM_ABOUTBOX) return false;
  ShowAboutBox(resources_, dialog_);
  return true;
}

bool LanguageDialog::OnPaint() {
  if (!IsEnglishTemplate() || !IsIconic(dialog_)) return false;
  PaintScope paint(dialog_);
  SendMessageW(dialog_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()), 0);
  RECT client{};
  GetClientRect(dialog_, &client);
  const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(paint.dc(), x, y, largeIcon_.get());
  return true;
}

}  // namespace setup
