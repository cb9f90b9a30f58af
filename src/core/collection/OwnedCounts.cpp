#include "core/collection/OwnedCounts.h"

#include <algorithm>
#include <limits>

namespace tovel {

std::vector<int32_t> OwnedCounts(const TCardsList& cards, const TInventoryList& inventory) {
    // Lines are summed on the first printing IndexOf finds; every printing equal to it reads
    // that sum.
    std::vector<int64_t> byFirst(static_cast<size_t>(cards.Count()), 0);
    for (int i = 0; i < inventory.Count(); ++i) {
        const TInventoryItem& item = inventory.Items(i);
        const int first = cards.IndexOf(item.Name, item.Edition);
        if (first >= 0)
            byFirst[static_cast<size_t>(first)] += item.Count;
    }
    std::vector<int32_t> owned(static_cast<size_t>(cards.Count()), 0);
    if (inventory.Count() == 0)
        return owned;
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    for (int i = 0; i < cards.Count(); ++i) {
        const TCardItem& card = cards.Items(i);
        const int first = cards.IndexOf(card.Name, card.Edition);
        if (first >= 0)
            owned[static_cast<size_t>(i)] =
                static_cast<int32_t>(std::clamp(byFirst[static_cast<size_t>(first)], kMin, kMax));
    }
    return owned;
}

TCardQuery CompileCardSearch(std::string_view text, const TTextList& formats, const TCardsList& cards,
                             const TOwnedFrom& ownedFrom, std::vector<int32_t>& owned) {
    TQueryContext context;
    context.Formats = &formats;
    TCardQuery query = TCardQuery::Compile(text, context);
    owned.clear();
    if (query.UsesOwned()) {
        if (const TInventoryList* inventory = ownedFrom ? ownedFrom() : nullptr)
            owned = OwnedCounts(cards, *inventory);
    }
    query.SetOwned(owned);
    return query;
}

} // namespace tovel
