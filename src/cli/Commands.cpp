#include "cli/Cli.h"
#include "cli/DbCommands.h"
#include "cli/DeckCommands.h"
#include "cli/LimitedCommands.h"
#include "cli/SearchCommands.h"

#include "core/infra/ProgramDir.h"

#include <array>

namespace tovel::cli {

namespace {

constexpr const char* kWhereUsage = "  where                print the program folder in use and why\n";

int RunWhere(Context& context) {
    if (!context.args.empty())
        throw UsageError("no arguments are taken");
    context.out << ProgramDir() << " (" << context.programDirReason << ")\n";
    return kExitOk;
}

} // namespace

// Each command group lives in a file of its own and is listed here.
std::span<const Command> Commands() {
    static const std::array<Command, 7> kCommands = {{
        {"db", kDbUsage, RunDb},
        {"deck", kDeckUsage, RunDeck},
        {"draft", kDraftUsage, RunDraft},
        {"review", kReviewUsage, RunReview},
        {"sealed", kSealedUsage, RunSealed},
        {"search", kSearchUsage, RunSearch},
        {"where", kWhereUsage, RunWhere},
    }};
    return kCommands;
}

} // namespace tovel::cli
