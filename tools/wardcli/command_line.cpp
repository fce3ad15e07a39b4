#include "tools/wardcli/command_line.h"

#include <algorithm>
#include <cctype>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace wd::cli {
namespace {

constexpr std::size_t kColumns = 100;
constexpr std::string_view kExitStatus =
    "exit status: 0 done, 1 device or transfer failure (or an erase declined), 2 usage error,\n"
    "             3 unreadable input\n";

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  while (!text.empty()) {
    const std::size_t space = text.find(' ');
    words.push_back(text.substr(0, space));
    text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
  }
  return words;
}

// How many leading arguments equal the leading words of `name`.
std::size_t Matching(std::string_view name, const Args& args) {
  const std::vector<std::string_view> words = Words(name);
  std::size_t n = 0;
  while (n < words.size() && n < args.size() && words[n] == args[n]) ++n;
  return n;
}

// The command's own options, then the common ones.
std::vector<const OptionSpec*> AllOptions(const CommandSpec& command) {
  std::vector<const OptionSpec*> all;
  for (const OptionSpec& option : command.options) all.push_back(&option);
  for (const OptionSpec& option : kCommonOptions) all.push_back(&option);
  return all;
}

const OptionSpec* FindOption(const CommandSpec& command, std::string_view name) {
  for (const OptionSpec* option : AllOptions(command)) {
    if (option->name == name || (name == "-h" && option->name == "--help")) return option;
  }
  return nullptr;
}

std::string Usage(const OptionSpec& option) {
  std::string text(option.name);
  if (!option.value.empty()) text.append(" ").append(option.value);
  return text;
}

// The commands whose names start with `prefix` words, with the words after them.
std::string CommandList(std::span<const CommandSpec> commands, std::string_view prefix) {
  const std::string lead = prefix.empty() ? std::string() : std::string(prefix) + " ";
  std::size_t width = 0;
  for (const CommandSpec& command : commands) {
    if (command.name.starts_with(lead)) width = std::max(width, command.name.size() - lead.size());
  }
  const std::string what = lead + (lead.empty() ? "COMMAND" : "SUBCOMMAND");
  std::string text = "usage: wardcli " + what + " [OPTIONS]\n       wardcli " + what +
                     " --help\n       wardcli help " + what + "\n\n" +
                     (lead.empty() ? "commands:\n" : "subcommands:\n");
  for (const CommandSpec& command : commands) {
    if (!command.name.starts_with(lead)) continue;
    std::string name(command.name.substr(lead.size()));
    name.resize(width + 3, ' ');
    text += "  " + name + std::string(command.summary) + "\n";
  }
  return text + "\n" + std::string(kExitStatus);
}

int Refuse(const Io& io, const std::string& problem, const std::string& list) {
  std::fprintf(io.err, "wardcli: %s\n%s", problem.c_str(), list.c_str());
  return kExitUsage;
}

int Show(std::FILE* stream, const std::string& text) {
  std::fputs(text.c_str(), stream);
  return kExitOk;
}

// The words of the group (the leading words several commands share) the arguments name, or
// empty when they name none.
std::string GroupNamed(std::span<const CommandSpec> commands, const Args& args) {
  std::string group;
  for (const CommandSpec& command : commands) {
    const std::size_t n = Matching(command.name, args);
    const std::vector<std::string_view> words = Words(command.name);
    if (n == 0 || n == words.size()) continue;
    std::string candidate;
    for (std::size_t i = 0; i < n; ++i) candidate += (i ? " " : "") + std::string(words[i]);
    if (candidate.size() > group.size()) group = candidate;
  }
  return group;
}

int RunParsed(const CommandSpec& command, const Args& rest, const Io& io) {
  const ParseResult parsed = ParseArgs(command, rest);
  if (parsed.outcome == ParseResult::Outcome::Help) return Show(io.out, CommandHelp(command));
  MessageLanguage language = MessageLanguage::English;
  const Invocation invocation{command, parsed.args, io, language};
  if (parsed.outcome == ParseResult::Outcome::Error) return invocation.UsageError(parsed.error);
  if (const std::optional<std::string> lang = parsed.args.Value("--lang")) {
    if (*lang != "en" && *lang != "zh") return invocation.UsageError("--lang takes en or zh");
    language = *lang == "zh" ? MessageLanguage::Chinese : MessageLanguage::English;
  }
  return command.run(Invocation{command, parsed.args, io, language});
}

}  // namespace

bool ParsedArgs::Has(std::string_view option) const {
  return std::any_of(given.begin(), given.end(), [&](const auto& g) { return g.first == option; });
}

std::optional<std::string> ParsedArgs::Value(std::string_view option) const {
  for (const auto& [name, value] : given) {
    if (name == option) return value;
  }
  return std::nullopt;
}

