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
#include "core/infra/Text.h"

#include <algorithm>

namespace tovel::cli {

int RunSearch(Context& context) {
    std::vector<std::string> words = context.args;
    std::string inventoryFile;
    const bool inventoryGiven = TakeOption(words, "--inventory", inventoryFile);
    const auto countFlag = std::find(words.begin(), words.end(), "--count");
    const bool countOnly = countFlag != words.end();
    if (countOnly)
        words.erase(countFlag);
    if (words.empty())
        throw UsageError("search needs a query");
    std::string query;
    for (const std::string& word : words)
        query += (query.empty() ? "" : " ") + word;

    TCardsList cards;
    LoadCardDatabase(cards, ProgramPath("Data/base.txt"), "");
    TTextList formats;
    LoadFormatListIfPresent(formats, ProgramPath("Data/formats.txt"));
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
        context.err << e.what() << "\n";
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
