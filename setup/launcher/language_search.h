// Finds the installation languages present beside the launcher.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "launcher_rules.h"

namespace setup {

// The language's own name for itself ("English", "中文 (简体)"), or nothing when the system
// does not know the identifier.
using NativeNameLookup = std::function<std::optional<std::wstring>(int languageId)>;

std::optional<std::wstring> SystemNativeLanguageName(int languageId);

// Every sub-folder of `folder` (which ends with a backslash) whose name starts with a known
// language identifier. A later folder with the same identifier replaces the earlier name.
// A folder that cannot be searched gives an empty table.
LanguageTable FindInstalledLanguages(const std::wstring& folder,
                                     const NativeNameLookup& nativeName = SystemNativeLanguageName);

}  // namespace setup
