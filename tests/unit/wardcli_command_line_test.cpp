// wardcli's command table: help on every command, usage that matches the parser, groups of
// subcommands, and the parser's refusals.

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <set>

#include "tests/unit/wardcli_test_support.h"
#include "tools/wardcli/commands.h"

namespace wd::cli {
namespace {

using test::Captured;

Captured Cli(std::span<const CommandSpec> table, const Args& args) {
  return test::RunWith(table, args);
}
using test::Cli;

// A table with a group of subcommands, as "archive list|history" will be.
// Tells on stdout what it was run with.
int Remember(const Invocation& invocation) {
  std::fprintf(invocation.io.out, "%s:%s:%s:%s", std::string(invocation.command.name).c_str(),
               invocation.args.operands.empty() ? "" : invocation.args.operands[0].c_str(),
               invocation.args.Value("--since").value_or("").c_str(),
               invocation.language == MessageLanguage::Chinese ? "zh" : "en");
  return kExitOk;
}
constexpr OptionSpec kListOptions[] = {{"--since", "DATE", "from this day on"}};
constexpr CommandSpec kGroupTable[] = {
    {"summary", "figures per person", {}, "", "", Remember},
    {"archive list", "the downloads kept", kListOptions, "", "", Remember},
    {"archive history", "one person's downloads", {}, "ID", "", Remember},
};

TEST(WardcliCommandLine, HelpOnEveryCommandGoesToStdoutAndListsWhatTheParserTakes) {
  const std::regex optionPattern("--[a-z-]+");
  for (const CommandSpec& command : Commands()) {
    const std::string name(command.name);
    Args words;  // "archive list" is two arguments
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
      end = name.find(' ', start);
      words.push_back(name.substr(start, end - start));
    }
    auto with = [&words](Args before, Args after) {
      before.insert(before.end(), words.begin(), words.end());
      before.insert(before.end(), after.begin(), after.end());
      return before;
    };
    for (const Args& args : {with({}, {"--help"}), with({"help"}, {}), with({}, {"-h"})}) {
      const Captured help = Cli(args);
      EXPECT_EQ(help.status, kExitOk) << name;
      EXPECT_TRUE(help.err.empty()) << name;
      EXPECT_TRUE(help.out.starts_with("usage: wardcli " + name + " ")) << help.out;
    }
    // Every option the help names is one the parser takes; an option it does not name is not.
    const std::string help = CommandHelp(command);
    std::set<std::string> named;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), optionPattern);
         it != std::sregex_iterator(); ++it) {
      named.insert(it->str());
    }
    EXPECT_TRUE(named.contains("--lang")) << name;
    for (const std::string& option : named) {
      const bool takesValue =
          std::any_of(command.options.begin(), command.options.end(),
                      [&](const OptionSpec& o) { return o.name == option && !o.value.empty(); }) ||
          option == "--lang";
      Args args{option};
      if (takesValue) args.push_back("x");
      const ParseResult parsed = ParseArgs(command, args);
      EXPECT_EQ(parsed.error.find("unknown option"), std::string::npos) << name << " " << option;
    }
    EXPECT_NE(ParseArgs(command, {"--bogus"}).error.find("unknown option --bogus"),
              std::string::npos);
  }
}

TEST(WardcliCommandLine, TheOverviewListsEveryCommand) {
  const Captured asked = Cli({"--help"});
  EXPECT_EQ(asked.status, kExitOk);
  for (const CommandSpec& command : Commands()) {
    EXPECT_NE(asked.out.find("\n  " + std::string(command.name) + " "), std::string::npos);
  }
  EXPECT_EQ(Cli({"help"}).out, asked.out);
  // Without a command, or with an unknown one, the same list goes to stderr as an error.
  const Captured none = Cli({});
  EXPECT_EQ(none.status, kExitUsage);
  EXPECT_TRUE(none.out.empty());
  EXPECT_NE(none.err.find(asked.out), std::string::npos);
  const Captured unknown = Cli({"fetch"});
  EXPECT_EQ(unknown.status, kExitUsage);
  EXPECT_NE(unknown.err.find("unknown command fetch"), std::string::npos);
  EXPECT_NE(Cli({"--lang", "zh", "download"}).err.find("options come after the command"),
            std::string::npos);
}

