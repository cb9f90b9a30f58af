// tovel-cli deck: converting foreign text decks, plain-text lists in and out, deck statistics,
// a deck built from a pool and the odds of a deck.

#include "cli/DeckCommands.h"

#include "core/carddb/CardDatabase.h"
#include "core/decks/DeckBuilder.h"
#include "core/decks/DeckFile.h"
#include "core/decks/DeckList.h"
#include "core/decks/DeckOdds.h"
#include "core/decks/DeckStats.h"
#include "core/decks/InsertSideboard.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "core/infra/Text.h"

namespace tovel::cli {

namespace {

// Converts every file in order; a file that fails is reported and the others still convert.
int Convert(Context& context, std::vector<std::string> files) {
    if (files.empty())
        throw UsageError("at least one file is needed");
    // Every file read and every file written, so that no conversion overwrites another's input or output.
    std::vector<std::pair<std::string, std::string>> paths;
    for (const std::string& file : files) {
        paths.emplace_back(file, file);
        paths.emplace_back(file + ".dec", file + ".dec");
    }
    if (const std::string problem = SameFileProblem(paths); !problem.empty())
        throw UsageError(problem);
    int status = kExitOk;
    for (const TConvertResult& result : InsertSideboardFiles(files)) {
        if (result.Error.empty()) {
            context.out << result.File << " -> " << result.Converted << "\n";
        } else {
            ReportError(context, result.Error);
            status = kExitFailure;
        }
    }
    return status;
}

std::string TakeOneFile(std::vector<std::string>& words, const char* what) {
    if (words.size() != 1 || words[0].starts_with("--"))
        throw UsageError(std::string(what) + " is needed");
    return words[0];
}

void LoadCards(TCardsList& cards) {
    LoadCardDatabase(cards, ProgramPath(kCardDatabaseFile), "");
}

// Loads the card database and reads a deck file into zones; the reader's messages (cards not
// found, a bad line) go to standard error.
bool ReadDeck(Context& context, const std::string& file, TCardsList& cards, TDeckZones& zones) {
    if (!FileExists(file))
        throw Error("Cannot open file \"" + file + "\"");
    LoadCards(cards);
    NonInteractivePrompter prompter([&context](const std::string& message) { ReportError(context, message); },
                                    nullptr);
    ScopedPrompter scoped(prompter);
    return ReadDeckIntoZones(zones, cards, file, false, false);
}

int Import(Context& context, std::vector<std::string> words) {
    std::string out;
    if (!TakeOption(words, "--out", out))
        throw UsageError("--out DECK.dec is needed");
    const bool skipUnknown = TakeFlag(words, "--skip-unknown");
    const std::string listFile = TakeOneFile(words, "one LIST file");
    if (const std::string problem = SameFileProblem({{"LIST", listFile}, {"--out", out}}); !problem.empty())
        throw UsageError(problem);
    TCardsList cards;
    LoadCards(cards);
    // Each problem is printed as it is found: a huge list never piles up in memory.
    size_t problems = 0;
    const TDeckList list = ReadDeckListFile(listFile, cards, [&](const TListProblem& problem) {
        ++problems;
        context.err << ProblemText(problem) << "\n";
    });
    if (problems > 0 && !skipUnknown)
        return kExitFailure;
    if (list.Cards.empty()) {
        ReportError(context, "the list " + listFile + " holds no cards; nothing was written");
        return kExitFailure;
    }
    TDeckZones zones;
    FillZones(zones, cards, list);
    WriteDesignerDeck(cards, zones.Main.Entries, zones.Main.Lands, zones.Sideboard.Entries,
                      zones.Sideboard.Lands, out);
    return kExitOk;
}

int Export(Context& context, std::vector<std::string> words) {
    std::string out;
    const bool toFile = TakeOption(words, "--out", out);
    const std::string deckFile = TakeOneFile(words, "one DECK.dec file");
    if (toFile)
        if (const std::string problem = SameFileProblem({{"DECK", deckFile}, {"--out", out}});
            !problem.empty())
            throw UsageError(problem);
    TCardsList cards;
    TDeckZones zones;
    if (!ReadDeck(context, deckFile, cards, zones))
        return kExitFailure;
    const std::string text = Cp1252ToUtf8(FormatDeckList(cards, zones));
    if (toFile)
        WriteFileAtomically(out, text);
    else
        context.out << text;
    return kExitOk;
}

int Stats(Context& context, std::vector<std::string> words) {
    const bool sideboard = TakeFlag(words, "--sideboard");
    const std::string deckFile = TakeOneFile(words, "one DECK.dec file");
    TCardsList cards;
    TDeckZones zones;
    if (!ReadDeck(context, deckFile, cards, zones))
        return kExitFailure;
    context.out << "Main deck: " << StatisticsText(ZoneStatistics(cards, zones.Main))
                << LandSuggestionText(SuggestLands(cards, zones.Main)) << "\n";
    if (sideboard)
        context.out << "\nSideboard: " << StatisticsText(ZoneStatistics(cards, zones.Sideboard));
    return kExitOk;
}

int Build(Context& context, std::vector<std::string> words) {
    std::string out;
    if (!TakeOption(words, "--out", out))
        throw UsageError("--out DECK.dec is needed");
    std::string colours;
    TColourSet forced = 0;
    if (TakeOption(words, "--colours", colours)) {
        const std::optional<TColourSet> set = ParseColourSet(colours);
        if (!set)
            throw UsageError("--colours takes one or two of the letters W, U, B, R and G");
        forced = *set;
    }
    const std::string poolFile = TakeOneFile(words, "one POOL.dec file");
    TCardsList cards;
    TDeckZones zones;
    if (!ReadDeck(context, poolFile, cards, zones))
        return kExitFailure;
    const std::vector<int32_t> pool = ZonePool(cards, zones);
    const TBuiltDeck deck = BuildDeck(PoolCards(cards, pool), forced);
    const TDeckZones built = BuiltDeckZones(deck, pool, BasicLandPositions(cards));
    WriteDesignerDeck(cards, built.Main.Entries, built.Main.Lands, built.Sideboard.Entries,
                      built.Sideboard.Lands, out);
    context.out << BuiltDeckText(deck);
    return kExitOk;
}

int Odds(Context& context, std::vector<std::string> words) {
    const bool onTheDraw = TakeFlag(words, "--draw");
    const std::string deckFile = TakeOneFile(words, "one DECK.dec file");
    TCardsList cards;
    TDeckZones zones;
    if (!ReadDeck(context, deckFile, cards, zones))
        return kExitFailure;
    const TDeckOdds odds = ZoneOdds(cards, zones.Main, onTheDraw);
    if (odds.Cards == 0) {
        ReportError(context, "the main deck of " + deckFile + " holds no cards");
        return kExitFailure;
    }
    context.out << Cp1252ToUtf8(OddsText(odds));
    return kExitOk;
}

} // namespace

int RunDeck(Context& context) {
    static constexpr Subcommand kSubcommands[] = {{"convert", Convert}, {"import", Import},
                                                  {"export", Export},   {"stats", Stats},
                                                  {"build", Build},     {"odds", Odds}};
    return RunSubcommand(context, kSubcommands);
}

} // namespace tovel::cli
