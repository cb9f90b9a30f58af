#include "cli/Cli.h"

#include "core/infra/Error.h"
#include "core/infra/Process.h"
#include "core/infra/ProgramDir.h"

#include <algorithm>
#include <cstdlib>

namespace tovel::cli {

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: tovel-cli [--root DIR] COMMAND [ARGS...]\n"
           "       tovel-cli --help | --version\n\n"
           "Options:\n"
           "  --root DIR   the program folder holding Data/, Decks/, ... (default: TOVEL_HOME,\n"
           "               else the folder of this executable when it holds Data/ and is\n"
           "               writable, else the per-user folder; see where)\n"
           "  --help       show this text\n"
           "  --version    show the version\n";
    if (!Commands().empty()) {
        out << "\nCommands:\n";
        for (const Command& command : Commands())
            out << command.usage;
    }
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

namespace {

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
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
        for (const Command& command : Commands()) {
            if (words[0] != command.name)
                continue;
            // "--help" anywhere after the command asks for its usage, never names a file.
            if (std::find(words.begin() + 1, words.end(), "--help") != words.end()) {
                out << command.usage;
                return kExitOk;
            }
            // Only a command that runs needs the program folder (and may make the per-user one).
            const ProgramDirChoice folder = rootGiven
                                                ? ProgramDirChoice{root, "given by --root"}
                                                : OpenProgramDir(ExecutablePath(args.empty() ? "" : args[0]));
            SetProgramDir(folder.dir);
            RemoveStaleTemporaryFilesOnStart(folder.dir);
            Context context{std::vector<std::string>(words.begin() + 1, words.end()), out, err,
                            folder.reason};
            return command.run(context);
        }
        throw UsageError("unknown command \"" + words[0] + "\"");
    } catch (const UsageError& e) {
        err << "tovel-cli: " << e.what() << "\n\n";
        PrintUsage(err);
        return kExitUsage;
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return kExitFailure;
    }
}

} // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const int status = RunCommand(args, out, err);
    // Output that never reached its file (a full disk, a closed pipe) is a failure.
    out.flush();
    if (!out) {
        err << "tovel-cli: the output could not be written\n";
        return kExitFailure;
    }
    return status;
}

} // namespace tovel::cli
