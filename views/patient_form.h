#pragma once
// The patient form of the monitoring list (template 346) and the trend view (template 383):
// the register entry's fields, the id, the time span of the records, the units label, the
// collapse and expand buttons, and save, delete and export with their messages and colours.
// A view owns one, attaches it in its initial update and hands it its commands and colours;
// the view keeps only what differs (the list or the charts, and what collapse hides).
//
//   void CTrendView::OnInitialUpdate() {
//     CFormViewDPI::OnInitialUpdate();
//     form_.Attach(*this, person_, {CollapseRule::Hide::Only, {IDC_SHOW_TABLE,
//     IDC_EXPORT_MONITOR}}); form_.ShowTimeSpan(first, last);     // the earliest and latest
//     record, or null form_.SetHasRecords(count > 0);      // save/delete need a person, export
//     records too
//   }
//   bool ExecuteCommand(UINT id) override { return form_.ExecuteCommand(id) || ...; }
//   std::optional<fw::CommandState> QueryCommand(UINT id) const override {...same...}
//   HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override {
//     if (IsChart(control)) return nullptr;
//     return form_.OnCtlColor(dc, control, kind);
//   }

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "controls/image_button.h"
#include "controls/limited_edit.h"
#include "data/patient_id.h"
#include "data/patient_info.h"
#include "data/vital_record.h"
#include "framework/command_table.h"
#include "framework/form_view.h"
#include "framework/handles.h"
#include "views/view_host.h"

namespace wd {

// What the collapse button hides besides itself: every other control of the view but the ones
// named (the monitoring list keeps its list), or only the ones named (the trend view hides its
// table and export buttons). The expand button brings back what was hidden.
struct CollapseRule {
  enum class Hide { AllBut, Only } hide = Hide::Only;
  std::vector<int> ids;
  // The view's own re-layout after a collapse (true) or an expand (false).
  std::function<void(bool collapsed)> changed;
};

class PatientFormPanel {
 public:
  explicit PatientFormPanel(ViewHost& host);
  PatientFormPanel(const PatientFormPanel&) = delete;
  PatientFormPanel& operator=(const PatientFormPanel&) = delete;

  // Binds the form's controls of `view` and sets them up for `person` (all zero: no person):
  // the edits' length limits, the sex box with its read-only edit part, the id, the two image
  // buttons (the expand button hidden), the units label, and the fields from the register.
  void Attach(fw::FormView& view, const PatientId& person, CollapseRule collapse);

  const PatientId& Person() const { return person_; }

  // Fills the fields from the register. Not found: the fields empty, no sex, the id kept.
  void Refresh();
  // The start and end edits show the given records' dates and times; null leaves them empty.
  void ShowTimeSpan(const VitalRecord* first, const VitalRecord* last);
  // Save and delete need a person; export needs a person with records.
  void SetHasRecords(bool hasRecords) { hasRecords_ = hasRecords; }

  // The form's own buttons: save (1018), delete (1019), export (1026), collapse (1028) and
  // expand (1029). True when `id` is one of them (a disabled one then does nothing).
  bool ExecuteCommand(UINT id) { return Commands().Execute(*this, id); }
  std::optional<fw::CommandState> QueryCommand(UINT id) const {
    return Commands().Query(*this, id);
  }
  bool Collapsed() const { return collapsed_; }

  // The colours of the form: the dialog and every label, read-only edit and the sex box's list
  // light blue with black text; the five editable fields keep the system's. Null: default.
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) const;
  HBRUSH Background() const { return background_.get(); }

  CButtonST& CollapseButton() { return collapse_; }
  CButtonST& ExpandButton() { return expand_; }

  // What the form holds, as the register would get it.
  PatientForm ReadFields() const;

 private:
  static const fw::CommandTable<PatientFormPanel>& Commands();
  bool HasPerson() const { return !person_.IsEmpty(); }
  bool CanExport() const { return HasPerson() && hasRecords_; }

  void SetUpSexBox() const;
  void SetUpImageButton(CButtonST& button, UINT icon);
  void ShowUnits() const;
  void Save();
  void Delete();
  void Export();
  void Collapse();
  void Expand();
  void SetField(int id, const std::wstring& text) const;
  std::wstring FieldText(int id) const;

  ViewHost& host_;
  HWND form_ = nullptr;
  PatientId person_{};
  fw::Brush background_;
  // Name, age, height, weight, advice.
  std::array<CEdit50, 5> edits_;
  CButtonST collapse_;
  CButtonST expand_;
  CollapseRule collapseRule_;
  std::vector<HWND> hiddenByCollapse_;
  bool collapsed_ = false;
  bool hasRecords_ = false;
};

}  // namespace wd