TEST(WardcliCommandLine, GroupsOfSubcommandsAreOneRowEach) {
  const Captured group = Cli(kGroupTable, {"archive", "--help"});
  EXPECT_EQ(group.status, kExitOk);
  EXPECT_NE(group.out.find("usage: wardcli archive SUBCOMMAND"), std::string::npos) << group.out;
  EXPECT_NE(group.out.find("\n  list      the downloads kept\n"), std::string::npos) << group.out;
  EXPECT_NE(group.out.find("\n  history   one person's downloads\n"), std::string::npos);
  EXPECT_EQ(group.out.find("summary"), std::string::npos);
  EXPECT_EQ(Cli(kGroupTable, {"help", "archive"}).out, group.out);
  EXPECT_EQ(Cli(kGroupTable, {"archive"}).status, kExitUsage);

  const Captured sub = Cli(kGroupTable, {"archive", "history", "--help"});
  EXPECT_EQ(sub.status, kExitOk);
  EXPECT_TRUE(sub.out.starts_with("usage: wardcli archive history [--lang en|zh] [--help] ID\n"))
      << sub.out;
  EXPECT_EQ(Cli(kGroupTable, {"help", "archive", "history"}).out, sub.out);

  EXPECT_EQ(Cli(kGroupTable, {"archive", "history", "110105", "--lang", "zh"}).out,
            "archive history:110105::zh");
  EXPECT_EQ(Cli(kGroupTable, {"archive", "list", "--since", "2024-1-1"}).out,
            "archive list::2024-1-1:en");
}

TEST(WardcliCommandLine, TheParserRefusesWhatTheUsageDoesNotAllow) {
  const CommandSpec& history = kGroupTable[2];
  const CommandSpec& list = kGroupTable[1];
  auto error = [](const CommandSpec& command, const Args& args) {
    return ParseArgs(command, args).error;
  };
  EXPECT_EQ(error(history, {}), "ID is missing");
  EXPECT_EQ(error(history, {"a", "b"}), "unexpected argument b");
  EXPECT_EQ(error(list, {"x"}), "unexpected argument x");
  EXPECT_EQ(error(list, {"--since"}), "--since needs a value (DATE)");
  EXPECT_EQ(error(list, {"--since", "--lang", "en"}), "--since needs a value (DATE)");
  EXPECT_EQ(error(list, {"--since", "a", "--since", "b"}), "--since given twice");
  EXPECT_EQ(ParseArgs(list, {"--since", "a", "--bogus", "--help"}).outcome,
            ParseResult::Outcome::Help);

  // Required options are named with their value in the error and plain in the synopsis.
  static constexpr OptionSpec kRequired[] = {{"--to", "DIR", "where to", true}};
  static constexpr CommandSpec kCopy{"copy", "copies", kRequired, "FROM", "", Remember};
  EXPECT_NE(Synopsis(kCopy).find(" --to DIR "), std::string::npos);
  EXPECT_EQ(error(kCopy, {"x"}), "--to DIR is required");
  const CommandSpec& download = Commands()[1];
  ASSERT_EQ(download.name, "download");
  EXPECT_NE(Synopsis(download).find(" [--out DIR] [--archive DIR] "), std::string::npos);
  EXPECT_NE(Synopsis(download).find(" [--quiet] "), std::string::npos);
  // Several operands: each named when missing, none taken beyond them.
  const auto remove = std::find_if(Commands().begin(), Commands().end(),
                                   [](const CommandSpec& c) { return c.name == "archive delete"; });
  ASSERT_NE(remove, Commands().end());
  EXPECT_EQ(error(*remove, {}), "DIR is missing");
  EXPECT_EQ(error(*remove, {"a"}), "FOLDER is missing");
  EXPECT_EQ(error(*remove, {"a", "b", "c"}), "unexpected argument c");
  EXPECT_EQ(ParseArgs(*remove, {"a", "--yes", "b"}).args.operands,
            (std::vector<std::string>{"a", "b"}));
  // A bad value is a usage error that shows the synopsis.
  const Captured lang = Cli({"dump", "--lang", "fr", "x.mDat"});
  EXPECT_EQ(lang.status, kExitUsage);
  EXPECT_NE(lang.err.find("--lang takes en or zh\nusage: wardcli dump"), std::string::npos);
  for (const std::string& line : {Synopsis(download), Synopsis(Commands()[0])}) {
    std::size_t start = 0;
    for (std::size_t end; (end = line.find('\n', start)) != std::string::npos; start = end + 1) {
      EXPECT_LE(end - start, 100u);
    }
  }
}

TEST(WardcliCommandLine, AnEmptyAnswerTakesTheQuestionsDefault) {
  auto ask = [](const std::string& typed, bool yesByDefault) {
    std::FILE* in = std::tmpfile();
    std::fputs(typed.c_str(), in);
    std::rewind(in);
    std::FILE* err = std::tmpfile();
    const ParsedArgs args;
    const Invocation invocation{kGroupTable[0], args, Io{in, stdout, err},
                                MessageLanguage::English};
    const bool yes = AskYesNo(invocation, "Erase?", yesByDefault);
    std::fclose(in);
    const std::string asked = test::Slurp(err);
    EXPECT_EQ(asked, yesByDefault ? "Erase? [Y/n] " : "Erase? [y/N] ");
    return yes;
  };
  EXPECT_TRUE(ask("\n", true));
  EXPECT_FALSE(ask("\n", false));
  EXPECT_TRUE(ask(" Yes \n", false));
  EXPECT_FALSE(ask("n\n", true));
  EXPECT_FALSE(ask("maybe\n", true));  // anything else is no
  EXPECT_FALSE(ask("", true));         // no answer at all
}

}  // namespace
}  // namespace wd::cli
