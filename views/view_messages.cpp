#include "views/view_messages.h"

#include "framework/message_box.h"
#include "framework/resource_module.h"
#include "res/resource.h"

namespace wd {

void ShowViewMessage(ViewHost& host, UINT stringId, const std::wstring& detail) {
  std::wstring text = fw::LoadStringResource(stringId);
  if (!detail.empty()) text += L"\n\n" + detail;
  fw::ShowMessageBox(host.FrameWindow(), text, fw::LoadStringResource(IDS_APP_TITLE),
                     MB_OK | MB_ICONWARNING);
}

void ShowFileFailure(ViewHost& host, UINT stringId, const std::filesystem::path& path,
                     const FileResult& result) {
  std::wstring detail = path.wstring();
  const std::wstring reason = SystemErrorText(result.systemCode);
  if (!reason.empty()) detail += L"\n" + reason;
  ShowViewMessage(host, stringId, detail);
}

std::wstring SystemErrorText(int code) {
  if (code == 0) return {};
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text =
      length > 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) text = L"#" + std::to_wstring(code);
  return text;
}

}  // namespace wd
