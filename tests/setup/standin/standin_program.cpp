// Throw-away stand-in for wardDesk.exe, used only to test the installer packages while the
// window program is not in the build. It learns its language the way the program does: the
// per-user "Language" value, and "rc_en.dll" beside it for English.
#include <windows.h>

#include <string>

namespace {

constexpr UINT kGreetingId = 1;

bool EnglishChosen() {
  DWORD language = 1;
  DWORD size = sizeof(language);
  const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\pulsora pro\\setup",
                                      L"Language", RRF_RT_REG_DWORD, nullptr, &language, &size);
  return status == ERROR_SUCCESS && language == 0;
}

HMODULE EnglishResources() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.rfind(L'\\') + 1);
  return LoadLibraryExW((folder + L"rc_en.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  HMODULE resources = EnglishChosen() ? EnglishResources() : nullptr;
  wchar_t greeting[128] = {};
  LoadStringW(resources ? resources : instance, kGreetingId, greeting, 128);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"StandInProgram";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"StandInProgram", L"Pulsora Pro", WS_OVERLAPPEDWINDOW, 40, 40, 420,
                              160, nullptr, nullptr, instance, nullptr);
  CreateWindowW(L"STATIC", greeting, WS_CHILD | WS_VISIBLE, 20, 30, 360, 40, window, nullptr,
                instance, nullptr);
  ShowWindow(window, show);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (resources) FreeLibrary(resources);
  return 0;
}
