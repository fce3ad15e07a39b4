#pragma once
// An id as wardcli prints it.

#include <string>

#include "data/patient_id.h"

namespace wd::cli {

// An id as text that is valid UTF-8 whatever its bytes: printable ASCII as it is, up to the
// first zero byte as the lists show it; any other byte, and the backslash, as \xNN.
std::string IdText(const PatientId& id);

}  // namespace wd::cli
