#include "views/monitor_list_view.h"

#include "res/resource.h"
#include "views/text_format.h"

namespace wd {

CMonitorListView::CMonitorListView(ViewHost& host) : CFormViewDPI(IDD_MONITOR_LIST_VIEW), host_(host) {}

void CMonitorListView::SetPerson(const PatientId* key) { person_ = key != nullptr ? *key : PatientId{}; }

void CMonitorListView::OnInitialUpdate() {
  CFormViewDPI::OnInitialUpdate();
  ::SetDlgItemTextW(hwnd(), IDC_PATIENT_ID, Widen(person_.DisplayText()).c_str());
}

}  // namespace wd
