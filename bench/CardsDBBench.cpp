// Card list lookups and cost parsing on a synthetic list of realistic size.

#include "core/carddb/CardText.h"
#include "core/carddb/CardsDB.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace tovel;

namespace {

void Fill(TCardsList& list, int cards) {
    list.Clear();
    for (int i = 0; i < cards; ++i) {
        TCardItem& card = list.Add("E" + std::to_string(i % 40));
        card.Name = list.Store("Generated Card Name " + std::to_string(i / 3));
    }
}

} // namespace

// Lookups by name and edition after a fresh load: the first one builds the index.
static void BM_IndexOfAfterLoad(benchmark::State& state) {
    TCardsList list;
    const int cards = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        Fill(list, cards);
        state.ResumeTiming();
        int found = 0;
        for (int i = 0; i < cards; i += 7)
            found += list.IndexOf("generated card name " + std::to_string(i / 3),
                                  "e" + std::to_string(i % 40)) >= 0;
        benchmark::DoNotOptimize(found);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_IndexOfAfterLoad)
    ->Arg(25000)
    ->Arg(100000)
    ->Arg(200000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

static void BM_ParseCost(benchmark::State& state) {
    const char* costs[] = {"3GG", "XR", "1WU", "2(r / w)(r / w)", "1G /  / 2U", "{ }", "10"};
    for (auto _ : state) {
        for (const char* cost : costs) {
            TCardItem card;
            ParseCost(card, cost);
            benchmark::DoNotOptimize(card.ConvertedCost);
        }
    }
}
BENCHMARK(BM_ParseCost);
