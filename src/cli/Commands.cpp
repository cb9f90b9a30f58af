#include "cli/Cli.h"
#include "cli/DbCommands.h"
#include "cli/DeckCommands.h"
#include "cli/LimitedCommands.h"
#include "cli/SearchCommands.h"

#include <array>

namespace tovel::cli {

// Each command group lives in a file of its own and is listed here.
std::span<const Command> Commands() {
    static const std::array<Command, 5> kCommands = {{
        {"db", kDbUsage, RunDb},
        {"deck", kDeckUsage, RunDeck},
        {"draft", kDraftUsage, RunDraft},
        {"sealed", kSealedUsage, RunSealed},
        {"search", kSearchUsage, RunSearch},
    }};
    return kCommands;
}

} // namespace tovel::cli
