#include "core/limited/Sealed.h"

#include "core/decks/DeckFile.h"
#include "core/infra/Error.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Text.h"
#include "core/settings/Settings.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tovel {

namespace {

// Calls `each` with every item of a configuration ("SAAA;BX;"), empty items skipped, until it
// returns false.
template <typename Each> void ForEachSealedItem(std::string_view config, Each each) {
    for (size_t pos = 0; pos < config.size();) {
        if (config[pos] == ';') {
            ++pos;
            continue;
        }
        const size_t end = std::min(config.find(';', pos), config.size());
        if (!each(config.substr(pos, end - pos)))
            return;
        pos = end;
    }
}

} // namespace

std::string SealedConfigProblem(std::string_view config) {
    int packs = 0;
    std::string problem;
    ForEachSealedItem(config, [&](std::string_view item) {
        if (item.front() != 'S' && item.front() != 'B') {
            problem = "Unknown pack type \"" + Cp1252ToUtf8(item.substr(0, 1)) + "\" in \"" + QuoteLine(item) +
                      "\" (S is a starter, B a booster)";
            return false;
        }
        ++packs;
        return true;
    });
    if (!problem.empty())
        return problem;
    if (packs == 0)
        return "The sealed configuration names no packs";
    if (packs > kMaxSealedPacks)
        return "The sealed configuration names " + std::to_string(packs) + " packs; at most " +
               std::to_string(kMaxSealedPacks) + " can be opened";
    return {};
}

bool GenerateSealedPool(std::string_view config, TCardsList& cards, TIntegerList& pool, RandomSource& random,
                        const TCardLoader& loader) {
    pool.Clear();
    if (config.empty())
        return false;
    if (const std::string problem = SealedConfigProblem(config); !problem.empty())
        throw Error(problem);

    // One pass over the items; boosters.ini is read once and each distinct name resolved once.
    const IniFile boostersFile(BoostersIniPath());
    const IniDocument boosters = boostersFile.Load();
    const std::string boostersProblem = boostersFile.ReadProblem();
    std::unordered_map<std::string_view, std::string> resolvedNames;
    std::vector<std::pair<char, const std::string*>> items;
    ForEachSealedItem(config, [&](std::string_view item) {
        auto found = resolvedNames.find(item.substr(1));
        if (found == resolvedNames.end())
            found = resolvedNames
                        .emplace(item.substr(1),
                                 ResolvePackName(item.substr(1), EditionList(), boosters, boostersProblem))
                        .first;
        items.emplace_back(item.front(), &found->second);
        return true;
    });

    loader(cards, std::string());

    TEditionCards pools;
    pools.Compositions = ReadPackCompositions(boosters);
    TIntegerList pack;
    std::string lastFilled;
    for (const auto& [letter, resolved] : items) {
        FillPacks(*resolved, letter == 'S' ? TPackShape::Starter : TPackShape::Booster, pack, pools, cards,
                  lastFilled, random);
        for (int32_t index : pack)
            pool.Add(index);
    }
    return true;
}

void GenerateCubePool(const TCubeReader& readCube, int packs, TCardsList& cards, TIntegerList& pool,
                      RandomSource& random, const TCardLoader& loader) {
    pool.Clear();
    loader(cards, std::string());
    DealCubePool(readCube(cards), packs, pool, random);
}

TCubeChoice LoadSealedCube(const SettingsStore& settings) {
    TCubeChoice choice;
    choice.Init(CubeNames(), settings.SealedCube(), settings.SealedUseCube(), settings.SealedCubePacks(),
                kSealedCubePacksMin, kSealedCubePacksMax);
    return choice;
}

void StoreSealedCube(const TCubeChoice& choice, SettingsStore& settings) {
    settings.SetSealedUseCube(choice.UseCube);
    if (choice.HasCubes())
        settings.SetSealedCube(choice.Chosen());
    settings.SetSealedCubePacks(choice.Count);
}

void WritePool(const TCardsList& cards, const TIntegerList& pool, const std::string& path) {
    WriteMainDeck(cards, pool, path);
}

bool GenerateSealed(std::optional<uint32_t> fixedSeed) {
    RandomSource random;
    SeedForRun(random, fixedSeed);
    TIntegerList pool;
    if (Settings().SealedUseCube()) {
        const std::string path = CubePath(Settings().SealedCube());
        GenerateCubePool([&path](const TCardsList& cards) { return ReadCube(path, cards); },
                         std::clamp(Settings().SealedCubePacks(), kSealedCubePacksMin, kSealedCubePacksMax),
                         CardDatabase(), pool, random, DefaultCardLoader());
    } else if (!GenerateSealedPool(Settings().SealedConfig(), CardDatabase(), pool, random,
                                   DefaultCardLoader())) {
        return false;
    }
    WriteHandOffDeck(CardDatabase(), pool);
    return true;
}

} // namespace tovel
