// tovel-cli deck: converting foreign text decks into deck files.

#include "cli/DeckCommands.h"

#include "core/decks/InsertSideboard.h"

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

} // namespace

int RunDeck(Context& context) {
    std::vector<std::string> words = context.args;
    if (words.empty())
        throw UsageError("deck needs a subcommand: convert");
    const std::string sub = words[0];
    words.erase(words.begin());
    if (sub == "convert")
        return Convert(context, words);
    throw UsageError("unknown deck subcommand \"" + sub + "\"");
}

} // namespace tovel::cli
