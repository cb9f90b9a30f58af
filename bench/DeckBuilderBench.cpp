// A deck built from a pool and the exact odds of a deck, on pools of the sample world: the eight
// seats' 45 picks of a seeded draft, and a 90-card sealed pool (a starter and three boosters).

#include "core/carddb/CardDatabase.h"
#include "core/decks/DeckBuilder.h"
#include "core/decks/DeckOdds.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "core/limited/DraftEngine.h"
#include "core/limited/Sealed.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace tovel;

namespace {

struct Pools {
    TCardsList cards;
    std::array<std::vector<int32_t>, kTableSeats> seats;
    std::vector<int32_t> sealed;
};

const Pools& SamplePools() {
    static Pools* pools = [] {
        auto* made = new Pools;
        SetProgramDir(std::filesystem::path(TOVEL_DATA_SOURCE).parent_path().string() + "/");
        TDraftEngine::LoadTableData();
        LoadCardDatabase(made->cards, ProgramPath(kCardDatabaseFile), "");
        NonInteractivePrompter prompter(nullptr, nullptr);
        ScopedPrompter scoped(prompter);
        TDraftEngine engine(made->cards);
        engine.SetCardLoader([](TCardsList&, const std::string&) {}); // loaded above
        engine.SetFixedSeed(7);
        engine.SetDrafterStrategy(kPickByValueAndColors);
        engine.StartDraft("VR;HK;EM;", 40);
        while (engine.State() == TDraftState::Picking || engine.State() == TDraftState::BetweenTurns) {
            engine.NextPackTurn();
            engine.AutoPick();
        }
        for (int seat = 0; seat < kTableSeats; ++seat)
            made->seats[static_cast<size_t>(seat)] = engine.Seats().Items(seat).Picks.Raw();
        TIntegerList sealed;
        RandomSource random(7);
        GenerateSealedPool("SVR;BHK;BHK;BEM;", made->cards, sealed, random,
                           [](TCardsList&, const std::string&) {});
        made->sealed = sealed.Raw();
        return made;
    }();
    return *pools;
}

} // namespace

static void BM_BuildDeckFromDraftPool(benchmark::State& state) {
    const Pools& pools = SamplePools();
    size_t seat = 0;
    for (auto _ : state) {
        const TBuiltDeck deck = BuildDeck(PoolCards(pools.cards, pools.seats[seat]));
        benchmark::DoNotOptimize(deck.Score);
        seat = (seat + 1) % pools.seats.size();
    }
    state.counters["pool"] = static_cast<double>(pools.seats[0].size());
}
BENCHMARK(BM_BuildDeckFromDraftPool)->Unit(benchmark::kMicrosecond);

// What grading a recorded draft asks: the decks of all eight seats.
static void BM_BuildDecksOfEightSeats(benchmark::State& state) {
    const Pools& pools = SamplePools();
    for (auto _ : state)
        for (const std::vector<int32_t>& picks : pools.seats)
            benchmark::DoNotOptimize(BuildDeck(PoolCards(pools.cards, picks)).Score);
}
BENCHMARK(BM_BuildDecksOfEightSeats)->Unit(benchmark::kMicrosecond);

static void BM_BuildDeckFromSealedPool(benchmark::State& state) {
    const Pools& pools = SamplePools();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildDeck(PoolCards(pools.cards, pools.sealed)).Score);
    state.counters["pool"] = static_cast<double>(pools.sealed.size());
}
BENCHMARK(BM_BuildDeckFromSealedPool)->Unit(benchmark::kMicrosecond);

// The odds of the deck built from the sealed pool, on the play: 40 cards, 23 spells.
static void BM_OddsOfABuiltDeck(benchmark::State& state) {
    const Pools& pools = SamplePools();
    const TBuiltDeck deck = BuildDeck(PoolCards(pools.cards, pools.sealed));
    const TDeckZones zones = BuiltDeckZones(deck, pools.sealed, BasicLandPositions(pools.cards));
    TDeckOdds odds;
    for (auto _ : state) {
        odds = ZoneOdds(pools.cards, zones.Main, false);
        benchmark::DoNotOptimize(odds.Keepable);
    }
    state.counters["cards"] = static_cast<double>(odds.Cards);
    state.counters["distinct_spells"] = static_cast<double>(odds.OnCurve.size());
}
BENCHMARK(BM_OddsOfABuiltDeck)->Unit(benchmark::kMicrosecond);
