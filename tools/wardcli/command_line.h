#pragma once
// wardcli's command line, driven by one table: each command declares its name, options and
// operand once, and both the parser and the --help text are made from that declaration, so
// the two cannot disagree.

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/device_message.h"

namespace wd::cli {

using Args = std::vector<std::string>;

// Exit status of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;      // device or transfer failure, refused
inline constexpr int kExitUsage = 2;       // bad command line
inline constexpr int kExitUnreadable = 3;  // input that cannot be read

// The streams a command reads and writes, so tests can capture them.
struct Io {
  std::FILE* in;
  std::FILE* out;
  std::FILE* err;
};

struct Invocation;

struct OptionSpec {
  std::string_view name;   // "--port"
  std::string_view value;  // placeholder of its value ("DEVICE"); empty for a flag
  std::string_view help;   // one line
  bool required = false;
};

struct CommandSpec {
  std::string_view name;     // the words after "wardcli": "dump", or "archive list"
  std::string_view summary;  // one line in the list of commands
  std::span<const OptionSpec> options;
  std::string_view
      operand;  // placeholders of the operands it requires ("FILE", "DIR ID"); empty: none
  std::string_view details;  // what --help shows after the options; lines end in '\n'
  int (*run)(const Invocation&);
};

// Options every command takes besides its own.
inline constexpr OptionSpec kCommonOptions[] = {
    {"--lang", "en|zh", "the monitor's messages in English (default) or Chinese"},
    {"--help", "", "show this help and exit"},
};

struct ParsedArgs {
  std::vector<std::pair<std::string_view, std::string>> given;  // option name, value
  std::vector<std::string> operands;  // as many as the command's placeholders

  bool Has(std::string_view option) const;
  std::optional<std::string> Value(std::string_view option) const;
};

struct ParseResult {
  enum class Outcome { Run, Help, Error } outcome = Outcome::Run;
  ParsedArgs args;
  std::string error;  // with Error
};

// Reads the arguments that follow the command's name. --help anywhere asks for the help.
ParseResult ParseArgs(const CommandSpec& command, const Args& args);

// "usage: wardcli download --port DEVICE --out DIR [--monitoring] ...", wrapped to 100 columns.
std::string Synopsis(const CommandSpec& command);
// The synopsis, the summary, one line per option and the details.
std::string CommandHelp(const CommandSpec& command);

// What a command is run with.
struct Invocation {
  const CommandSpec& command;
  const ParsedArgs& args;
  Io io;
  MessageLanguage language;

  std::string_view Text(DeviceMessage message) const { return MessageText(message, language); }
  // "wardcli: TEXT" on stderr: an error, or how a command went.
  void Note(std::string_view text) const;
  // The problem and the synopsis on stderr; returns kExitUsage.
  int UsageError(std::string_view problem) const;
};

// Whether the stream is a terminal (a console on Windows) rather than a file or a pipe.
bool IsTerminal(std::FILE* stream);

// Asks `question` on stderr and reads the answer from stdin: "y" or "yes" is yes, "n" or "no"
// is no, an empty line is `yes` by default, anything else (and no answer) is no.
bool AskYesNo(const Invocation& invocation, std::string_view question, bool yesByDefault);

// Finds the command the arguments name, parses the rest and runs it. Answers --help and
// "help [COMMAND]" itself, and lists the commands when none or an unknown one is named (on
// stderr with kExitUsage, or on stdout with kExitOk when help was asked for).
int RunCommandLine(std::span<const CommandSpec> commands, const Args& args, const Io& io);

}  // namespace wd::cli
