#include "cli/Cli.h"

#include "core/infra/Error.h"
#include "core/infra/Process.h"
#include "core/infra/ProgramDir.h"

#include <algorithm>
#include <cstdlib>

namespace tovel::cli {

namespace {

void PrintProgramUsage(std::ostream& out) {
    out << "Usage: tovel-cli [--root DIR] COMMAND [ARGS...]\n"
           "       tovel-cli --help | --version\n\n"
           "Options:\n"
           "  --root DIR   the program folder holding Data/, Decks/, ... (default: TOVEL_HOME,\n"
           "               else the folder of this executable when it holds Data/ and is\n"
           "               writable, else the per-user folder; see where)\n"
           "  --help       show this text\n"
           "  --version    show the version\n";
}

void PrintUsage(std::ostream& out) {
    PrintProgramUsage(out);
    if (!Commands().empty()) {
        out << "\nCommands:\n";
        for (const Command& command : Commands())
            out << command.usage;
    }
}

// A usage error: what is wrong, the usage of the one command (or of the program before a
// command is known), and where the whole text is.
void PrintUsageError(std::ostream& err, const Command* command, const std::string& name,
                     const std::string& message) {
    if (command) {
        err << "tovel-cli: " << name << ": " << message << "\n" << command->usage;
        err << "tovel-cli " << command->name << " --help\n";
        return;
    }
    err << "tovel-cli: " << message << "\n";
    PrintProgramUsage(err);
    err << "Commands:";
    for (const Command& each : Commands())
        err << ' ' << each.name;
    err << "\ntovel-cli --help\n";
}

} // namespace

bool TakeOption(std::vector<std::string>& words, const std::string& option, std::string& value) {
    for (size_t i = 0; i < words.size(); ++i) {
        if (words[i] != option)
            continue;
        if (i + 1 >= words.size())
            throw UsageError(option + " needs a value");
        value = words[i + 1];
        words.erase(words.begin() + static_cast<std::ptrdiff_t>(i),
                    words.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    return false;
}

bool TakeFlag(std::vector<std::string>& words, const std::string& flag) {
    const auto at = std::find(words.begin(), words.end(), flag);
    if (at == words.end())
        return false;
    words.erase(at);
    return true;
}

void ReportError(Context& context, const std::string& message) {
    context.err << "tovel-cli: " << context.command << ": " << message << "\n";
}

int RunSubcommand(Context& context, std::span<const Subcommand> subcommands) {
    std::vector<std::string> words = context.args;
    if (words.empty()) {
        std::string names;
        for (size_t i = 0; i < subcommands.size(); ++i)
            names += (i == 0                        ? ""
                      : i + 1 == subcommands.size() ? " or "
                                                    : ", ") +
                     std::string(subcommands[i].name);
        throw UsageError("a subcommand is needed: " + names);
    }
    const std::string sub = words[0];
    words.erase(words.begin());
    for (const Subcommand& subcommand : subcommands) {
        if (sub != subcommand.name)
            continue;
        context.command += " " + sub;
        return subcommand.run(context, std::move(words));
    }
    throw UsageError("unknown subcommand \"" + sub + "\"");
}

namespace {

// `command` is the command found, `name` the words that name it in messages.
int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const Command*& command, std::string& name) {
    try {
        std::vector<std::string> words(args.begin() + (args.empty() ? 0 : 1), args.end());
        std::string root;
        const bool rootGiven = TakeOption(words, "--root", root);
        if (words.empty())
            throw UsageError("no command given");
        if (words[0] == "--help" || words[0] == "-h") {
            PrintUsage(out);
            return kExitOk;
        }
        if (words[0] == "--version") {
            out << "tovel-cli " << TOVEL_VERSION << "\n";
            return kExitOk;
        }
        for (const Command& each : Commands()) {
            if (words[0] != each.name)
                continue;
            command = &each;
            name = each.name;
            // "--help" anywhere after the command asks for its usage, never names a file.
            if (std::find(words.begin() + 1, words.end(), "--help") != words.end()) {
                out << each.usage;
                return kExitOk;
            }
            // Only a command that runs needs the program folder (and may make the per-user one).
            const ProgramDirChoice folder = rootGiven
                                                ? ProgramDirChoice{root, "given by --root"}
                                                : OpenProgramDir(ExecutablePath(args.empty() ? "" : args[0]));
            SetProgramDir(folder.dir);
            RemoveStaleTemporaryFilesOnStart(folder.dir);
            Context context{std::vector<std::string>(words.begin() + 1, words.end()), out, err, folder.reason,
                            name};
            return each.run(context);
        }
        throw UsageError("unknown command \"" + words[0] + "\"");
    } catch (const UsageError& e) {
        PrintUsageError(err, command, name, e.what());
        return kExitUsage;
    } catch (const std::exception& e) {
        err << "tovel-cli: " << (command ? name + ": " : "") << e.what() << "\n";
        return kExitFailure;
    }
}

} // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Command* command = nullptr;
    std::string name;
    const int status = RunCommand(args, out, err, command, name);
    // Output that never reached its file (a full disk, a closed pipe) is a failure.
    out.flush();
    if (!out) {
        err << "tovel-cli: " << (command ? name + ": " : "") << "the output could not be written\n";
        return kExitFailure;
    }
    return status;
}

} // namespace tovel::cli
