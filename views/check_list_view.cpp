#include "views/check_list_view.h"

#include "res/resource.h"

namespace wd {

CCheckListView::CCheckListView(ViewHost& host) : CFormViewDPI(IDD_CHECK_LIST_VIEW), host_(host) {}

const PatientId* CCheckListView::SelectedPerson() const { return nullptr; }

}  // namespace wd
