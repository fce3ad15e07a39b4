#pragma once
// The commands of wardcli and the table that declares them. A new command is one row of the
// table (command_table.cpp) and one run function here.

#include <filesystem>
#include <span>
#include <string>

#include "tools/wardcli/command_line.h"

namespace wd::cli {

// Arguments arrive as UTF-8 on every platform (wmain converts on Windows).
inline std::filesystem::path PathFromArg(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

int RunDump(const Invocation& invocation);
int RunDownload(const Invocation& invocation);
int RunClear(const Invocation& invocation);
int RunSummary(const Invocation& invocation);
int RunArchiveList(const Invocation& invocation);
int RunArchiveHistory(const Invocation& invocation);
int RunArchiveDelete(const Invocation& invocation);

std::span<const CommandSpec> Commands();

// wardcli itself: the arguments after the program's name.
int Wardcli(const Args& args, const Io& io);

}  // namespace wd::cli
