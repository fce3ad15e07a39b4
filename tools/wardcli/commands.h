#pragma once
// The subcommands of wardcli. Each takes its own arguments (without the command name) and
// returns the process exit status: 0 success, 1 device or transfer failure, 2 usage error,
// 3 unreadable input.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace wd::cli {

using Args = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitUnreadable = 3;

// Arguments arrive as UTF-8 on every platform (wmain converts on Windows).
inline std::filesystem::path PathFromArg(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

int RunDump(const Args& args);
int RunDownload(const Args& args);
int RunClear(const Args& args);

// The streams a command writes to, so tests can capture them.
struct Io {
  std::FILE* out;
  std::FILE* err;
};
int Dump(const Args& args, const Io& io);

}  // namespace wd::cli
