// tovel-cli db: checking Data/base.txt and building it from its sources.

#include "cli/DbCommands.h"
#include "cli/Cli.h"

#include "core/carddb/CardDatabase.h"
#include "core/carddb/DBCreate.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"

namespace tovel::cli {

namespace {

int Check(Context& context, std::vector<std::string> words) {
    if (words.size() > 1)
        throw UsageError("more than one file given");
    const std::string file = words.empty() ? ProgramPath(kCardDatabaseFile) : words[0];
    // Record by record, each problem printed as it is found: a big damaged file never piles up
    // in memory.
    const TCheckCounts counts = CheckCardDatabaseFile(file, [&](const TRecordProblem& problem) {
        context.out << problem.Line << ": " << problem.Message << "\n";
    });
    context.out << counts.Cards << " cards, " << counts.Problems << " problems\n";
    return counts.Problems == 0 ? kExitOk : kExitFailure;
}

int Build(Context& context, std::vector<std::string> words) {
    TBuildFiles files = DefaultBuildFiles(ProgramDir());
    TakeOption(words, "--cards", files.CardList);
    TakeOption(words, "--text", files.CardText);
    TakeOption(words, "--out", files.Out);
    if (!words.empty())
        throw UsageError("unexpected \"" + words[0] + "\"");
    if (const std::string problem =
            SameFileProblem({{"--cards", files.CardList}, {"--text", files.CardText}, {"--out", files.Out}});
        !problem.empty())
        throw UsageError(problem);
    TCardsList cards;
    TTextList editions;
    try {
        BuildCardDatabase(cards, editions, files);
    } catch (const std::exception& e) {
        ReportError(context, std::string(kErrorReadingCardsDatabase) + ": " + e.what());
        return kExitFailure;
    }
    context.out << cards.Count() << " cards written to " << files.Out << "\n";
    return kExitOk;
}

} // namespace

int RunDb(Context& context) {
    static constexpr Subcommand kSubcommands[] = {{"check", Check}, {"build", Build}};
    return RunSubcommand(context, kSubcommands);
}

} // namespace tovel::cli
