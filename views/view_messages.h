#pragma once
// The message boxes the views show: the program's title as caption, the frame as owner.

#include <windows.h>

#include <filesystem>
#include <string>

#include "data/file_result.h"
#include "views/view_host.h"

namespace wd {

// String `stringId`, then `detail` on lines of its own when there is one.
void ShowViewMessage(ViewHost& host, UINT stringId, const std::wstring& detail = {});

// A file operation that failed: string `stringId`, the file, and the system's reason.
void ShowFileFailure(ViewHost& host, UINT stringId, const std::filesystem::path& path,
                     const FileResult& result);

// The system's own text for an error code, in the system's language; empty for 0.
std::wstring SystemErrorText(int code);

}  // namespace wd
