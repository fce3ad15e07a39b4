#include "views/patient_form.h"

#include <algorithm>

#include "data/patient_register.h"
#include "data/record_format.h"
#include "framework/gdi_objects.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/export_dialog.h"
#include "views/logic/list_rows.h"
#include "views/text_format.h"
#include "views/view_colours.h"
#include "views/view_messages.h"

namespace wd {
namespace {

struct EditLimit {
  int id;
  std::uint32_t limit;
};
// In the order of PatientFormPanel::edits_.
constexpr std::array<EditLimit, 5> kEditLimits = {{
    {IDC_NAME, 10},
    {IDC_AGE, 3},
    {IDC_HEIGHT, 3},
    {IDC_WEIGHT, 3},
    {IDC_ADVICE, 200},
}};

bool IsEditableField(int id) {
  for (const EditLimit& edit : kEditLimits) {
    if (edit.id == id) return true;
  }
  return false;
}

}  // namespace

PatientFormPanel::PatientFormPanel(ViewHost& host)
    : host_(host), background_(fw::CreateSolidBrush(kViewBackground)) {}

void PatientFormPanel::Attach(fw::FormView& view, const PatientId& person, CollapseRule collapse) {
  form_ = view.hwnd();
  person_ = person;
  collapseRule_ = std::move(collapse);
  for (std::size_t i = 0; i < kEditLimits.size(); ++i) {
    view.BindControl(kEditLimits[i].id, edits_[i]);
    edits_[i].m_nLimit = kEditLimits[i].limit;
  }
  SetUpSexBox();
  SetField(IDC_PATIENT_ID, Widen(person_.DisplayText()));
  view.BindControl(IDC_COLLAPSE_FORM, collapse_);
  view.BindControl(IDC_EXPAND_FORM, expand_);
  SetUpImageButton(collapse_, IDI_COLLAPSE_FORM);
  SetUpImageButton(expand_, IDI_EXPAND_FORM);
  ::ShowWindow(expand_.hwnd(), SW_HIDE);
  ShowUnits();
  Refresh();
}

void PatientFormPanel::SetUpSexBox() const {
  const HWND box = ::GetDlgItem(form_, IDC_SEX);
  if (box == nullptr) return;
  ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
  // At fixed places, so the order is male, female whatever the box's sort style.
  const std::array<UINT, 2> texts = {IDS_SEX_MALE, IDS_SEX_FEMALE};
  for (std::size_t index = 0; index < texts.size(); ++index) {
    const std::wstring item = fw::LoadStringResource(texts[index]);
    ::SendMessageW(box, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(item.c_str()));
  }
  ::SendMessageW(box, CB_SETCURSEL, 0, 0);
  // Only the two entries may be chosen: the edit part takes no typing.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (::GetComboBoxInfo(box, &info) && info.hwndItem != nullptr) {
    ::SendMessageW(info.hwndItem, EM_SETREADONLY, TRUE, 0);
  }
}

void PatientFormPanel::SetUpImageButton(CButtonST& button, UINT icon) {
  button.SetIcons(fw::LoadIconResource(icon), fw::LoadIconResource(icon));
  button.SetColor(CButtonST::kFocusBackground, kViewBackground);
  button.SetColor(CButtonST::kNormalBackground, kViewBackground);
  button.SetColor(CButtonST::kHoverBackground, kViewBackground);
  button.SetColor(CButtonST::kHoverText, RGB(255, 255, 255));
  button.ShiftHoverBackground(0);
  button.SetFlat(false);
  button.SetImageAlignment(CButtonST::kImageAbove);
}

void PatientFormPanel::ShowUnits() const {
  SetField(IDC_UNITS, Widen(UnitsLabelText(ToU16(fw::LoadStringResource(IDS_DISPLAY_UNITS)))));
}

