#include "framework/file_dialog.h"

#include <cderr.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/modal_loop.h"

namespace fw {
namespace {

// Room for the longest path the system takes; a multi-selection would need more, which
// FNERR_BUFFERTOOSMALL reports and the retry provides.
constexpr std::size_t kInitialBuffer = 32768;

std::optional<std::wstring> RunFileDialog(const FileDialogOptions& options, bool save) {
  const std::wstring filter = FilterToDoubleNull(options.filter);
  std::wstring folder = options.initialFolder;
  if (folder.empty()) {
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    folder.resize(length);
    folder.resize(::GetCurrentDirectoryW(length, folder.data()));
  }

  std::size_t capacity = std::max(kInitialBuffer, options.initialName.size() + 1);
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::vector<wchar_t> buffer(capacity, L'\0');
    options.initialName.copy(buffer.data(), options.initialName.size());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = options.owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 0x7FFFFFFF));
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = options.title.empty() ? nullptr : options.title.c_str();
    dialog.lpstrDefExt =
        options.defaultExtension.empty() ? nullptr : options.defaultExtension.c_str();
    dialog.Flags = options.flags;

    ModalLoop loop;
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (chosen) return std::wstring(buffer.data());
    if (::CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) return std::nullopt;
    // The first two bytes of the buffer now give the size needed.
    std::size_t needed = 0;
    std::memcpy(&needed, buffer.data(), sizeof(WORD));
    capacity = std::max(capacity * 2, needed + 1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::wstring> ShowOpenFileDialog(const FileDialogOptions& options) {
  return RunFileDialog(options, false);
}

std::optional<std::wstring> ShowSaveFileDialog(const FileDialogOptions& options) {
  return RunFileDialog(options, true);
}

std::wstring FilterToDoubleNull(std::wstring_view filter) {
  std::wstring result;
  std::size_t start = 0;
  std::vector<std::wstring_view> parts;
  while (start <= filter.size()) {
    const std::size_t bar = filter.find(L'|', start);
    const std::size_t end = bar == std::wstring_view::npos ? filter.size() : bar;
    parts.push_back(filter.substr(start, end - start));
    if (bar == std::wstring_view::npos) break;
    start = bar + 1;
  }
  // Description/pattern pairs up to the first empty description (the closing "||").
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() || parts[i + 1].empty()) break;
    result.append(parts[i]).push_back(L'\0');
    result.append(parts[i + 1]).push_back(L'\0');
  }
  if (!result.empty()) result.push_back(L'\0');
  return result;
}

}  // namespace fw
