#include "tools/wardcli/input_file.h"

#include "data/file_io.h"
#include "tools/wardcli/commands.h"

namespace wd::cli {
namespace {

bool ReadStream(std::FILE* in, std::vector<std::uint8_t>& data) {
  std::uint8_t buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
    data.insert(data.end(), buffer, buffer + n);
  }
  return !std::ferror(in);
}

}  // namespace

std::optional<InputFile> ReadInputFile(const Invocation& invocation) {
  const std::string& operand = invocation.args.operands[0];
  InputFile input;
  if (operand == "-") {
    input.name = "standard input";
    if (!ReadStream(invocation.io.in, input.data)) {
      invocation.Note(input.name + ": read error");
      return std::nullopt;
    }
    return input;
  }
  input.name = operand;
  if (const FileResult read = fileio::ReadAll(PathFromArg(operand), input.data); !read) {
    invocation.Note(input.name + ": " + Describe(read));
    return std::nullopt;
  }
  return input;
}

std::optional<MonitorFileContents> ParseMonitorInput(const Invocation& invocation,
                                                     const InputFile& input) {
  std::optional<MonitorFileContents> contents = ParseMonitorFile(input.data);
  if (!contents) {
    invocation.Note(input.name + ": not a monitoring file: " + std::to_string(input.data.size()) +
                    " byte(s), less than a patient id");
  }
  return contents;
}

void WarnIgnoredBytes(std::FILE* err, const std::string& name, std::size_t bytes,
                      const char* unit) {
  if (bytes == 0) return;
  std::fprintf(err, "wardcli: %s: warning: ignored %zu trailing byte(s) of an incomplete %s\n",
               name.c_str(), bytes, unit);
}

}  // namespace wd::cli