void PatientFormPanel::Refresh() {
  const HWND sex = ::GetDlgItem(form_, IDC_SEX);
  const std::optional<PatientInfo> info = LookupInfo(host_.RegisterFolder(), person_);
  if (!info) {
    for (const EditLimit& edit : kEditLimits) SetField(edit.id, L"");
    ::SendMessageW(sex, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    return;
  }
  SetField(IDC_NAME, Widen(info->Name()));
  // A stored value other than 0 or 1 (-1: none chosen) selects nothing.
  const int index = info->sex == 0 || info->sex == 1 ? info->sex : -1;
  ::SendMessageW(sex, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SetField(IDC_AGE, std::to_wstring(info->age));
  SetField(IDC_PATIENT_ID, Widen(person_.DisplayText()));
  SetField(IDC_HEIGHT, std::to_wstring(info->height));
  SetField(IDC_WEIGHT, std::to_wstring(info->weight));
  SetField(IDC_ADVICE, Widen(info->Advice()));
}

void PatientFormPanel::ShowTimeSpan(const VitalRecord* first, const VitalRecord* last) {
  SetField(IDC_START_DATE, first != nullptr ? Widen(FormatRecordDate(*first)) : L"");
  SetField(IDC_START_TIME, first != nullptr ? Widen(FormatRecordTime(*first)) : L"");
  SetField(IDC_END_DATE, last != nullptr ? Widen(FormatRecordDate(*last)) : L"");
  SetField(IDC_END_TIME, last != nullptr ? Widen(FormatRecordTime(*last)) : L"");
}

const fw::CommandTable<PatientFormPanel>& PatientFormPanel::Commands() {
  static const fw::CommandTable<PatientFormPanel> table{
      {IDC_SAVE_PATIENT, &PatientFormPanel::Save, &PatientFormPanel::HasPerson},
      {IDC_DELETE_PATIENT, &PatientFormPanel::Delete, &PatientFormPanel::HasPerson},
      {IDC_EXPORT_MONITOR, &PatientFormPanel::Export, &PatientFormPanel::CanExport},
      {IDC_COLLAPSE_FORM, &PatientFormPanel::Collapse},
      {IDC_EXPAND_FORM, &PatientFormPanel::Expand},
  };
  return table;
}

void PatientFormPanel::Collapse() {
  if (collapsed_) return;
  const auto named = [this](int id) {
    return std::find(collapseRule_.ids.begin(), collapseRule_.ids.end(), id) !=
           collapseRule_.ids.end();
  };
  hiddenByCollapse_.clear();
  for (HWND child = ::GetWindow(form_, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    if (id == IDC_EXPAND_FORM || !::IsWindowVisible(child)) continue;
    const bool hide = id == IDC_COLLAPSE_FORM ||
                      (collapseRule_.hide == CollapseRule::Hide::AllBut ? !named(id) : named(id));
    if (!hide) continue;
    ::ShowWindow(child, SW_HIDE);
    hiddenByCollapse_.push_back(child);
  }
  collapsed_ = true;
  ::ShowWindow(expand_.hwnd(), SW_SHOW);
  if (collapseRule_.changed) collapseRule_.changed(true);
  ::SetFocus(expand_.hwnd());
}

void PatientFormPanel::Expand() {
  if (!collapsed_) return;
  ::ShowWindow(expand_.hwnd(), SW_HIDE);
  for (HWND child : hiddenByCollapse_) ::ShowWindow(child, SW_SHOW);
  hiddenByCollapse_.clear();
  collapsed_ = false;
  if (collapseRule_.changed) collapseRule_.changed(false);
  ::SetFocus(collapse_.hwnd());
}

HBRUSH PatientFormPanel::OnCtlColor(HDC dc, HWND control, UINT kind) const {
  switch (kind) {
    case WM_CTLCOLORDLG: return background_.get();
    case WM_CTLCOLOREDIT:
      if (IsEditableField(::GetDlgCtrlID(control))) return nullptr;
      [[fallthrough]];
    case WM_CTLCOLORSTATIC:   // labels, read-only edits, the sex box's edit part
    case WM_CTLCOLORLISTBOX:  // the sex box's drop-down list
      ::SetBkColor(dc, kViewBackground);
      ::SetTextColor(dc, RGB(0, 0, 0));
      return background_.get();
    default: return nullptr;
  }
}

PatientForm PatientFormPanel::ReadFields() const {
  PatientForm form;
  form.id = person_;
  form.name = ToU16(FieldText(IDC_NAME));
  form.sex = static_cast<int>(::SendMessageW(::GetDlgItem(form_, IDC_SEX), CB_GETCURSEL, 0, 0));
  form.age = ToU16(FieldText(IDC_AGE));
  form.height = ToU16(FieldText(IDC_HEIGHT));
  form.weight = ToU16(FieldText(IDC_WEIGHT));
  form.advice = ToU16(FieldText(IDC_ADVICE));
  return form;
}

void PatientFormPanel::Save() {
  const FormResult built = BuildPatientInfo(ReadFields());
  switch (built.error) {
    case FormError::NameEmpty: ShowViewMessage(host_, IDS_NAME_REQUIRED); return;
    case FormError::HeightOrWeightOutOfRange:
      ShowViewMessage(host_, IDS_HEIGHT_WEIGHT_LIMIT);
      return;
    case FormError::None: break;
  }
  const FileResult saved = SaveInfo(host_.RegisterFolder(), built.info);
  if (!saved) ShowFileFailure(host_, IDS_SAVE_FAILED, RegisterPath(host_.RegisterFolder()), saved);
}

void PatientFormPanel::Delete() {
  const FileResult removed = DeleteInfo(host_.RegisterFolder(), person_);
  if (removed) {
    Refresh();
  } else if (removed.error != FileError::RecordNotFound) {
    // The register could not be rewritten: the entry is still there, and the user should know.
    ShowFileFailure(host_, IDS_SAVE_FAILED, RegisterPath(host_.RegisterFolder()), removed);
  }
}

void PatientFormPanel::Export() { RunExport(host_, ExportKind::Monitoring, person_); }

void PatientFormPanel::SetField(int id, const std::wstring& text) const {
  ::SetDlgItemTextW(form_, id, text.c_str());
}

std::wstring PatientFormPanel::FieldText(int id) const {
  return WindowText(::GetDlgItem(form_, id));
}

}  // namespace wd
