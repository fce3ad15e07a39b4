#include "views/trend_view.h"

#include "res/resource.h"
#include "views/text_format.h"

namespace wd {

CTrendView::CTrendView(ViewHost& host) : CFormViewDPI(IDD_TREND_VIEW), host_(host) {}

void CTrendView::SetPerson(const PatientId* key) { person_ = key != nullptr ? *key : PatientId{}; }

void CTrendView::OnInitialUpdate() {
  CFormViewDPI::OnInitialUpdate();
  ::SetDlgItemTextW(hwnd(), IDC_PATIENT_ID, Widen(person_.DisplayText()).c_str());
}

}  // namespace wd
