#pragma once
// One person's trend charts (SpO2, pulse rate, NIBP), with the patient form.

#include "controls/dpi_form_view.h"
#include "views/person_views.h"
#include "views/view_host.h"

namespace wd {

class CTrendView : public CFormViewDPI, public PersonView {
 public:
  explicit CTrendView(ViewHost& host);
  void SetPerson(const PatientId* key) override;
  const PatientId& Person() const override { return person_; }

 protected:
  void OnInitialUpdate() override;

 private:
  ViewHost& host_;
  PatientId person_{};
};

}  // namespace wd
