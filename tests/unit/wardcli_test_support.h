#pragma once
// Running wardcli in-process with its streams captured.

#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

#include "tools/wardcli/commands.h"

namespace wd::cli::test {

struct Captured {
  int status;
  std::string out;
  std::string err;
};

// Reads a temporary stream from its start and closes it.
inline std::string Slurp(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

// Runs the command line of `table` with `input` as standard input.
inline Captured RunWith(std::span<const CommandSpec> table, const Args& args,
                        const std::string& input = {}) {
  std::FILE* in = std::tmpfile();
  std::fwrite(input.data(), 1, input.size(), in);
  std::rewind(in);
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = RunCommandLine(table, args, Io{in, out, err});
  std::fclose(in);
  return {status, Slurp(out), Slurp(err)};
}

// Runs wardcli's own command table.
inline Captured Cli(const Args& args, const std::string& input = {}) {
  return RunWith(Commands(), args, input);
}

// A path as the command line passes it: UTF-8.
inline std::string PathArg(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace wd::cli::test
