// tovel-cli search: the card search over the program folder's database.

#include "cli/SearchCommands.h"

#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardQuery.h"
#include "core/collection/Inventory.h"
#include "core/collection/OwnedCounts.h"
#include "core/decks/DeckFile.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Text.h"

namespace tovel::cli {

int RunSearch(Context& context) {
    // Options may stand among the query words; after "--" every word is a query word, so that
    // one starting with "--" can be searched for.
    std::vector<std::string> words;
    std::string inventoryFile;
    bool inventoryGiven = false;
    bool countOnly = false;
    const std::vector<std::string>& args = context.args;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            words.insert(words.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        if (args[i] == "--count") {
            countOnly = true;
        } else if (args[i] == "--inventory") {
            if (i + 1 >= args.size())
                throw UsageError("--inventory needs a value");
            inventoryFile = args[++i];
            inventoryGiven = true;
        } else if (args[i].starts_with("--")) {
            throw UsageError("unknown option \"" + args[i] + "\"");
        } else {
            words.push_back(args[i]);
        }
    }
    if (words.empty())
        throw UsageError("a query is needed");
    std::string query;
    for (const std::string& word : words)
        query += (query.empty() ? "" : " ") + word;

    TCardsList cards;
    LoadCardDatabase(cards, ProgramPath(kCardDatabaseFile), "");
    TTextList formats;
    LoadFormatListIfPresent(formats, ProgramPath(kFormatsFile));
    // A missing default inventory owns nothing; a named one must exist.
    TInventoryList inventory;
    const auto ownedFrom = [&]() -> const TInventoryList* {
        if (!inventoryGiven)
            inventoryFile = ProgramPath(kDefaultInventoryFile);
        if (inventoryGiven && !FileExists(inventoryFile))
            throw Error("Cannot open file \"" + inventoryFile + "\"");
        if (!FileExists(inventoryFile))
            return nullptr;
        LoadInventory(inventory, cards, inventoryFile, false);
        return &inventory;
    };
    std::vector<int32_t> owned;
    TCardQuery compiled;
    try {
        compiled = CompileCardSearch(Utf8ToCp1252(query), formats, cards, ownedFrom, owned);
    } catch (const Error& e) {
        ReportError(context, e.what());
        return kExitFailure;
    }

    const std::vector<int> found = SearchCards(cards, compiled);
    if (countOnly) {
        context.out << found.size() << "\n";
    } else {
        for (int position : found) {
            context.out << Cp1252ToUtf8(CardKey(cards.Items(position))) << '\n';
        }
    }
    return kExitOk;
}

} // namespace tovel::cli
