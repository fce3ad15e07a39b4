// wardcli: the command-line companion of the window program (dump files, download, erase).

#include <cstdio>
#include <string_view>

#include "tools/wardcli/commands.h"
#include "tools/wardcli/csv.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

struct Command {
  std::string_view name;
  int (*run)(const wd::cli::Args&);
  std::string_view summary;
};

constexpr Command kCommands[] = {
    {"dump", wd::cli::RunDump, "dump [--as mdat|cdat|register] FILE   print a file as CSV"},
    {"download", wd::cli::RunDownload,
     "download PORT [--monitoring] [--ward-round] --out DIR   fetch the monitor's records"},
    {"clear", wd::cli::RunClear, "clear PORT [--monitoring] [--ward-round]   erase its stores"},
};

int Usage() {
  std::fputs("usage: wardcli COMMAND [ARGS]\n", stderr);
  for (const Command& command : kCommands) {
    std::fprintf(stderr, "  wardcli %.*s\n", static_cast<int>(command.summary.size()),
                 command.summary.data());
  }
  return wd::cli::kExitUsage;
}

int Run(const wd::cli::Args& args) {
  if (args.empty()) return Usage();
  for (const Command& command : kCommands) {
    if (command.name == args[0]) return command.run(wd::cli::Args(args.begin() + 1, args.end()));
  }
  return Usage();
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so file names in any script reach the commands intact (as UTF-8).
int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // CSV as bytes, no newline translation
  wd::cli::Args args;
  for (int i = 1; i < argc; ++i) {
    std::u16string wide(argv[i], argv[i] + std::char_traits<wchar_t>::length(argv[i]));
    args.push_back(wd::cli::Utf16ToUtf8(wide));
  }
  return Run(args);
}
#else
int main(int argc, char** argv) { return Run(wd::cli::Args(argv + 1, argv + argc)); }
#endif
