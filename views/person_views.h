#pragma once
// What the frame asks of the views that are about persons.

#include "data/patient_id.h"

namespace wd {

// The monitoring list and the trend view: one person, given before the initial update.
class PersonView {
 public:
  virtual ~PersonView() = default;
  // The store's key of the person, or null for none (the view then shows no person).
  virtual void SetPerson(const PatientId* key) = 0;
  // The person shown; all zero when none.
  virtual const PatientId& Person() const = 0;
};

// The ward-round list: the person of the selected row, if a row is selected.
class PersonPicker {
 public:
  virtual ~PersonPicker() = default;
  virtual const PatientId* SelectedPerson() const = 0;
};

}  // namespace wd
