#include "core/limited/Sealed.h"

#include "core/decks/DeckFile.h"
#include "core/infra/Words.h"
#include "core/settings/Settings.h"

#include <utility>
#include <vector>

namespace tovel {

bool GenerateSealedPool(std::string_view config, TCardsList& cards, TIntegerList& pool, RandomSource& random,
                        const TCardLoader& loader) {
    pool.Clear();
    if (config.empty())
        return false;

    std::vector<std::pair<char, std::string>> items;
    const int count = CountWords(config, ";");
    for (int i = 1; i <= count; ++i) {
        const std::string_view item = NthWord(i, config, ";", true);
        items.emplace_back(item.front(), ResolvePackName(item.substr(1)));
    }

    loader(cards, std::string());

    TEditionCards pools;
    TIntegerList pack;
    std::string lastFilled;
    for (const auto& [letter, resolved] : items) {
        FillPacks(resolved, letter == 'S' ? TPackShape::Starter : TPackShape::Booster, pack, pools, cards,
                  lastFilled, random);
        for (int32_t index : pack)
            pool.Add(index);
    }
    return true;
}

void WritePool(const TCardsList& cards, const TIntegerList& pool, const std::string& path) {
    WriteMainDeck(cards, pool, path);
}

bool GenerateSealed(std::optional<uint32_t> fixedSeed) {
    RandomSource random;
    SeedForRun(random, fixedSeed);
    TIntegerList pool;
    if (!GenerateSealedPool(Settings().SealedConfig(), CardDatabase(), pool, random, DefaultCardLoader()))
        return false;
    WriteHandOffDeck(CardDatabase(), pool);
    return true;
}

} // namespace tovel
