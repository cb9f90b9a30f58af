#pragma once

// tovel-cli: a small command-line front on the core for scripting, maintenance and checking
// data. Exit status 0 on success, 1 on failure (message on standard error), 2 on a usage error.

#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Wrong words on the command line; reported with the usage text and exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Context {
    std::vector<std::string> args; // the words after the command's name
    std::ostream& out;
    std::ostream& err;
    std::string programDirReason; // why ProgramDir() is the program folder, for `where`
};

struct Command {
    const char* name;  // "db", "deck", ...
    const char* usage; // the lines of its usage text
    int (*run)(Context&);
};

// Every command, in the order --help lists them.
std::span<const Command> Commands();

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Helpers for commands: take the value of an option such as "--out FILE" out of the words.
// Returns false when the option is absent; UsageError when it has no value.
bool TakeOption(std::vector<std::string>& words, const std::string& option, std::string& value);
// Takes a flag such as "--grade" out of the words; false when it is absent.
bool TakeFlag(std::vector<std::string>& words, const std::string& flag);

} // namespace tovel::cli
