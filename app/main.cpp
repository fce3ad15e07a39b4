// wardDesk: downloads, shows and keeps the records of the PM7700Q bedside monitor.

#include <windows.h>

#include "app/main_frame.h"
#include "app/wardDesk_app.h"
#include "framework/exception_report.h"
#include "framework/message_box.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/text_format.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wd::CwardDeskApp app;
  // What no boundary may swallow silently: the user is told, the program goes on.
  fw::SetExceptionSink([&app](const std::string& where, const std::string& what) {
    const std::wstring text = fw::LoadStringResource(IDS_UNEXPECTED_ERROR) + L"\n\n" +
                              wd::Widen(where) + L": " + wd::Widen(what);
    const HWND owner = app.MainFrame() != nullptr ? app.MainFrame()->hwnd() : nullptr;
    fw::ShowMessageBox(owner, text, fw::LoadStringResource(IDS_APP_TITLE), MB_OK | MB_ICONERROR);
  });
  if (!app.InitInstance()) return 0;
  return app.Run();
}
