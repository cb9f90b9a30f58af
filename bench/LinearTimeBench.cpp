// Work that once grew faster than its input: a booster composition as large as its pool, and
// printings computed over an editions list that repeats one code. Both should be O(N).

#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardsDB.h"
#include "core/carddb/Editions.h"
#include "core/infra/Random.h"
#include "core/limited/Booster.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace tovel;

namespace {

// N commons of one edition, every one wanted by a special composition of N commons.
static void BM_WholePoolBooster(benchmark::State& state) {
    const int commons = static_cast<int>(state.range(0));
    TCardsList cards;
    for (int i = 0; i < commons; ++i) {
        TCardItem& card = cards.Add("BIG");
        card.Name = cards.Store("Common " + std::to_string(i));
        card.Edition = cards.Store("BIG");
        card.Rarity = TRarity::C;
    }
    TEditionCards pools;
    pools.LoadEdition(cards, "BIG");
    pools.Compositions.Boosters = {{"BIG", commons, 0, 0}};
    RandomSource random(5);
    for (auto _ : state) {
        TIntegerList pack;
        GenerateBooster(pack, pools, "BIG", true, random);
        if (pack.Count() != commons)
            state.SkipWithError("the pack is not the whole pool");
    }
    state.SetComplexityN(commons);
}
BENCHMARK(BM_WholePoolBooster)
    ->Arg(160'000)
    ->Arg(320'000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 2,000 cards over an editions list of N lines that repeat one code: the work follows the lines,
// never cards x repeats.
static void BM_ComputePrintingsRepeatedCodes(benchmark::State& state) {
    TTextList editions;
    editions.Lines.assign(static_cast<size_t>(state.range(0)), "AB;Again");
    editions.Lines.insert(editions.Lines.begin() + 5, "CD;Other");
    TCardsList cards;
    for (int i = 0; i < 2000; ++i) {
        TCardItem& card = cards.Add(i % 2 ? "AB" : "CD");
        card.Name = cards.Store("Card " + std::to_string(i / 2));
    }
    for (auto _ : state)
        ComputePrintings(cards, editions);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ComputePrintingsRepeatedCodes)
    ->Arg(1'600'000)
    ->Arg(3'200'000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