ParseResult ParseArgs(const CommandSpec& command, const Args& args) {
  ParseResult result;
  auto fail = [&result](std::string error) {
    result.outcome = ParseResult::Outcome::Error;
    result.error = std::move(error);
    return result;
  };
  if (std::any_of(args.begin(), args.end(), [](const std::string& a) { return IsHelp(a); })) {
    result.outcome = ParseResult::Outcome::Help;
    return result;
  }
  const std::vector<std::string_view> operands = Words(command.operand);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {  // an operand; "-" alone names standard input
      if (result.args.operands.size() >= operands.size()) return fail("unexpected argument " + arg);
      result.args.operands.push_back(arg);
      continue;
    }
    const OptionSpec* option = FindOption(command, arg);
    if (!option) return fail("unknown option " + arg);
    if (result.args.Has(option->name)) return fail(arg + " given twice");
    std::string value;
    if (!option->value.empty()) {
      if (i + 1 >= args.size() || args[i + 1].starts_with("--")) {
        return fail(arg + " needs a value (" + std::string(option->value) + ")");
      }
      value = args[++i];
    }
    result.args.given.emplace_back(option->name, std::move(value));
  }
  for (const OptionSpec& option : command.options) {
    if (option.required && !result.args.Has(option.name))
      return fail(Usage(option) + " is required");
  }
  if (result.args.operands.size() < operands.size()) {
    return fail(std::string(operands[result.args.operands.size()]) + " is missing");
  }
  return result;
}

std::string Synopsis(const CommandSpec& command) {
  const std::string lead = "usage: wardcli " + std::string(command.name);
  std::vector<std::string> parts;
  for (const OptionSpec* option : AllOptions(command)) {
    parts.push_back(option->required ? Usage(*option) : "[" + Usage(*option) + "]");
  }
  if (!command.operand.empty()) parts.emplace_back(command.operand);
  std::string text = lead;
  std::size_t column = lead.size();
  for (const std::string& part : parts) {
    if (column + 1 + part.size() > kColumns) {
      text += "\n" + std::string(lead.size(), ' ');
      column = lead.size();
    }
    text += " " + part;
    column += 1 + part.size();
  }
  return text + "\n";
}

std::string CommandHelp(const CommandSpec& command) {
  std::string summary(command.summary);
  if (!summary.empty())
    summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
  std::string text = Synopsis(command) + "\n" + summary + ".\n\noptions:\n";
  std::size_t width = 0;
  const std::vector<const OptionSpec*> options = AllOptions(command);
  for (const OptionSpec* option : options) width = std::max(width, Usage(*option).size());
  for (const OptionSpec* option : options) {
    std::string usage = Usage(*option);
    usage.resize(width + 3, ' ');
    text += "  " + usage + std::string(option->help) + "\n";
  }
  if (!command.details.empty()) text += "\n" + std::string(command.details);
  return text;
}

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

bool AskYesNo(const Invocation& invocation, std::string_view question, bool yesByDefault) {
  std::fprintf(invocation.io.err, "%.*s %s ", static_cast<int>(question.size()), question.data(),
               yesByDefault ? "[Y/n]" : "[y/N]");
  std::fflush(invocation.io.err);
  char line[64];
  if (!std::fgets(line, sizeof line, invocation.io.in)) return false;
  std::string answer;
  for (const char* c = line; *c; ++c) {
    if (!std::isspace(static_cast<unsigned char>(*c))) {
      answer.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(*c))));
    }
  }
  if (answer.empty()) return yesByDefault;
  return answer == "y" || answer == "yes";
}

void Invocation::Note(std::string_view text) const {
  std::fprintf(io.err, "wardcli: %.*s\n", static_cast<int>(text.size()), text.data());
}

int Invocation::UsageError(std::string_view problem) const {
  Note(problem);
  std::fprintf(io.err, "%s(wardcli %.*s --help tells more)\n", Synopsis(command).c_str(),
               static_cast<int>(command.name.size()), command.name.data());
  return kExitUsage;
}

int RunCommandLine(std::span<const CommandSpec> commands, const Args& args, const Io& io) {
  const std::string overview = CommandList(commands, "");
  if (args.empty()) return Refuse(io, "no command given", overview);
  const bool helpVerb = args[0] == "help";
  if (IsHelp(args[0]) || (helpVerb && args.size() == 1)) return Show(io.out, overview);
  const Args named(args.begin() + (helpVerb ? 1 : 0), args.end());

  const CommandSpec* best = nullptr;
  for (const CommandSpec& command : commands) {
    const std::size_t n = Matching(command.name, named);
    if (n == Words(command.name).size() && (!best || n > Words(best->name).size())) best = &command;
  }
  if (best) {
    Args rest(named.begin() + static_cast<std::ptrdiff_t>(Words(best->name).size()), named.end());
    if (helpVerb) rest = {"--help"};
    return RunParsed(*best, rest, io);
  }
  if (const std::string group = GroupNamed(commands, named); !group.empty()) {
    const std::string list = CommandList(commands, group);
    const bool asked = helpVerb || std::any_of(named.begin(), named.end(),
                                               [](const std::string& a) { return IsHelp(a); });
    return asked ? Show(io.out, list) : Refuse(io, group + " needs a subcommand", list);
  }
  if (named[0].starts_with("-")) {
    return Refuse(io, "options come after the command: wardcli COMMAND [OPTIONS]", overview);
  }
  return Refuse(io, "unknown command " + named[0], overview);
}

}  // namespace wd::cli
