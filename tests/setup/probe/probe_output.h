// What the test probes print: "key: value" lines in UTF-8 on standard output, whatever the
// console's code page.
#pragma once

#include <string>

void PrintLine(const std::wstring& key, const std::wstring& value);
