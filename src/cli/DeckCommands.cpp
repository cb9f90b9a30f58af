// tovel-cli deck: converting foreign text decks, plain-text lists in and out, deck statistics.

#include "cli/DeckCommands.h"

#include "core/carddb/CardDatabase.h"
#include "core/decks/DeckFile.h"
#include "core/decks/DeckList.h"
#include "core/decks/DeckStats.h"
#include "core/decks/InsertSideboard.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "core/infra/Text.h"

#include <algorithm>

namespace tovel::cli {

namespace {

// Converts every file in order; a file that fails is reported and the others still convert.
int Convert(Context& context, const std::vector<std::string>& files) {
    if (files.empty())
        throw UsageError("deck convert needs at least one file");
    int status = kExitOk;
    for (const std::string& file : files) {
        try {
            const std::string converted = InsertSideboardFile(file); // a failure prints nothing here
            context.out << file << " -> " << converted << "\n";
        } catch (const std::exception& e) {
            context.err << "deck convert: " << e.what() << "\n";
            status = kExitFailure;
        }
    }
    return status;
}

std::string TakeOneFile(std::vector<std::string>& words, const std::string& sub, const char* what) {
    if (words.size() != 1 || words[0].starts_with("--"))
        throw UsageError("deck " + sub + " needs " + what);
    return words[0];
}

void LoadCards(TCardsList& cards) {
    LoadCardDatabase(cards, ProgramPath("Data/base.txt"), "");
}

// Loads the card database and reads a deck file into zones; the reader's messages (cards not
// found, a bad line) go to standard error.
bool ReadDeck(Context& context, const std::string& file, TCardsList& cards, TDeckZones& zones) {
    if (!FileExists(file))
        throw Error("Cannot open file \"" + file + "\"");
    LoadCards(cards);
    NonInteractivePrompter prompter(
        [&context](const std::string& message) { context.err << message << "\n"; }, nullptr);
    ScopedPrompter scoped(prompter);
    return ReadDeckIntoZones(zones, cards, file, false, false);
}

int Import(Context& context, std::vector<std::string> words) {
    std::string out;
    if (!TakeOption(words, "--out", out))
        throw UsageError("deck import needs --out DECK.dec");
    const bool skipUnknown = TakeFlag(words, "--skip-unknown");
    const std::string listFile = TakeOneFile(words, "import", "one LIST file");
    TCardsList cards;
    LoadCards(cards);
    const TDeckList list = ReadDeckList(DecodeListBytes(ReadWholeFile(listFile)), cards);
    for (const TListProblem& problem : list.Problems)
        context.err << ProblemText(problem) << "\n";
    if (!list.Problems.empty() && !skipUnknown)
        return kExitFailure;
    TDeckZones zones;
    FillZones(zones, cards, list);
    WriteDesignerDeck(cards, zones.Main.Entries, zones.Main.Lands, zones.Sideboard.Entries,
                      zones.Sideboard.Lands, out);
    return kExitOk;
}

int Export(Context& context, std::vector<std::string> words) {
    std::string out;
    const bool toFile = TakeOption(words, "--out", out);
    const std::string deckFile = TakeOneFile(words, "export", "one DECK.dec file");
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
    const std::string deckFile = TakeOneFile(words, "stats", "one DECK.dec file");
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

} // namespace

int RunDeck(Context& context) {
    std::vector<std::string> words = context.args;
    if (words.empty())
        throw UsageError("deck needs a subcommand: convert, import, export or stats");
    const std::string sub = words[0];
    words.erase(words.begin());
    if (sub == "convert")
        return Convert(context, words);
    if (sub == "import")
        return Import(context, words);
    if (sub == "export")
        return Export(context, words);
    if (sub == "stats")
        return Stats(context, words);
    throw UsageError("unknown deck subcommand \"" + sub + "\"");
}

} // namespace tovel::cli
