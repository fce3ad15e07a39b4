#include "app/wardDesk_app.h"

#include <commctrl.h>

#include <vector>

#include "app/main_frame.h"
#include "framework/message_loop.h"
#include "framework/resource_module.h"

namespace wd {

std::filesystem::path ExecutableFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size())
      return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path();
    buffer.resize(buffer.size() * 2);
  }
}

CwardDeskApp::CwardDeskApp(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)) {}

CwardDeskApp::~CwardDeskApp() {
  mainFrame_.reset();
  // The English library may be current: hand the lookups back before it goes.
  fw::ResourceModule::SetCurrent(nullptr);
}

bool CwardDeskApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                     ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);
  m_bChinese = 1;

  const std::filesystem::path english = programFolder_ / L"rc_en.dll";
  std::error_code error;
  if (std::filesystem::is_regular_file(english, error)) {
    m_hEnglishRes = fw::LoadResourceLibrary(english.wstring());
  }

  mainFrame_ = std::make_unique<CMainFrame>(*this);
  if (!mainFrame_->CreateMainWindow()) {
    mainFrame_.reset();
    return false;
  }
  ::ShowWindow(mainFrame_->hwnd(), SW_SHOWMAXIMIZED);
  ::UpdateWindow(mainFrame_->hwnd());
  return true;
}

int CwardDeskApp::Run() { return fw::RunMessageLoop(); }

}  // namespace wd
