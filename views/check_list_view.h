#pragma once
// The ward-round list: every ward-round record of every person, with the register's details.

#include "controls/dpi_form_view.h"
#include "views/person_views.h"
#include "views/view_host.h"

namespace wd {

class CCheckListView : public CFormViewDPI, public PersonPicker {
 public:
  explicit CCheckListView(ViewHost& host);
  const PatientId* SelectedPerson() const override;

 private:
  ViewHost& host_;
};

}  // namespace wd
