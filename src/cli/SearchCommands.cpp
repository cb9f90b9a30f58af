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
    const std::string formatsFile = ProgramPath("Data/formats.txt");
    if (FileExists(formatsFile))
        LoadFormatList(formats, formatsFile);
    TQueryContext queryContext;
    queryContext.Formats = &formats;
    TCardQuery compiled;
    try {
        compiled = TCardQuery::Compile(Utf8ToCp1252(query), queryContext);
    } catch (const Error& e) {
        context.err << e.what() << "\n";
        return kExitFailure;
    }

    std::vector<int32_t> owned;
    if (compiled.UsesOwned()) {
        if (!inventoryGiven)
            inventoryFile = ProgramPath(kDefaultInventoryFile);
        if (inventoryGiven && !FileExists(inventoryFile))
            throw Error("Cannot open file \"" + inventoryFile + "\"");
        if (FileExists(inventoryFile)) {
            TInventoryList inventory;
            LoadInventory(inventory, cards, inventoryFile, false);
            owned = OwnedCounts(cards, inventory);
            compiled.SetOwned(owned);
        }
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
