// Starting an installer package. The launcher takes the opener as a parameter so tests can see
// which package it would start without running the installer.
#pragma once

#include <functional>
#include <string>

namespace setup {

// Returns whether the package was started.
using PackageOpener = std::function<bool(const std::wstring& packagePath)>;

// Opens the package with the shell's "open" verb, without waiting for the installer.
bool OpenWithShell(const std::wstring& packagePath);

}  // namespace setup
