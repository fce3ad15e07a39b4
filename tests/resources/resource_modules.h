#pragma once
// The two resource modules under test: the test program itself, which links the program's
// compiled resources exactly as wardDesk.exe does, and rc_en.dll beside it.

#include <windows.h>

#include <string>
#include <vector>

namespace wd::test {

struct ResourceId {
  const char* name;
  int value;
};
// Every string and command id of resource.h (generated from it when the build is configured).
const std::vector<ResourceId>& StringIds();

struct Language {
  const char* name;
  HMODULE module;
};
HMODULE ProgramModule();
std::wstring EnglishLibraryPath();
// Loaded once with LoadLibraryW, as the program loads it; null when the file is missing.
HMODULE EnglishModule();
// Chinese (the program) and English; English is left out when the library is missing, which
// EnglishLibraryIsBesideTheProgram reports.
std::vector<Language> BothLanguages();

// The whole string-table entry, line breaks included; empty when there is none.
std::wstring LoadText(HMODULE module, int id);

// UTF-16 to UTF-8 for readable test messages.
std::string Narrow(const std::wstring& text);

}  // namespace wd::test
