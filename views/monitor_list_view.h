#pragma once
// One person's monitoring records as a table, with the patient form.

#include "controls/dpi_form_view.h"
#include "views/person_views.h"
#include "views/view_host.h"

namespace wd {

class CMonitorListView : public CFormViewDPI, public PersonView {
 public:
  explicit CMonitorListView(ViewHost& host);
  void SetPerson(const PatientId* key) override;
  const PatientId& Person() const override { return person_; }

 protected:
  void OnInitialUpdate() override;

 private:
  ViewHost& host_;
  PatientId person_{};
};

}  // namespace wd
