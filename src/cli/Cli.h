#pragma once

// tovel-cli: a small command-line front on the core for scripting, maintenance and checking
// data. Exit status 0 on success, 1 on failure (message on standard error), 2 on a usage error.
// Every error reads "tovel-cli: COMMAND: what went wrong"; a file's problems keep their
// "LINE: MESSAGE" form.

#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Wrong words on the command line; reported with the command's usage text and exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Context {
    std::vector<std::string> args; // the words after the command's name
    std::ostream& out;
    std::ostream& err;
    std::string programDirReason; // why ProgramDir() is the program folder, for `where`
    std::string& command;         // "db", then "db check" once the subcommand is known
};

// Prints "tovel-cli: COMMAND: message" on standard error.
void ReportError(Context& context, const std::string& message);

struct Command {
    const char* name;  // "db", "deck", ...
    const char* usage; // the lines of its usage text
    int (*run)(Context&);
};

// Every command, in the order --help lists them.
std::span<const Command> Commands();

struct Subcommand {
    const char* name; // "check", "build", ...
    int (*run)(Context&, std::vector<std::string> words);
};

// Runs the subcommand named by the first word with the words after it.
int RunSubcommand(Context& context, std::span<const Subcommand> subcommands);

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Helpers for commands: take the value of an option such as "--out FILE" out of the words.
// Returns false when the option is absent; UsageError when it has no value.
bool TakeOption(std::vector<std::string>& words, const std::string& option, std::string& value);
// Takes a flag such as "--count" out of the words; returns whether it was there.
bool TakeFlag(std::vector<std::string>& words, const std::string& flag);

} // namespace tovel::cli
