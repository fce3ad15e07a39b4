// wardcli: the command-line companion of the window program (dump files, download, erase).

#include <cstdio>
#include <string>

#include "data/csv_writer.h"
#include "tools/wardcli/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#ifdef _WIN32
// Wide arguments, so file names in any script reach the commands intact (as UTF-8).
int wmain(int argc, wchar_t** argv) {
  // Data as bytes, no newline translation: CSV out, data files in through "dump -".
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
  wd::cli::Args args;
  for (int i = 1; i < argc; ++i) {
    std::u16string wide(argv[i], argv[i] + std::char_traits<wchar_t>::length(argv[i]));
    args.push_back(wd::Utf16ToUtf8(wide));
  }
  return wd::cli::Wardcli(args, {stdin, stdout, stderr});
}
#else
int main(int argc, char** argv) {
  return wd::cli::Wardcli(wd::cli::Args(argv + 1, argv + argc), {stdin, stdout, stderr});
}
#endif
