// Test tool: waits for a window of another program under Wine, reports what it shows, can
// save a screenshot and press the dialog's buttons.
//   window_probe dialog CAPTION [--select N] [--about FILE.png] [--ok | --cancel] [--shot FILE.png]
//   window_probe program IMAGE.exe [--shot FILE.png]
// Prints UTF-8 lines "caption: ...", "entry: ...", "selected: N", "text: ...".
// Exit status 0 when the window was found, 1 when not, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "probe_output.h"
#include "window_capture.h"

namespace {

constexpr DWORD kWaitMs = 60000;

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  // WM_GETTEXT reaches controls of other processes, unlike GetWindowText.
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return text;
}

std::wstring ImageNameOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return {};
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  const BOOL ok = QueryFullProcessImageNameW(process, 0, path, &size);
  CloseHandle(process);
  if (!ok) return {};
  const std::wstring full(path, size);
  return full.substr(full.rfind(L'\\') + 1);
}

struct Search {
  std::wstring caption;
  std::wstring image;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  if (!IsWindowVisible(window)) return TRUE;
  const bool match = !search->caption.empty()
                         ? TextOf(window) == search->caption
                         : _wcsicmp(ImageNameOf(window).c_str(), search->image.c_str()) == 0;
  if (!match) return TRUE;
  search->found = window;
  return FALSE;
}

HWND WaitForWindow(Search search) {
  const ULONGLONG deadline = GetTickCount64() + kWaitMs;
  while (GetTickCount64() < deadline) {
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(200);
  }
  return nullptr;
}

BOOL CALLBACK PrintChildText(HWND child, LPARAM) {
  const std::wstring text = TextOf(child);
  if (!text.empty() && IsWindowVisible(child)) PrintLine(L"text", text);
  return TRUE;
}

std::wstring Option(const std::vector<std::wstring>& args, const wchar_t* name) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == name) return args[i + 1];
  return {};
}

bool Flag(const std::vector<std::wstring>& args, const wchar_t* name) {
  for (const auto& arg : args)
    if (arg == name) return true;
  return false;
}

void ReportList(HWND list) {
  const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t entry[260] = {};
    // The text travels back across processes only through the system's marshalling.
    if (SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 260)
      SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
    PrintLine(L"entry", entry);
  }
  PrintLine(L"selected", std::to_wstring(SendMessageW(list, CB_GETCURSEL, 0, 0)));
}

// Has the window's thread paint it now: a window of another process is painted through a sent
// message, so this returns once the paint is done (or after the limit).
void PaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, kWaitMs, &ignored);
}

BOOL CALLBACK FindLabelledButton(HWND child, LPARAM found) {
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  if (_wcsicmp(className, L"Button") != 0 || !IsWindowVisible(child) || TextOf(child).empty())
    return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

// The program has built its first view once a labelled button shows inside its frame.
bool WaitForFirstView(HWND window) {
  const ULONGLONG deadline = GetTickCount64() + kWaitMs;
  while (GetTickCount64() < deadline) {
    bool found = false;
    EnumChildWindows(window, FindLabelledButton, reinterpret_cast<LPARAM>(&found));
    if (found) return true;
    Sleep(100);
  }
  return false;
}

bool WaitUntilGone(HWND window) {
  const ULONGLONG deadline = GetTickCount64() + kWaitMs;
  while (IsWindow(window) && GetTickCount64() < deadline) Sleep(50);
  return !IsWindow(window);
}

// Pictures the window once it has painted itself.
void Picture(HWND window, const std::wstring& shot) {
  if (shot.empty()) return;
  for (int attempt = 0; attempt < 40; ++attempt, Sleep(250))
    if (SaveWindowPicture(window, shot)) return;
  PrintLine(L"error", L"no screenshot");
}

// Opens the About box from the system menu, pictures it and closes it again.
void ShowAbout(HWND dialog, const std::wstring& shot) {
  PostMessageW(dialog, WM_SYSCOMMAND, 0x0010, 0);
  HWND about = WaitForWindow({L"关于 Setup", L"", nullptr});
  if (about == nullptr) return PrintLine(L"error", L"no About box");
  PrintLine(L"about", TextOf(about));
  PaintNow(about);
  Picture(about, shot);
  PostMessageW(about, WM_COMMAND, IDOK, 0);
  if (!WaitUntilGone(about)) PrintLine(L"error", L"the About box did not close");
}

int ProbeDialog(const std::vector<std::wstring>& args) {
  HWND dialog = WaitForWindow({args[1], L"", nullptr});
  if (dialog == nullptr) return 1;
  PrintLine(L"caption", TextOf(dialog));
  HWND list = GetDlgItem(dialog, 1000);
  const std::wstring select = Option(args, L"--select");
  if (!select.empty()) SendMessageW(list, CB_SETCURSEL, std::stoul(select), 0);
  ReportList(list);
  PaintNow(dialog);
  Picture(dialog, Option(args, L"--shot"));
  const std::wstring aboutShot = Option(args, L"--about");
  if (!aboutShot.empty()) ShowAbout(dialog, aboutShot);
  if (Flag(args, L"--ok")) PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  if (Flag(args, L"--cancel")) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return 0;
}

int ProbeProgram(const std::vector<std::wstring>& args) {
  HWND window = WaitForWindow({L"", args[1], nullptr});
  if (window == nullptr) return 1;
  // The frame appears before the program builds its first view in it.
  if (!WaitForFirstView(window)) PrintLine(L"error", L"no view in the program's window");
  PaintNow(window);
  PrintLine(L"caption", TextOf(window));
  EnumChildWindows(window, PrintChildText, 0);
  Picture(window, Option(args, L"--shot"));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() >= 2 && args[0] == L"dialog") return ProbeDialog(args);
  if (args.size() >= 2 && args[0] == L"program") return ProbeProgram(args);
  std::fputs(
      "usage: window_probe dialog CAPTION [--select N] [--about FILE] [--ok|--cancel]"
      " [--shot FILE]\n"
      "       window_probe program IMAGE.exe [--shot FILE]\n",
      stderr);
  return 2;
}
