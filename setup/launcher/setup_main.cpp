// Setup: lets the user choose an installation language among the language folders beside it and
// starts that language's installer package.
#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "language_dialog.h"
#include "language_search.h"
#include "launcher_rules.h"
#include "package_opener.h"

namespace {

std::wstring ProgramPath(HINSTANCE instance) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(instance, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: deep folders exceed MAX_PATH
  }
}

// Setup often runs from a downloads folder: DLLs planted beside it must not be loaded later
// (by the shell, for instance). Looked up, since Windows 7 without its update lacks it.
void LoadLibrariesFromSystemOnly() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const FARPROC found =
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (found == nullptr) return;
  const auto setDirectories = reinterpret_cast<SetDirectories>(reinterpret_cast<void (*)()>(found));
  setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// The shell may hand the "open" verb to COM-based handlers, which want an apartment.
class ComApartment {
 public:
  ComApartment()
      : initialised_(
            SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }

 private:
  bool initialised_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  LoadLibrariesFromSystemOnly();
  try {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const ComApartment com;

    const std::wstring folder = setup::FolderOfProgram(ProgramPath(instance));
    const int templateId = setup::DialogTemplateFor(GetSystemDefaultLangID());
    setup::LanguageDialog dialog(instance, templateId, setup::FindInstalledLanguages(folder),
                                 folder, setup::OpenWithShell);
    dialog.Run();
  } catch (...) {
    return 1;
  }
  return 0;
}
