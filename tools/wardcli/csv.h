#pragma once
// CSV output (RFC 4180 quoting) and the UTF-16 to UTF-8 conversion the register needs.

#include <string>
#include <string_view>
#include <vector>

#include "data/patient_id.h"

namespace wd::cli {

// Quotes a field when it holds a comma, a quote or a line break; quotes are doubled.
std::string CsvField(std::string_view text);
std::string CsvLine(const std::vector<std::string>& fields);

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// An id as text that is valid UTF-8 whatever its bytes: printable ASCII as it is, up to the
// first zero byte as the lists show it; any other byte, and the backslash, as \xNN.
std::string IdText(const PatientId& id);

}  // namespace wd::cli
