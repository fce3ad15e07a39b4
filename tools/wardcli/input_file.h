#pragma once
// The data file a command reads: its operand, or standard input for "-".

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/data_files.h"
#include "tools/wardcli/command_line.h"

namespace wd::cli {

struct InputFile {
  std::string name;  // as the messages call it: the operand, or "standard input"
  std::vector<std::uint8_t> data;
};

// The whole input; nothing after noting why it cannot be read.
std::optional<InputFile> ReadInputFile(const Invocation& invocation);

// The input as a ".mDat"; nothing after noting that it holds no whole patient id.
std::optional<MonitorFileContents> ParseMonitorInput(const Invocation& invocation,
                                                     const InputFile& input);

// "wardcli: NAME: warning: ignored N trailing byte(s) of an incomplete UNIT", when N > 0.
void WarnIgnoredBytes(std::FILE* err, const std::string& name, std::size_t bytes, const char* unit);

}  // namespace wd::cli
